// Cost of formatting one date and of reading the date settings.
#include <string>

#include "bench/measure.h"

#include "app/configuration_file.h"
#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {

volatile size_t gSink;

void UseEnglishNames() {
    gShortWeekdayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    gLongWeekdayNames = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    gShortMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    gLongMonthNames = {"January", "February", "March", "April", "May", "June", "July",
                       "August", "September", "October", "November", "December"};
}

// A long HTML template where tokens and plain text alternate.
std::string LongTemplate() {
    std::string text;
    while (text.size() < 4096) text += "<span class=\"date\">wd w dd/mm/yyyy wn MM M</span> ";
    return text.substr(0, 4096);
}

void Row(const char* what, const Spread& spread) { Report("Dates", what, "ns/call", spread); }

}  // namespace

int main() {
    UseEnglishNames();
    const std::string defaultTemplate = "<b>w.dd/mm/yyyy (wn)</b>";
    const std::string longTemplate = LongTemplate();
    Row("FormatDate, default template", NanosecondsPerCall(9, 20000, [&](long i) {
            gSink = FormatDate(2026, 1 + i % 12, 1 + i % 28, defaultTemplate).size();
        }));
    Row("FormatDate, 4 KB template", NanosecondsPerCall(9, 500, [&](long i) {
            gSink = FormatDate(2026, 1 + i % 12, 1 + i % 28, longTemplate).size();
        }));
    Row("IsoWeekNumber", NanosecondsPerCall(9, 100000, [&](long i) {
            gSink = IsoWeekNumber(1601 + i % 800, 1 + i % 12, 1 + i % 28);
        }));
#ifndef _WIN32
    sim::Reset();
    sim::AddFolder("C:\\Vantor");
    EnsureConfigurationFile();
    Row("ReadDateConfiguration, default file (sim)", NanosecondsPerCall(9, 200, [&](long) {
            ReadDateConfiguration();
            gSink = gDateFormat.size();
        }, [] { sim::ClearCalls(); }));
#endif
    return 0;
}
