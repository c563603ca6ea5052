// The month calendar of another process, as a driver sees it: where each
// day's cell is on screen, and a click that lands where it is aimed.
#pragma once
#include <windows.h>

#include <map>

namespace e2e {

struct CalendarMap {
    std::map<long, POINT> days;  // yyyymmdd of the month shown -> the cell's screen centre
    POINT next{-1, -1};          // the arrow to the next month
};

long DayKey(int year, int month, int day);

// Probes the calendar's client area with MCM_HITTEST; `process` is the
// calendar's, opened for VM operations.
CalendarMap MapCalendar(HANDLE process, HWND calendar);

// A click whose button event can come before the move in the same batch has
// been applied lands where the pointer was; so the pointer is moved first and
// the click sent once it is there.
void ClickAtSettled(POINT point);

}  // namespace e2e
