// The program's text in its three encodings: UTF-8 (what it holds), the
// ANSI code page (Windows-1252 on the systems served) and UTF-16 (what the
// W functions take). Every conversion between them is made here; those
// through the system go by platform/codepage.h.
#pragma once

#include <string>
#include <string_view>

// UTF-8 <-> ANSI code page, through UTF-16. Both stop at the first NUL.
std::string Utf8ToAnsi(const std::string& text);
std::string AnsiToUtf8(const std::string& text);

// To and from UTF-16, every byte or unit converted, NULs included. What
// cannot be converted comes out as the system's replacement or substitute
// character; nothing fails.
std::u16string Utf8ToUtf16(const std::string& text);
std::u16string AnsiToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
std::string Utf16ToAnsi(const std::u16string& text);

// UTF-16 as bytes, as a file or the clipboard holds it (no mark). An odd
// last byte is no unit and is dropped.
std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian);
std::string Utf16LittleEndianBytes(std::u16string_view text);

// Text read from the configuration file, as UTF-8: kept as it is when it is
// valid UTF-8, otherwise taken as Windows-1252 (what an editor saving "ANSI"
// gives) and converted. Decided for each text on its own; NULs are kept.
std::string FileTextToUtf8(const std::string& text);
bool IsValidUtf8(std::string_view text);

// A text cut at a size may end inside a character: without that last
// character's first bytes when what is before them is valid UTF-8, else
// as it is.
std::string WithoutCutCharacter(std::string text);

// The code point of the well-formed sequence at `at` (no overlong forms, no
// surrogates, nothing above U+10FFFF) and its length in bytes; kNotUtf8,
// length 1, for a byte that begins none.
constexpr char32_t kNotUtf8 = 0xFFFFFFFF;
char32_t ReadUtf8(std::string_view text, size_t at, size_t& length);

// One character, U+0000 to U+10FFFF, in UTF-8.
void AppendUtf8(std::string& out, char32_t code);
