// Clipboard round trips as both platforms answer them. The clipboard is
// opened without an owner window, as a test has none.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"
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
    EXPECT_EQ(platform::RegisterClipboardFormatA(""), 0u);
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

// What the system tells the owner window, as the program's keeper of the
// user's clipboard relies on it.
std::vector<std::pair<unsigned, unsigned>> gOwnerMessages;
unsigned gRenderFormat;

void RecordOwnerMessage(unsigned message, unsigned format) {
    gOwnerMessages.push_back({message, format});
    if (message == platform::kRenderFormatMessage)
        platform::PutClipboardBytes(format, "rendered", platform::kGmemMoveable);
    if (message == platform::kRenderAllFormatsMessage && platform::OpenClipboard(nullptr)) {
        platform::PutClipboardBytes(gRenderFormat, "rendered at the end", platform::kGmemMoveable);
        platform::CloseClipboard();
    }
}

size_t Told(unsigned message) {
    size_t count = 0;
    for (const auto& told : gOwnerMessages) count += told.first == message;
    return count;
}

TEST(ClipboardContract, FormatsInOrderWithSynthesisedOnesAfter) {
    ResetPlatform();
    unsigned first = platform::RegisterClipboardFormatA("Vantor Contract First");
    unsigned last = platform::RegisterClipboardFormatA("Vantor Contract Last");
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    platform::EmptyClipboard();
    platform::PutClipboardBlock(first, std::string("\x01\0\x02", 3));
    platform::PutClipboardBlock(platform::kClipboardUnicodeText, std::string("\xE9\0t\0\0\0", 6));
    platform::PutClipboardBlock(last, "z");
    platform::CloseClipboard();
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    std::vector<unsigned> listed = platform::ClipboardFormats();
    std::string block, text;
    EXPECT_TRUE(platform::GetClipboardBlock(first, block, 100));
    EXPECT_EQ(block, std::string("\x01\0\x02", 3)) << "a block comes back whole, NULs and all";
    EXPECT_TRUE(platform::GetClipboardBlock(first, block, 2));
    EXPECT_EQ(block, "") << "past the limit: nothing copied";
    EXPECT_TRUE(platform::GetClipboardBytes(platform::kClipboardText, text));
    EXPECT_EQ(platform::GetClipboardFormatNameA(first), "Vantor Contract First");
    EXPECT_EQ(platform::GetClipboardFormatNameA(platform::kClipboardText), "");
    platform::CloseClipboard();
    ASSERT_GE(listed.size(), 5u);
    EXPECT_EQ(std::vector<unsigned>(listed.begin(), listed.begin() + 3),
              (std::vector<unsigned>{first, platform::kClipboardUnicodeText, last}));
    for (unsigned made : {1u, 7u, 16u})  // CF_TEXT, CF_OEMTEXT, CF_LOCALE
        EXPECT_NE(std::find(listed.begin() + 3, listed.end(), made), listed.end()) << made;
    EXPECT_EQ(text, "\xE9t") << "CF_TEXT made from the Unicode text in the ANSI code page";
}

TEST(ClipboardContract, OwnerIsToldOfRenderingAndEmptying) {
    ResetPlatform();
    gOwnerMessages.clear();
    gRenderFormat = platform::RegisterClipboardFormatA("Vantor Contract Promise");
    void* owner = MakeClipboardOwner(RecordOwnerMessage);
    auto promise = [owner] {
        ASSERT_TRUE(platform::OpenClipboard(owner));
        platform::EmptyClipboard();
        EXPECT_TRUE(platform::PromiseClipboardFormat(gRenderFormat));
        platform::CloseClipboard();
    };
    promise();
    EXPECT_EQ(platform::GetClipboardOwner(), owner);
    std::string read;
    for (int reading = 0; reading < 2; ++reading) {
        ASSERT_TRUE(platform::OpenClipboard(nullptr));
        EXPECT_TRUE(platform::GetClipboardBytes(gRenderFormat, read));
        platform::CloseClipboard();
        EXPECT_EQ(read, "rendered");
    }
    EXPECT_EQ(Told(platform::kRenderFormatMessage), 1u) << "a format renders once";
    EXPECT_EQ(gOwnerMessages.front().second, gRenderFormat);
    EXPECT_EQ(Told(platform::kDestroyClipboardMessage), 0u);

    ASSERT_TRUE(Put(platform::kClipboardText, "another program's"));
    EXPECT_EQ(Told(platform::kDestroyClipboardMessage), 1u) << "emptied by another";
    EXPECT_NE(platform::GetClipboardOwner(), owner);

    promise();
    DestroyClipboardOwner(owner);
    EXPECT_EQ(Told(platform::kRenderAllFormatsMessage), 1u) << "a promise still open at the end";
    EXPECT_TRUE(Get(gRenderFormat, read));
    EXPECT_EQ(read, "rendered at the end");
}

// Child windows' processes, at every depth, each once; none for none.
TEST(DesktopContract, ChildWindowsTellTheirProcesses) {
    ResetPlatform();
    void* frame = MakeWindow(nullptr);
    EXPECT_TRUE(platform::ChildWindowProcessIds(frame).empty() && platform::ChildWindowProcessIds(nullptr).empty());
    MakeWindow(MakeWindow(MakeWindow(frame)));
    EXPECT_EQ(platform::ChildWindowProcessIds(frame), std::vector<unsigned>{platform::GetWindowProcessId(frame)});
}

// The wait for a copy is timed by the tick count.
TEST(ClockContract, SleepShowsOnTheTickCount) {
    unsigned start = platform::GetTickCount();
    platform::Sleep(30);
    EXPECT_GE(platform::GetTickCount() - start, 30u);
}

}  // namespace
