// Time: fixed waits and today's date.
#pragma once

namespace platform {

struct LocalDate {
    int year;
    int month;
    int day;
};

// A fixed wait, during which messages other programs send to the program's
// windows are still answered.
void Sleep(unsigned milliseconds);

// GetLocalTime, the date part.
LocalDate GetLocalTime();

}  // namespace platform
