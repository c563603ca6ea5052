// Code pages: the ANSI code page (Windows-1252 on the systems served), UTF-8
// and UTF-16, and the locale-aware case mapping of ANSI text.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

constexpr unsigned kCodePageAnsi = 0;      // CP_ACP
constexpr unsigned kCodePageUtf8 = 65001;  // CP_UTF8
constexpr uint32_t kMbPrecomposed = 1;     // MB_PRECOMPOSED

// MultiByteToWideChar over exactly these bytes (embedded NULs included).
// Never fails: what cannot be converted comes out as the system's
// replacement character.
std::u16string MultiByteToWideChar(unsigned codePage, uint32_t flags, const std::string& bytes);

// WideCharToMultiByte with flags 0 and no default character: characters the
// code page lacks come out as the system's substitute.
std::string WideCharToMultiByte(unsigned codePage, const std::u16string& text);

// CompareStringOrdinal with case ignored: the system's own upper-case
// table, letter for letter, as the profile functions match names.
bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b);

// CharUpperBuffA / CharLowerBuffA over the whole string, in place.
void CharUpperBuffA(std::string& text);
void CharLowerBuffA(std::string& text);

}  // namespace platform
