// Checks the calendar arithmetic day by day against the standard library's
// civil calendar, which shares none of its formulas.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "features/dates/date_format.h"

namespace {

using namespace std::chrono;

int ChronoIsoWeek(sys_days day) {
    unsigned isoWeekday = weekday(day).iso_encoding();  // Monday 1 .. Sunday 7
    sys_days thursday = day - days(isoWeekday - 1) + days(3);
    year thursdayYear = year_month_day(thursday).year();
    return static_cast<int>((thursday - sys_days(thursdayYear / January / 1)).count() / 7 + 1);
}

TEST(CalendarOracle, EveryDayFrom1601To2400AgreesWithTheCivilCalendar) {
    const sys_days first = sys_days(year(1601) / January / 1);
    const sys_days last = sys_days(year(2400) / December / 31);
    const int32_t epochDayNumber = DayNumber(1970, 1, 1);
    ASSERT_EQ(epochDayNumber, 2440588);

    long checked = 0, failures = 0;
    for (sys_days day = first; day <= last; day += days(1)) {
        year_month_day ymd(day);
        int32_t y = static_cast<int>(ymd.year());
        int32_t m = static_cast<unsigned>(ymd.month());
        int32_t d = static_cast<unsigned>(ymd.day());
        bool ok = DayNumber(y, m, d) - epochDayNumber == day.time_since_epoch().count() &&
                  WeekdayOf(y, m, d) == static_cast<int32_t>(weekday(day).iso_encoding()) &&
                  IsoWeekNumber(y, m, d) == ChronoIsoWeek(day);
        if (!ok && ++failures <= 10)
            ADD_FAILURE() << y << "-" << m << "-" << d << ": day " << DayNumber(y, m, d)
                          << " weekday " << WeekdayOf(y, m, d) << " week "
                          << IsoWeekNumber(y, m, d) << ", expected week " << ChronoIsoWeek(day);
        ++checked;
    }
    EXPECT_EQ(failures, 0);
    // 800 years, 194 of them leap years.
    EXPECT_EQ(checked, 800 * 365 + 194);
    RecordProperty("days_checked", static_cast<int>(checked));
    std::printf("calendar oracle: %ld days checked, 1601-01-01 to 2400-12-31\n", checked);
}

}  // namespace
