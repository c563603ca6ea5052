// The line highlighter's colours and its line routine.
#pragma once

#include <string>

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
// recoloured. False, after a beep, when the copy never came (or left no
// document) or the clipboard could not be written: then nothing may be
// pasted, since the clipboard holds something other than the line.
bool HighlightCurrentLine(const std::string& colourName);

// How long the copy of the line may take: a note program copies a long page,
// or one that is syncing, in hundreds of milliseconds.
constexpr unsigned kCopyWaitMs = 1000;
