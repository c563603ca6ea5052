// The date picker's entry, run by the dispatcher: a modal dialog owned by
// `owner` (or by no window) showing `icon`; -1 when the chosen date waits on the clipboard
// to be pasted, 0 otherwise.
#pragma once

#include "platform/types.h"

// Its calendar, as other programs find it.
constexpr unsigned short kDatePickerCalendar = 1001;

int DatePickerDialog(platform::WindowHandle owner, platform::IconHandle icon);
