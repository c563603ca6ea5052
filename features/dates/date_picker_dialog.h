// The date picker's entry, run by the dispatcher: a modal dialog owned by
// `owner` (or by no window) showing `icon`; -1 when the chosen date waits on the clipboard
// to be pasted, 0 otherwise.
#pragma once

#include "app/display_scale.h"
#include "platform/types.h"

// Its calendar, as other programs find it.
constexpr unsigned short kDatePickerCalendar = 1001;

int DatePickerDialog(platform::WindowHandle owner, platform::IconHandle icon);

// A month calendar filling a client laid out in pixels.
inline const PixelLayout kDatePickerLayout = {{456, 308}, 0};
inline const std::vector<PixelPlace> kDatePickerPlaces = {{kDatePickerCalendar, 0, 0, 456, 308, false, false}};
