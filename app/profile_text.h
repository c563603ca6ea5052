// The configuration file read by the profile functions' rules, but by the
// program itself: for what those functions do not tell (every name of a
// section, a line without "=" included) and for a file they would misread
// (a mark other than FF FE, which Windows does not honour), which the
// program never hands to them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class FileMark { None, Utf16LittleEndian, Utf16BigEndian, Utf8 };
FileMark MarkOf(std::string_view bytes);
// A file Windows' profile functions would not read as the mark says.
bool HasForeignMark(std::string_view bytes);

// The text in UTF-16 as the profile functions see it: UTF-16 after an FF FE
// mark; the ANSI code page, byte for byte, without one. A file with another
// mark is read as the mark says.
std::u16string ProfileUnits(const std::string& bytes);

// The same file as FF FE and UTF-16 little-endian, holding the text as the
// program's readers take it: each name and each value of a file without a
// mark (or with the UTF-8 one) as UTF-8 when it is valid UTF-8, else as
// Windows-1252.
std::string UnicodeFileOf(const std::string& bytes);

struct ProfileEntry {
    std::u16string name;
    bool hasValue;  // false for a line without "="
    std::u16string value;
};

// The entries of the first section of that name (trimmed, in any case), in
// file order; empty when there is none.
std::vector<ProfileEntry> SectionEntries(const std::u16string& text, std::u16string_view section);

// The first entry of these whose name the profile functions take for `key`
// (trimmed, in any case); null when none.
const ProfileEntry* EntryNamed(const std::vector<ProfileEntry>& entries, std::u16string_view key);

// What GetPrivateProfileString with a buffer of `size` characters gives for
// the key: its value, one pair of quotes off, or the default.
std::u16string ProfileValue(const std::u16string& text, std::u16string_view section, std::u16string_view key,
                            std::u16string_view fallback, unsigned size);
