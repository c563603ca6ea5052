// Arbitrary date formats and name tables through the date format engine, on
// dates taken from the input: either any three 32-bit numbers, or a real
// calendar date, which is then checked against an independent calendar.
//
// Input: one flag byte (bit 0: real date, bit 1: tables as long as the lines
// given; the other bits choose where the format is split), the year as four
// bytes, month and day as one byte each, then lines: the date format, seven
// short and seven long weekday names, twelve short and twelve long month
// names. Missing lines are empty names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/dates/date_format.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

const std::vector<std::string> kFrenchShortWeekdays = {"lun", "mar", "mer", "jeu",
                                                       "ven", "sam", "dim"};
const std::vector<std::string> kFrenchLongWeekdays = {"lundi",    "mardi",  "mercredi", "jeudi",
                                                      "vendredi", "samedi", "dimanche"};
const std::vector<std::string> kFrenchShortMonths = {"JAN", "FEV", "MAR", "AVR", "MAI", "JUN",
                                                     "JUL", "AOU", "SEP", "OCT", "NOV", "DEC"};
const std::vector<std::string> kFrenchLongMonths = {
    "janvier", "f\xC3\xA9vrier", "mars",      "avril",   "mai",      "juin",
    "juillet", "ao\xC3\xBBt",    "septembre", "octobre", "novembre", "d\xC3\xA9" "cembre"};

const char* const kPlaceholders[] = {"{WN}", "{LW}", "{SW}", "{LD}", "{DN}", "{SD}",
                                     "{L#}", "{S#}", "{LO}", "{SH}", "{Y4}", "{Y2}"};

std::vector<std::string>* const kTables[] = {&gShortWeekdayNames, &gLongWeekdayNames,
                                             &gShortMonthNames, &gLongMonthNames};
const std::vector<std::string>* const kFrench[] = {&kFrenchShortWeekdays, &kFrenchLongWeekdays,
                                                   &kFrenchShortMonths, &kFrenchLongMonths};
const size_t kTableSizes[] = {7, 7, 12, 12};

struct Date {
    int32_t year, month, day;
};

std::string Format(const Date& date, const std::string& format) {
    return FormatDate(date.year, date.month, date.day, format);
}

