// UTF-8 <-> ANSI code page, through UTF-16. Both stop at the first NUL.
#pragma once

#include <string>

std::string Utf8ToAnsi(const std::string& text);
std::string AnsiToUtf8(const std::string& text);

// Text read from the configuration file, as UTF-8: kept as it is when it is
// valid UTF-8, otherwise taken as Windows-1252 (what an editor saving "ANSI"
// gives) and converted. Decided for each text on its own; NULs are kept.
std::string FileTextToUtf8(const std::string& text);
bool IsValidUtf8(const std::string& text);
