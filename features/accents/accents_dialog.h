// The accented capitals feature's entry, run by the dispatcher: the dialog
// owned by `owner` (or by no window) types the capital itself, so it
// returns -1 when a capital was typed and 0 otherwise.
#pragma once

#include "platform/types.h"

int AccentedCapitalsDialog(platform::WindowHandle owner);