bool IsLeap(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysIn(int32_t year, int32_t month) {
    static const int32_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Sakamoto's weekday, made 1 = Monday .. 7 = Sunday.
int32_t ReferenceWeekday(int32_t year, int32_t month, int32_t day) {
    static const int32_t offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    int32_t sunday0 = (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
    return sunday0 == 0 ? 7 : sunday0;
}

int32_t DayOfYear(int32_t year, int32_t month, int32_t day) {
    int32_t ordinal = day;
    for (int32_t m = 1; m < month; ++m) ordinal += DaysIn(year, m);
    return ordinal;
}

// A year has 53 ISO weeks when it starts on a Thursday, or on a Wednesday
// in a leap year.
int32_t IsoWeeksIn(int32_t year) {
    int32_t jan1 = ReferenceWeekday(year, 1, 1);
    return jan1 == 4 || (jan1 == 3 && IsLeap(year)) ? 53 : 52;
}

int32_t ReferenceIsoWeek(int32_t year, int32_t month, int32_t day) {
    int32_t week = (DayOfYear(year, month, day) - ReferenceWeekday(year, month, day) + 10) / 7;
    if (week < 1) return IsoWeeksIn(year - 1);
    if (week > IsoWeeksIn(year)) return 1;
    return week;
}

std::string TwoDigits(int32_t value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

bool HasBrace(const std::string& text) { return text.find('{') != std::string::npos; }

bool AnyNameHasBrace() {
    for (const std::vector<std::string>* table : kTables)
        for (const std::string& name : *table)
            if (HasBrace(name)) return true;
    return false;
}

bool HasTokenOrPlaceholder(const std::string& format) {
    if (format.find_first_of("wdmMyY") != std::string::npos) return true;
    for (const char* placeholder : kPlaceholders)
        if (format.find(placeholder) != std::string::npos) return true;
    return false;
}

size_t LongestValue() {
    size_t longest = 10;  // the digits of any 32-bit number, without sign
    for (const std::vector<std::string>* table : kTables)
        for (const std::string& name : *table) longest = std::max(longest, name.size());
    return longest;
}

// Every step replaces whole placeholders of four bytes; the token pass
// makes at most four bytes of each byte. Without braces in the names and
// the format, every value stands for at least one byte of the format.
void CheckLength(const std::string& format, const std::string& result) {
    size_t longest = LongestValue();
    if (!HasBrace(format) && !AnyNameHasBrace()) {
        Check(result.size() <= format.size() * longest);
        return;
    }
    double bound = 4.0 * double(format.size());
    for (int step = 0; step < 12; ++step)
        if (longest > 4) bound += (bound / 4) * double(longest - 4);
    Check(double(result.size()) <= bound);
}

// A table whose first entry was empty holds the built-in names afterwards;
// any other table is left as it was.
void CheckFallback(const std::vector<std::vector<std::string>>& before) {
    for (size_t t = 0; t < 4; ++t) {
        bool emptyFirst = before[t].empty() || before[t][0].empty();
        Check(*kTables[t] == (emptyFirst ? *kFrench[t] : before[t]));
    }
}

size_t Occurrences(const std::string& text, const std::string& search) {
    size_t count = 0;
    for (size_t at = text.find(search); at != std::string::npos; at = text.find(search, at + search.size()))
        ++count;
    return count;
}

void CheckReplaceAll(const std::string& text, const std::string& search, const std::string& replacement) {
    std::string result = ReplaceAll(text, search, replacement);
    if (search.empty()) {
        Check(result == text);
        return;
    }
    size_t count = Occurrences(text, search);
    Check(result.size() + count * search.size() == text.size() + count * replacement.size());
    if (count == 0) Check(result == text);
    Check(ReplaceAll(text, search, search) == text);
}

bool StandardTables() {
    for (size_t t = 0; t < 4; ++t)
        if (kTables[t]->size() != kTableSizes[t]) return false;
    return true;
}

// Single tokens on a real date, against the reference calendar and the
// tables as they stand after the fallback.
void CheckRealDate(const Date& date) {
    const auto [year, month, day] = date;
    int32_t weekday = ReferenceWeekday(year, month, day);
    Check(WeekdayOf(year, month, day) == weekday);
    Check(Format(date, "dn") == std::to_string(weekday));
    Check(Format(date, "wn") == std::to_string(ReferenceIsoWeek(year, month, day)));
    Check(Format(date, "dd") == TwoDigits(day));
    Check(Format(date, "d") == std::to_string(day));
    Check(Format(date, "mm") == TwoDigits(month));
    Check(Format(date, "m") == std::to_string(month));
    std::string yearText = std::to_string(year);
    Check(Format(date, "yyyy") == yearText && Format(date, "YYYY") == yearText);
    std::string lastTwo = yearText.size() <= 2 ? yearText : yearText.substr(yearText.size() - 2);
    Check(Format(date, "yy") == lastTwo && Format(date, "YY") == lastTwo);

    Date next = day < DaysIn(year, month) ? Date{year, month, day + 1}
              : month < 12                ? Date{year, month + 1, 1}
                                          : Date{year + 1, 1, 1};
    Check(DayNumber(next.year, next.month, next.day) == DayNumber(year, month, day) + 1);

    if (!StandardTables()) return;
    const struct {
        const char* token;
        const std::string& name;
    } names[] = {
        {"w", gShortWeekdayNames[weekday - 1]}, {"wd", gLongWeekdayNames[weekday - 1]},
        {"M", gShortMonthNames[month - 1]},     {"MM", gLongMonthNames[month - 1]},
    };
    for (const auto& n : names)
        if (!HasBrace(n.name)) Check(Format(date, n.token) == n.name);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void FillTables(const std::vector<std::string>& lines, bool shortTables) {
    size_t next = 1;
    for (size_t t = 0; t < 4; ++t) {
        std::vector<std::string>& table = *kTables[t];
        table.clear();
        for (size_t i = 0; i < kTableSizes[t]; ++i, ++next) {
            if (next < lines.size()) table.push_back(lines[next]);
            else if (!shortTables) table.push_back("");
        }
    }
}

Date DateFrom(const uint8_t* data, bool real) {
    uint32_t raw = uint32_t(data[1]) | uint32_t(data[2]) << 8 | uint32_t(data[3]) << 16 |
                   uint32_t(data[4]) << 24;
    if (!real) return {int32_t(raw), int32_t(int8_t(data[5])), int32_t(int8_t(data[6]))};
    int32_t year = int32_t(1 + raw % 9999);
    int32_t month = 1 + data[5] % 12;
    return {year, month, 1 + data[6] % DaysIn(year, month)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 7) return 0;
    const bool real = data[0] & 1, shortTables = data[0] & 2;
    const Date date = DateFrom(data, real);
    const std::vector<std::string> lines =
        SplitLines(std::string(reinterpret_cast<const char*>(data + 7), size - 7));
    const std::string& format = lines[0];
    FillTables(lines, shortTables);

    std::vector<std::vector<std::string>> before;
    for (const std::vector<std::string>* table : kTables) before.push_back(*table);
    const std::string result = Format(date, format);
    CheckFallback(before);
    CheckLength(format, result);
    if (!HasTokenOrPlaceholder(format)) Check(result == format);
    // The fallback has happened: formatting again gives the same text.
    Check(Format(date, format) == result);

    // Tokens are runs of letters: a blank put into the format splits its
    // result in two, as long as no brace can make a placeholder across it.
    if (!HasBrace(format) && !AnyNameHasBrace()) {
        size_t cut = (data[0] >> 2) % (format.size() + 1);
        std::string head = format.substr(0, cut), tail = format.substr(cut);
        Check(Format(date, head + " " + tail) == Format(date, head) + " " + Format(date, tail));
    }

    CheckReplaceAll(format, lines.size() > 1 ? lines[1] : "", lines.size() > 2 ? lines[2] : "");
    if (real) CheckRealDate(date);
    return 0;
}
