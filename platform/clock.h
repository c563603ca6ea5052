// Time: fixed waits, elapsed time and today's date.
#pragma once

#include <cstdint>

#include "platform/types.h"

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

// SetTimer/KillTimer on one of the program's windows: WM_TIMER with this id
// comes through the message loop (never inside Sleep) once the time is up,
// and again each period until killed.
void SetTimer(WindowHandle window, uintptr_t id, unsigned milliseconds);
void KillTimer(WindowHandle window, uintptr_t id);

// GetLocalTime, the date part.
LocalDate GetLocalTime();

}  // namespace platform
