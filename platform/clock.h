// Time: fixed waits, elapsed time and today's date.
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

// GetTickCount: milliseconds since some moment, for a wait whose steps take
// time of their own. Compare by difference: it wraps after 49 days.
unsigned GetTickCount();

// GetLocalTime, the date part.
LocalDate GetLocalTime();

}  // namespace platform
