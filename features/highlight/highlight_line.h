// The line highlighter's colours and its line routine.
#pragma once

#include <string>

#include "platform/types.h"

struct HighlightColour {
    unsigned virtualKey;  // the keypad's digit of its swatch, from VK_NUMPAD0 on
    const char* name;
    unsigned char red, green, blue;
};
// The dialog shows a swatch for each, in this order.
inline constexpr HighlightColour kHighlightColours[] = {
    {96, "transparent", 255, 255, 255}, {97, "aqua", 0, 255, 255},    {98, "lime", 0, 255, 0},
    {99, "fuchsia", 255, 0, 255},       {100, "yellow", 255, 255, 0},
};

// The colour name for a keypad key, or "" for any other key.
std::string HighlightColourForKey(unsigned virtualKey);

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
