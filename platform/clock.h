// Time: fixed waits and today's date.
#pragma once

namespace platform {

struct LocalDate {
    int year;
    int month;
    int day;
};

void Sleep(unsigned milliseconds);

// GetLocalTime, the date part.
LocalDate GetLocalTime();

}  // namespace platform
