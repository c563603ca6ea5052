// The accented capitals feature's entry, run by the dispatcher: the dialog
// owned by `owner` (or by no window), showing `icon`, types the capital
// itself, so it returns -1 when a capital was typed and 0 otherwise.
#pragma once

#include "platform/types.h"

// Its controls, as other programs find them.
enum : unsigned short { kAccentsPrompt = 100, kAccentsKeyCatcher = 102 };

int AccentedCapitalsDialog(platform::WindowHandle owner, platform::IconHandle icon);
