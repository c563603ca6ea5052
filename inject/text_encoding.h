// UTF-8 <-> ANSI code page, through UTF-16. Both stop at the first NUL.
#pragma once

#include <string>

std::string Utf8ToAnsi(const std::string& text);
std::string AnsiToUtf8(const std::string& text);
