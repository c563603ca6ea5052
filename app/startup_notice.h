// The notice shown at every start: the program runs in the notification
// area, and should its hotkeys be active?
#pragma once

// Shows the notice modally; -1 when its check box was ticked at closing, 0
// when it was not.
int ShowStartupNotice();
