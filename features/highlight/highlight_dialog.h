// The line highlighter's entry, run by the dispatcher: a modal dialog owned
// by `owner` (or by no window) showing `icon`; -1 when the recoloured line waits on the
// clipboard to be pasted, 0 otherwise.
#pragma once

#include "platform/types.h"

// Its controls, as other programs find them.
enum : unsigned short { kHighlightStrip = 100, kHighlightKeyCatcher = 102 };

int HighlightLineDialog(platform::WindowHandle owner, platform::IconHandle icon);
