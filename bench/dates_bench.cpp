// Cost of formatting one date and of reading the date settings.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/configuration_file.h"
#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {

volatile size_t gSink;

template <typename Work>
double NanosecondsPerCall(long calls, Work work) {
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i) work(i);
    std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

void Row(const char* what, long calls, double ns) {
    std::printf("%-44s %10ld %14.1f\n", what, calls, ns);
}

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

}  // namespace

int main() {
    std::printf("%-44s %10s %14s\n", "operation", "calls", "ns per call");
    UseEnglishNames();
    const std::string defaultTemplate = "<b>w.dd/mm/yyyy (wn)</b>";
    const std::string longTemplate = LongTemplate();
    Row("FormatDate, default template", 200000, NanosecondsPerCall(200000, [&](long i) {
            gSink = FormatDate(2026, 1 + i % 12, 1 + i % 28, defaultTemplate).size();
        }));
    Row("FormatDate, 4 KB template", 5000, NanosecondsPerCall(5000, [&](long i) {
            gSink = FormatDate(2026, 1 + i % 12, 1 + i % 28, longTemplate).size();
        }));
    Row("IsoWeekNumber", 1000000, NanosecondsPerCall(1000000, [&](long i) {
            gSink = IsoWeekNumber(1601 + i % 800, 1 + i % 12, 1 + i % 28);
        }));
#ifndef _WIN32
    sim::Reset();
    sim::AddFolder("C:\\Vantor");
    EnsureConfigurationFile();
    Row("ReadDateConfiguration, default file (sim)", 2000, NanosecondsPerCall(2000, [&](long) {
            ReadDateConfiguration();
            gSink = gDateFormat.size();
        }));
#endif
    return 0;
}
