// The line highlighter's colours and its line routine.
#pragma once

#include <string>

#include "platform/types.h"

struct HighlightColour {
    unsigned virtualKey;  // VK_NUMPAD0 .. VK_NUMPAD4
    const char* name;
    unsigned char red, green, blue;
};
extern const HighlightColour kHighlightColours[5];

// The colour name for a keypad key, or "" for any other key.
std::string HighlightColourForKey(unsigned virtualKey);

// Process-wide: the colour chosen by the last key-down, or empty.
extern std::string gPendingColour;

// Selects and copies the line in front, and puts it back on the clipboard
// recoloured. With a target (the dialog's owner), only a change placed by
// its process, by that of one of its child windows, or by no window at all
// is taken as the copy. False, after a beep, when the copy never
// came (or left no document) or the clipboard could not be written: then
// nothing may be pasted, since the clipboard holds something other than the
// line, and End has gone to the target so that no selection is left for
// the user's next key to replace.
bool HighlightCurrentLine(platform::WindowHandle target, const std::string& colourName);

// How long the copy of the line may take: a note program copies a long page,
// or one that is syncing, in hundreds of milliseconds.
constexpr unsigned kCopyWaitMs = 1000;
