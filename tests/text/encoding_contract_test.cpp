// UTF-8 <-> ANSI (Windows-1252), as the simulation and the system convert.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/contract.h"
#include "text/encoding.h"
#include "text/trim.h"

namespace {

class TextEncodingTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatform(); }
};

struct RoundTrip {
    std::string ansi;
    std::string utf8;
};

TEST_F(TextEncodingTest, ConvertsBothWays) {
    const RoundTrip cases[] = {
        {"", ""},
        {"plain ASCII 123", "plain ASCII 123"},
        {"\xE9", "\xC3\xA9"},
        {"\x80", "\xE2\x82\xAC"},
        {"Fran\xE7ois \xC9lo\xEFse", "Fran\xC3\xA7ois \xC3\x89lo\xC3\xAFse"},
        {"\x9C\x8C\x9F", "\xC5\x93\xC5\x92\xC5\xB8"},  // oe, OE, Y diaeresis
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.ansi;
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.ansi;
    }
}

// Valid UTF-8 stays as it is; anything else is read as Windows-1252.
TEST_F(TextEncodingTest, FileTextIsUtf8OrWindows1252) {
    const RoundTrip cases[] = {
        {"", ""},
        {"Z\xC3\xA9lie \xCE\x94 \xF0\x9F\x98\x80", "Z\xC3\xA9lie \xCE\x94 \xF0\x9F\x98\x80"},
        {"\x80\x81\x9F\xE9", "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xA9"},  // undefined 0x81 too
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},                 // one bad byte: the whole text
        {"\xC0\xAF\xED\xA0\x80", "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // overlong, surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // beyond U+10FFFF
        {"a\xE2\x82", "a\xC3\xA2\xE2\x80\x9A"},                          // cut short
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(FileTextToUtf8(c.ansi), c.utf8) << c.ansi;
        EXPECT_TRUE(IsValidUtf8(c.utf8)) << c.utf8;
    }
}

// What comes back is not the text given: cut at the first NUL, a character
// the code page lacks substituted, a byte that is no UTF-8 replaced.
TEST_F(TextEncodingTest, StopsAtTheFirstNulAndReplacesWhatItCannotConvert) {
    EXPECT_EQ(AnsiToUtf8(std::string("ab\0\xE9", 4)), "ab");
    EXPECT_EQ(Utf8ToAnsi(std::string("ab\0\xC3\xA9", 5)), "ab");
    EXPECT_EQ(AnsiToUtf8(std::string("\0abc", 4)), "");
    EXPECT_EQ(Utf8ToAnsi(std::string("\0abc", 4)), "");
    EXPECT_EQ(Utf8ToAnsi("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK ideograph
    const std::string replaced = Utf8ToAnsi("x\xFFy");
    EXPECT_TRUE(replaced.size() == 3 && replaced[0] == 'x' && replaced[1] != '\0' && replaced[2] == 'y') << replaced;
}

TEST_F(TextEncodingTest, LongTextIsConvertedWhole) {
    std::string euros(20000, '\x80');
    std::string utf8 = AnsiToUtf8(euros);
    ASSERT_EQ(utf8.size(), 60000u);
    EXPECT_EQ(utf8.substr(59997), "\xE2\x82\xAC");
    EXPECT_EQ(Utf8ToAnsi(utf8), euros);
}

TEST(TrimSpaces, RemovesSpacesOnly) {
    for (const auto& [text, trimmed] : {std::pair{"  a b  ", "a b"}, {"\ta\t ", "\ta\t"}, {"   ", ""}, {"", ""}})
        EXPECT_EQ(TrimSpaces(text), trimmed) << text;
}

}  // namespace
