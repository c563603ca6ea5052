// UTF-8 <-> ANSI code page, through UTF-16. Both stop at the first NUL.
#pragma once

#include <string>
#include <string_view>

std::string Utf8ToAnsi(const std::string& text);
std::string AnsiToUtf8(const std::string& text);

// Text read from the configuration file, as UTF-8: kept as it is when it is
// valid UTF-8, otherwise taken as Windows-1252 (what an editor saving "ANSI"
// gives) and converted. Decided for each text on its own; NULs are kept.
std::string FileTextToUtf8(const std::string& text);
bool IsValidUtf8(const std::string& text);

// One character, U+0000 to U+10FFFF, in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Without the spaces (0x20 only) at either end: tabs and other white space
// a user typed are kept.
std::string_view TrimSpaces(std::string_view text);
