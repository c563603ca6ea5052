// The date format engine: a template of tokens ("w.dd/mm/yyyy (wn)") and four
// name tables turned into the text pasted for one date.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Process-wide tables, index 0 = weekday 1 (Monday) / month 1 (January).
// Refilled by ReadDateConfiguration.
extern std::vector<std::string> gShortWeekdayNames;  // 7
extern std::vector<std::string> gLongWeekdayNames;   // 7
extern std::vector<std::string> gShortMonthNames;    // 12
extern std::vector<std::string> gLongMonthNames;     // 12
extern std::string gDateFormat;

std::string FormatDate(int32_t year, int32_t month, int32_t day, const std::string& format);
int32_t DayNumber(int32_t year, int32_t month, int32_t day);
int32_t WeekdayOf(int32_t year, int32_t month, int32_t day);
int32_t Week1Monday(int32_t year);
int32_t IsoWeekNumber(int32_t year, int32_t month, int32_t day);
std::string ReplaceAll(const std::string& text, const std::string& search, const std::string& replacement);
