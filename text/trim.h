// Trimming what a user typed or a file holds.
#pragma once

#include <string_view>

// Without the spaces (0x20 only) at either end: tabs and other white space
// a user typed are kept.
std::string_view TrimSpaces(std::string_view text);
