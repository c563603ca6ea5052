// The line highlighter's entry, run by the dispatcher: a modal dialog owned
// by `owner` (or by no window); -1 when the recoloured line waits on the
// clipboard to be pasted, 0 otherwise.
#pragma once

#include "platform/types.h"

int HighlightLineDialog(platform::WindowHandle owner);
