#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/dates/date_format.h"

namespace {

void ClearTables() {
    gShortWeekdayNames.assign(7, "");
    gLongWeekdayNames.assign(7, "");
    gShortMonthNames.assign(12, "");
    gLongMonthNames.assign(12, "");
}

void UseEnglishTables() {
    gShortWeekdayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    gLongWeekdayNames = {"Monday", "Tuesday", "Wednesday", "Thursday",
                         "Friday", "Saturday", "Sunday"};
    gShortMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    gLongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
}

struct FormatCase {
    int32_t year, month, day;
    const char* format;
    bool english;
    const char* expected;
};

const FormatCase kFormatCases[] = {
    {2026, 12, 7, "<b>w.dd/mm (Wwn)</b>", false, "<b>lun.07/12 (W50)</b>"},
    {2026, 12, 7, "<b>w.dd/mm/yyyy (wn)</b>", true, "<b>Mon.07/12/2026 (50)</b>"},
    {2026, 12, 7, "<b>w.dd/mm (Wwn)</b>", true, "<b>Mon.07/12 (W50)</b>"},
    {2026, 3, 5, "dd/d/dn", false, "05/5/4"},
    {2026, 8, 9, "MM M mm m", false, "ao\xC3\xBBt AOU 08 8"},
    {2005, 6, 15, "yyyy YYYY yy YY", false, "2005 2005 05 05"},
    {2026, 12, 7, "yyy", false, "26y"},
    {2026, 12, 7, "ddd", false, "077"},
    {2026, 12, 7, "date", false, "7ate"},
    {2026, 12, 7, "<em>", false, "<e12>"},
    {2026, 12, 7, "{Y4}", false, "2026"},
    {2026, 12, 7, "{SW} {LO} {Y2}", true, "Mon December 26"},
    {2026, 12, 7, "", true, ""},
    {2026, 12, 7, "<i>no tokens here</i>", true, "<i>no tokens here</i>"},
    {2026, 12, 7, "wd wd", true, "Monday Monday"},
    {2026, 2, 1, "w wd dn", false, "dim dimanche 7"},
    {2026, 12, 31, "MM M", false, "d\xC3\xA9" "cembre DEC"},
    {2026, 2, 28, "MM M", false, "f\xC3\xA9vrier FEV"},
    {2026, 1, 1, "d/m dd/mm", false, "1/1 01/01"},
    {805, 1, 1, "yyyy|yy", false, "805|05"},
    {7, 1, 1, "yyyy|yy", false, "7|7"},
    {2024, 12, 30, "wn/yyyy", false, "1/2024"},
    {2021, 1, 1, "wn/yyyy", false, "53/2021"},
};

TEST(FormatDate, FormatsEachExample) {
    for (const FormatCase& c : kFormatCases) {
        if (c.english) UseEnglishTables(); else ClearTables();
        EXPECT_EQ(FormatDate(c.year, c.month, c.day, c.format), c.expected)
            << c.format << " on " << c.year << "-" << c.month << "-" << c.day;
    }
}

// A name holding a placeholder or a token: placeholders are still replaced
// by the later steps, tokens never are.
TEST(FormatDate, NamesAreSearchedForLaterPlaceholdersOnly) {
    UseEnglishTables();
    gLongWeekdayNames[0] = "day {SD} of yyyy {WN}";
    EXPECT_EQ(FormatDate(2026, 12, 7, "wd"), "day 7 of yyyy {WN}");
}

TEST(FormatDate, NamesAreCopiedByteForByte) {
    UseEnglishTables();
    gLongMonthNames[11] = "d\xC3\xA9" "cembre";  // UTF-8 from a file saved as such
    EXPECT_EQ(FormatDate(2026, 12, 7, "MM"), "d\xC3\xA9" "cembre");
}

struct FallbackCase {
    std::vector<std::string>* table;
    size_t emptyEntry;  // 0-based
    int32_t year, month, day;
    const char* format;
    const char* expected;
};

TEST(FormatDate, TableFallsBackToFrenchOnlyWhenItsFirstEntryIsEmpty) {
    const FallbackCase cases[] = {
        {&gShortWeekdayNames, 0, 2026, 12, 9, "w", "mer"},
        {&gShortWeekdayNames, 2, 2026, 12, 9, "w", ""},
        {&gShortWeekdayNames, 2, 2026, 12, 8, "w", "Tue"},
        {&gLongWeekdayNames, 0, 2026, 12, 13, "wd", "dimanche"},
        {&gLongWeekdayNames, 6, 2026, 12, 13, "wd", ""},
        {&gShortMonthNames, 0, 2026, 8, 1, "M", "AOU"},
        {&gShortMonthNames, 7, 2026, 8, 1, "M", ""},
        {&gLongMonthNames, 0, 2026, 2, 1, "MM", "f\xC3\xA9vrier"},
        {&gLongMonthNames, 1, 2026, 2, 1, "MM", ""},
    };
    for (const FallbackCase& c : cases) {
        UseEnglishTables();
        (*c.table)[c.emptyEntry] = "";
        EXPECT_EQ(FormatDate(c.year, c.month, c.day, c.format), c.expected)
            << c.format << " with entry " << c.emptyEntry + 1 << " empty";
    }
}

TEST(FormatDate, FallbackReplacesTheWholeTableAndLasts) {
    UseEnglishTables();
    gShortWeekdayNames[0] = "";
    FormatDate(2026, 12, 7, "w");
    EXPECT_EQ(gShortWeekdayNames,
              (std::vector<std::string>{"lun", "mar", "mer", "jeu", "ven", "sam", "dim"}));
    EXPECT_EQ(gLongWeekdayNames[0], "Monday");  // the other tables stay as they were
    EXPECT_EQ(gShortMonthNames[0], "JAN");
}

TEST(FormatDate, FrenchNamesInFull) {
    ClearTables();
    const char* longMonths[] = {"janvier", "f\xC3\xA9vrier", "mars",      "avril",
                                "mai",     "juin",       "juillet",   "ao\xC3\xBBt",
                                "septembre", "octobre",  "novembre",  "d\xC3\xA9" "cembre"};
    const char* shortMonths[] = {"JAN", "FEV", "MAR", "AVR", "MAI", "JUN",
                                 "JUL", "AOU", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(FormatDate(2026, m, 1, "MM|M"),
                  std::string(longMonths[m - 1]) + "|" + shortMonths[m - 1]);
    // 2026-12-07 is a Monday.
    const char* longDays[] = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
    const char* shortDays[] = {"lun", "mar", "mer", "jeu", "ven", "sam", "dim"};
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(FormatDate(2026, 12, 7 + d, "wd|w|dn"),
                  std::string(longDays[d]) + "|" + shortDays[d] + "|" + std::to_string(d + 1));
}

// Tables made shorter than their full size by some caller give empty names
// rather than reading past their end.
TEST(FormatDate, ShortTablesGiveEmptyNames) {
    UseEnglishTables();
    gLongMonthNames.resize(3);
    gShortWeekdayNames.resize(1);
    EXPECT_EQ(FormatDate(2026, 12, 8, "[MM][w]"), "[][]");
}

struct WeekCase {
    int32_t year, month, day, week;
};

TEST(IsoWeekNumber, MatchesKnownWeeks) {
    const WeekCase cases[] = {
        {2021, 1, 1, 53},  {2021, 1, 3, 53},   {2021, 1, 4, 1},   {2024, 12, 30, 1},
        {2020, 12, 31, 53}, {2026, 12, 7, 50}, {2026, 1, 1, 1},   {2015, 12, 31, 53},
        {2016, 1, 3, 53},  {2008, 12, 29, 1},  {2010, 1, 3, 53},  {2004, 12, 31, 53},
        {2026, 12, 28, 53}, {2027, 1, 3, 53},  {2027, 1, 4, 1},   {1601, 1, 1, 1},
        {2018, 12, 31, 1}, {2019, 12, 29, 52}, {2019, 12, 30, 1},
    };
    for (const WeekCase& c : cases)
        EXPECT_EQ(IsoWeekNumber(c.year, c.month, c.day), c.week)
            << c.year << "-" << c.month << "-" << c.day;
}

TEST(Week1Monday, IsTheMondayOfTheFirstThursdaysWeek) {
    // 2021-01-04, 2024-01-01, 2026-12-28 (week 1 of 2027 starts 2027-01-04).
    EXPECT_EQ(Week1Monday(2021), DayNumber(2021, 1, 4));
    EXPECT_EQ(Week1Monday(2024), DayNumber(2024, 1, 1));
    EXPECT_EQ(Week1Monday(2025), DayNumber(2024, 12, 30));
    EXPECT_EQ(Week1Monday(2027), DayNumber(2027, 1, 4));
    EXPECT_EQ(Week1Monday(2020), DayNumber(2019, 12, 30));
}

TEST(DayNumber, IsTheJulianDayNumber) {
    EXPECT_EQ(DayNumber(2000, 1, 1), 2451545);
    EXPECT_EQ(DayNumber(1970, 1, 1), 2440588);
    EXPECT_EQ(DayNumber(1582, 10, 15), 2299161);  // first day of the Gregorian calendar
    EXPECT_EQ(DayNumber(1, 1, 1), 1721426);       // proleptic Gregorian
    EXPECT_EQ(WeekdayOf(2026, 12, 7), 1);
    EXPECT_EQ(WeekdayOf(2000, 1, 1), 6);
    EXPECT_EQ(WeekdayOf(1, 1, 1), 1);
}

// Callers pass valid dates; anything else must still come back, not trap.
TEST(FormatDate, OutOfRangeDatesStillGiveText) {
    UseEnglishTables();
    EXPECT_EQ(FormatDate(2026, 13, 40, "M|MM|mm|dd"), "||13|40");
    EXPECT_EQ(FormatDate(2026, 0, 0, "M|d"), "|0");
    EXPECT_FALSE(FormatDate(INT32_MAX, INT32_MAX, INT32_MAX, "wn w yyyy").empty());
    EXPECT_FALSE(FormatDate(INT32_MIN, INT32_MIN, INT32_MIN, "wn w yyyy").empty());
}

struct ReplaceCase {
    const char* text;
    const char* search;
    const char* replacement;
    const char* expected;
};

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlapOrRescanning) {
    const ReplaceCase cases[] = {
        {"aaaa", "aa", "b", "bb"},
        {"aaa", "aa", "b", "ba"},
        {"abc", "", "x", "abc"},
        {"abc", "b", "bb", "abbc"},
        {"abab", "ab", "ba", "baba"},
        {"xAx", "a", "b", "xAx"},
        {"", "a", "b", ""},
        {"abc", "abc", "", ""},
        {"a.b.c", ".", "--", "a--b--c"},
        {"abc", "abcd", "x", "abc"},
    };
    for (const ReplaceCase& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected)
            << c.text << " / " << c.search << " / " << c.replacement;
    EXPECT_EQ(ReplaceAll(std::string("a\0b\0", 4), std::string("\0", 1), "."), "a.b.");
}

}  // namespace
