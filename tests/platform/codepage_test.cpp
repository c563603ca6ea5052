// Conversion details of the simulation that the contract cases leave out.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/sim/sim.h"

namespace {

TEST(CodePage, IllFormedUtf8GivesOneReplacementPerBadPart) {
    sim::Reset();
    struct {
        const char* what;
        std::string utf8;
        std::u16string text;
    } cases[] = {
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"cut three-byte sequence", "\xE2\x82x", u"\uFFFDx"},
        {"cut four-byte sequence", "\xF0\x9F\x98", u"\uFFFD"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, c.utf8), c.text) << c.what;
}

TEST(CodePage, LoneSurrogates) {
    sim::Reset();
    std::u16string lone = u"a";
    lone += char16_t(0xD800);
    lone += u'b';
    EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageUtf8, lone), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageAnsi, lone), "a?b");
}

TEST(CodePage, EveryAnsiByteRoundTrips) {
    sim::Reset();
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::u16string text = platform::MultiByteToWideChar(platform::kCodePageAnsi, 1, all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageAnsi, text), all);
    EXPECT_EQ(platform::MultiByteToWideChar(
                  platform::kCodePageUtf8, 0, platform::WideCharToMultiByte(platform::kCodePageUtf8, text)),
              text);
}

TEST(CodePage, SharpSAndMicroKeepTheirCase) {
    sim::Reset();
    std::string text = "\xDF\xB5\xAA\xBA";
    platform::CharUpperBuffA(text);
    EXPECT_EQ(text, "\xDF\xB5\xAA\xBA");
    platform::CharLowerBuffA(text);
    EXPECT_EQ(text, "\xDF\xB5\xAA\xBA");
}

}  // namespace
