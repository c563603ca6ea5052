// The notice shown at every start: the program runs in the notification
// area, and should its hotkeys be active?
#pragma once

#include <cstdint>

// Set once the notice's answer has been taken, so that it is taken once.
extern int32_t gNoticeAnswered;

// Shows the notice modally; -1 when its check box was ticked at closing, 0
// when it was not.
int ShowStartupNotice();
