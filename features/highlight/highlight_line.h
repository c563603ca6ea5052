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

void HighlightCurrentLine(platform::WindowHandle owner, const std::string& colourName);
