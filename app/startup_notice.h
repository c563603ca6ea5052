// The notice shown at every start: the program runs in the notification
// area, and should its hotkeys be active?
#pragma once

// Its controls, as other programs find them.
enum : unsigned short { kRunningLabel = 1001, kHintLabel = 1002, kCatchKeysBox = 1003, kPicture = 1004 };

// Shows the notice modally; -1 when its check box was ticked at closing, 0
// when it was not.
int ShowStartupNotice();
