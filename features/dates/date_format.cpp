#include "features/dates/date_format.h"

std::vector<std::string> gShortWeekdayNames(7);
std::vector<std::string> gLongWeekdayNames(7);
std::vector<std::string> gShortMonthNames(12);
std::vector<std::string> gLongMonthNames(12);
std::string gDateFormat;

namespace {

// UTF-8, as everything the date becomes in its HTML.
const std::vector<std::string> kFrenchShortWeekdays = {"lun", "mar", "mer", "jeu", "ven", "sam", "dim"};
const std::vector<std::string> kFrenchLongWeekdays = {"lundi",    "mardi",  "mercredi", "jeudi",
                                                      "vendredi", "samedi", "dimanche"};
const std::vector<std::string> kFrenchShortMonths = {"JAN", "FEV", "MAR", "AVR", "MAI", "JUN",
                                                     "JUL", "AOU", "SEP", "OCT", "NOV", "DEC"};
// clang-format off
const std::vector<std::string> kFrenchLongMonths = {
    "janvier", "f\xC3\xA9vrier", "mars",      "avril",   "mai",      "juin",
    "juillet", "ao\xC3\xBBt",    "septembre", "octobre", "novembre", "d\xC3\xA9" "cembre"};
// clang-format on

struct Token {
    const char* token;
    const char* placeholder;
};

// Longer tokens come before the shorter ones they contain, and no
// placeholder contains a token that is replaced after it.
const Token kTokens[] = {
    {"wn", "{WN}"}, {"wd", "{LW}"}, {"w", "{SW}"}, {"dd", "{LD}"},   {"dn", "{DN}"},   {"d", "{SD}"},  {"mm", "{L#}"},
    {"m", "{S#}"},  {"MM", "{LO}"}, {"M", "{SH}"}, {"yyyy", "{Y4}"}, {"YYYY", "{Y4}"}, {"yy", "{Y2}"}, {"YY", "{Y2}"},
};

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// Wide arithmetic so that no year, however absurd, overflows on the way.
int64_t WideDayNumber(int64_t year, int64_t month, int64_t day) {
    if (month == 1 || month == 2) {
        month += 12;
        year -= 1;
    }
    int64_t shifted = year + 4712;
    return day + 365 * shifted + FloorDiv(shifted, 4) - year / 100 + year / 400 + FloorDiv(306 * (month - 1) + 2, 10);
}

int64_t WideWeek1Monday(int64_t year) {
    int64_t n = WideDayNumber(year, 1, 1);
    while (FloorMod(n, 7) + 1 != 4) ++n;
    return n - 3;
}

void FallBackToFrench(std::vector<std::string>& table, const std::vector<std::string>& french) {
    if (table.empty() || table[0].empty()) table = french;
}

// Entry `number` (1-based) of a table; a missing entry is empty text.
std::string NameAt(const std::vector<std::string>& table, int32_t number) {
    if (number < 1 || static_cast<size_t>(number) > table.size()) return "";
    return table[number - 1];
}

std::string Decimal(int64_t value) { return std::to_string(value < 0 ? -value : value); }

std::string TwoDigits(int64_t value) {
    std::string text = Decimal(value);
    return text.size() < 2 ? "0" + text : text;
}

std::string LastTwo(const std::string& text) { return text.size() <= 2 ? text : text.substr(text.size() - 2); }

}  // namespace

int32_t DayNumber(int32_t year, int32_t month, int32_t day) {
    return static_cast<int32_t>(WideDayNumber(year, month, day));
}

int32_t WeekdayOf(int32_t year, int32_t month, int32_t day) {
    return static_cast<int32_t>(FloorMod(WideDayNumber(year, month, day), 7) + 1);
}

int32_t Week1Monday(int32_t year) { return static_cast<int32_t>(WideWeek1Monday(year)); }

int32_t IsoWeekNumber(int32_t year, int32_t month, int32_t day) {
    int64_t start = WideWeek1Monday(year);
    int64_t end = WideWeek1Monday(int64_t{year} + 1) - 1;
    int64_t n = WideDayNumber(year, month, day);
    if (n < start) return static_cast<int32_t>((n - WideWeek1Monday(int64_t{year} - 1)) / 7 + 1);
    if (n > end) return 1;
    return static_cast<int32_t>((n - start) / 7 + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& search, const std::string& replacement) {
    if (search.empty()) return text;
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string FormatDate(int32_t year, int32_t month, int32_t day, const std::string& format) {
    FallBackToFrench(gShortWeekdayNames, kFrenchShortWeekdays);
    FallBackToFrench(gLongWeekdayNames, kFrenchLongWeekdays);
    FallBackToFrench(gShortMonthNames, kFrenchShortMonths);
    FallBackToFrench(gLongMonthNames, kFrenchLongMonths);

    int32_t week = IsoWeekNumber(year, month, day);
    int32_t weekday = WeekdayOf(year, month, day);
    std::string yearText = Decimal(year);

    std::string text = format;
    for (const Token& t : kTokens) text = ReplaceAll(text, t.token, t.placeholder);

    text = ReplaceAll(text, "{WN}", Decimal(week));
    text = ReplaceAll(text, "{LW}", NameAt(gLongWeekdayNames, weekday));
    text = ReplaceAll(text, "{SW}", NameAt(gShortWeekdayNames, weekday));
    text = ReplaceAll(text, "{LD}", TwoDigits(day));
    text = ReplaceAll(text, "{DN}", Decimal(weekday));
    text = ReplaceAll(text, "{SD}", Decimal(day));
    text = ReplaceAll(text, "{L#}", TwoDigits(month));
    text = ReplaceAll(text, "{S#}", Decimal(month));
    text = ReplaceAll(text, "{LO}", NameAt(gLongMonthNames, month));
    text = ReplaceAll(text, "{SH}", NameAt(gShortMonthNames, month));
    text = ReplaceAll(text, "{Y4}", yearText);
    text = ReplaceAll(text, "{Y2}", LastTwo(yearText));
    return text;
}
