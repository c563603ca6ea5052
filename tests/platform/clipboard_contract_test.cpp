// Clipboard round trips as both platforms answer them. The clipboard is
// opened without an owner window, as a test has none.
#include <gtest/gtest.h>

#include <string>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "tests/support/contract.h"

namespace {

bool Put(unsigned format, const std::string& bytes) {
    if (!platform::OpenClipboard(nullptr)) return false;
    bool emptied = platform::EmptyClipboard();
    bool put = platform::PutClipboardBytes(format, bytes, platform::kGmemMoveable);
    return platform::CloseClipboard() && emptied && put;
}

bool Get(unsigned format, std::string& bytes) {
    if (!platform::OpenClipboard(nullptr)) return false;
    bool found = platform::GetClipboardBytes(format, bytes);
    platform::CloseClipboard();
    return found;
}

TEST(ClipboardContract, RegisteredNamesGiveStableIds) {
    ResetPlatform();
    unsigned id = platform::RegisterClipboardFormatA("Vantor Contract Format");
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(platform::RegisterClipboardFormatA("Vantor Contract Format"), id);
    EXPECT_EQ(platform::RegisterClipboardFormatA("VANTOR contract FORMAT"), id);
    EXPECT_NE(platform::RegisterClipboardFormatA("Vantor Other Format"), id);
}

TEST(ClipboardContract, BlocksComeBackUpToTheirFirstNul) {
    ResetPlatform();
    unsigned html = platform::RegisterClipboardFormatA("HTML Format");
    ASSERT_NE(html, 0u);
    struct {
        const char* what;
        unsigned format;
        std::string written;
        std::string read;
    } cases[] = {
        {"registered format", html, "Version:1.0\r\n<b>x</b>", "Version:1.0\r\n<b>x</b>"},
        {"plain text", platform::kClipboardText, "@", "@"},
        {"cut at the first NUL", html, std::string("ab\0cd", 5), "ab"},
        {"ANSI bytes", platform::kClipboardText, "\xC9t\xE9 \x80", "\xC9t\xE9 \x80"},
    };
    for (const auto& c : cases) {
        unsigned before = platform::GetClipboardSequenceNumber();
        ASSERT_TRUE(Put(c.format, c.written)) << c.what;
        unsigned changed = platform::GetClipboardSequenceNumber();
        EXPECT_NE(changed, before) << c.what;
        std::string read = "stale";
        EXPECT_TRUE(Get(c.format, read)) << c.what;
        EXPECT_EQ(read, c.read) << c.what;
        EXPECT_EQ(platform::GetClipboardSequenceNumber(), changed) << c.what << ": reading is no change";
    }
}

TEST(ClipboardContract, AbsentFormatIsNotFound) {
    ResetPlatform();
    unsigned absent = platform::RegisterClipboardFormatA("Vantor Absent Format");
    unsigned html = platform::RegisterClipboardFormatA("HTML Format");
    ASSERT_TRUE(Put(html, "first"));
    // Emptying before the second write discards the first format.
    ASSERT_TRUE(Put(platform::kClipboardText, "second"));
    std::string read;
    EXPECT_FALSE(Get(absent, read));
    EXPECT_FALSE(Get(html, read));
    EXPECT_TRUE(Get(platform::kClipboardText, read));
    EXPECT_EQ(read, "second");
}

// The wait for a copy is timed by the tick count.
TEST(ClockContract, SleepShowsOnTheTickCount) {
    unsigned start = platform::GetTickCount();
    platform::Sleep(30);
    EXPECT_GE(platform::GetTickCount() - start, 30u);
}

}  // namespace
