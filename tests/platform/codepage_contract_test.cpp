// Code page conversions and ANSI case mapping as both platforms answer them.
#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "tests/support/contract.h"

namespace {

using platform::kCodePageAnsi;
using platform::kCodePageUtf8;

std::string AnsiToUtf8(const std::string& ansi) {
    return platform::WideCharToMultiByte(
        kCodePageUtf8, platform::MultiByteToWideChar(kCodePageAnsi, platform::kMbPrecomposed, ansi));
}

std::string Utf8ToAnsi(const std::string& utf8) {
    return platform::WideCharToMultiByte(kCodePageAnsi,
                                         platform::MultiByteToWideChar(kCodePageUtf8, 0, utf8));
}

TEST(CodePageContract, AnsiAndUtf8RoundTrip) {
    ResetPlatform();
    struct {
        const char* what;
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {"empty", "", ""},
        {"ASCII", "Doe, John", "Doe, John"},
        {"e acute", "\xE9", "\xC3\xA9"},
        {"capital E acute", "\xC9t\xE9", "\xC3\x89t\xC3\xA9"},
        {"euro", "\x80", "\xE2\x82\xAC"},
        {"S caron", "\x8A", "\xC5\xA0"},
        {"Y diaeresis", "\x9F", "\xC5\xB8"},
        {"y diaeresis", "\xFF", "\xC3\xBF"},
        {"embedded NUL kept", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.what;
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.what;
    }
}

TEST(CodePageContract, AnsiBytesBecomeTheirUnicodeCharacters) {
    ResetPlatform();
    struct {
        unsigned char byte;
        char16_t unit;
    } cases[] = {{0x41, u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x85, 0x2026}, {0x8C, 0x0152},
                 {0x8D, 0x008D},  {0x8F, 0x008F}, {0x90, 0x0090}, {0x92, 0x2019}, {0x96, 0x2013},
                 {0x99, 0x2122},  {0x9D, 0x009D}, {0xA0, 0x00A0}, {0xC9, 0x00C9}, {0xFF, 0x00FF}};
    for (const auto& c : cases) {
        std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(platform::MultiByteToWideChar(kCodePageAnsi, platform::kMbPrecomposed, byte),
                  std::u16string(1, c.unit))
            << std::hex << unsigned(c.byte);
    }
}

TEST(CodePageContract, Utf8Decoding) {
    ResetPlatform();
    struct {
        const char* what;
        std::string utf8;
        std::u16string text;
    } cases[] = {
        {"two-byte", "\xC3\xA9", u"\u00E9"},
        {"three-byte", "\xE4\xB8\xAD", u"\u4E2D"},
        {"four-byte as a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"invalid byte", "a\xFF" "b", u"a\uFFFDb"},
        {"lone continuation byte", "\x80", u"\uFFFD"},
        {"truncated at the end", "a\xC3", u"a\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MultiByteToWideChar(kCodePageUtf8, 0, c.utf8), c.text) << c.what;
}

TEST(CodePageContract, Utf16Encoding) {
    ResetPlatform();
    EXPECT_EQ(platform::WideCharToMultiByte(kCodePageUtf8, u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::WideCharToMultiByte(kCodePageUtf8, u"\u20AC"), "\xE2\x82\xAC");
    // A character that Windows-1252 lacks becomes the substitute '?'.
    EXPECT_EQ(Utf8ToAnsi("a\xE4\xB8\xAD" "b"), "a?b");
    EXPECT_EQ(platform::WideCharToMultiByte(kCodePageAnsi, u"\u4E2D\u6587"), "??");
}

TEST(CodePageContract, CaseMappingOfAnsiLetters) {
    ResetPlatform();
    struct {
        std::string lower;
        std::string upper;
    } pairs[] = {
        {"abcxyz", "ABCXYZ"},
        {"\xE9\xE0\xE7\xE8\xF9\xEA\xEB\xEE\xEF\xF4\xFB\xFC", "\xC9\xC0\xC7\xC8\xD9\xCA\xCB\xCE\xCF\xD4\xDB\xDC"},
        {"\xE6\xF1\xF8\xFE\xE5", "\xC6\xD1\xD8\xDE\xC5"},
        {"\x9C\x9A\x9E", "\x8C\x8A\x8E"},
        {"0123 !@#[]{}~\xF7\xD7", "0123 !@#[]{}~\xF7\xD7"},
    };
    for (const auto& pair : pairs) {
        std::string upper = pair.lower;
        platform::CharUpperBuffA(upper);
        EXPECT_EQ(upper, pair.upper);
        std::string lower = pair.upper;
        platform::CharLowerBuffA(lower);
        EXPECT_EQ(lower, pair.lower);
    }
    std::string yDiaeresis = "\xFF";
    platform::CharUpperBuffA(yDiaeresis);
    EXPECT_EQ(yDiaeresis, "\x9F");
    platform::CharLowerBuffA(yDiaeresis);
    EXPECT_EQ(yDiaeresis, "\xFF");
}

}  // namespace
