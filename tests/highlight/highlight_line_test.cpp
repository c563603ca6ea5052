#include "features/highlight/highlight_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "inject/html_clipboard.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/sim/sim.h"

namespace {

constexpr unsigned kTextFormat = 1;  // CF_TEXT

const std::string kHeader =
    "Version:0.9\r\nStartHTML:0000000000\r\nEndHTML:0000000000\r\n"
    "StartFragment:0000000000\r\nEndFragment:0000000000\r\n";

std::string Body(const std::string& fragment) {
    return "<html><body>\r\n<!--StartFragment-->" + fragment + "<!--EndFragment-->\r\n</body>\r\n</html>";
}

std::string Span(const std::string& colour) {
    return "<span style='background:" + colour + ";mso-highlight:" + colour + "'>";
}

// Up to the block's first NUL, as a reader of the clipboard sees it.
std::string ClipboardText(unsigned format) {
    auto found = sim::ClipboardContent().find(format);
    if (found == sim::ClipboardContent().end()) return "";
    return found->second.substr(0, found->second.find('\0'));
}

// A ten-digit header value, or -1 when the key is missing.
long HeaderValue(const std::string& document, const std::string& key) {
    size_t at = document.find(key);
    if (at == std::string::npos) return -1;
    return std::stol(document.substr(at + key.size(), 10));
}

size_t IndexOfCall(const std::string& name, size_t from = 0) {
    std::vector<std::string> names = sim::CallNames();
    auto found = std::find(names.begin() + std::min(from, names.size()), names.end(), name);
    return static_cast<size_t>(found - names.begin());
}

size_t CountCalls(const std::string& name) {
    std::vector<std::string> names = sim::CallNames();
    return static_cast<size_t>(std::count(names.begin(), names.end(), name));
}

class HighlightCurrentLineTest : public testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        oneNote = sim::AddWindow("Page - OneNote");
        sim::SetForeground(oneNote);
        htmlFormat = platform::RegisterClipboardFormatA("HTML Format");
        ASSERT_NE(htmlFormat, 0u);
        sim::ClearCalls();
    }

    // What the application puts on the clipboard when the copy keys reach it.
    void CopiedLine(const std::string& document, unsigned delay = 0) {
        sim::AnswerCopyWith(htmlFormat, document + '\0', delay);
    }

    platform::WindowHandle oneNote = nullptr;
    unsigned htmlFormat = 0;
};

TEST_F(HighlightCurrentLineTest, SelectsAndCopiesTheLineInOneBatch) {
    CopiedLine(kHeader + Body("<p>x</p>"));
    HighlightCurrentLine(oneNote, "lime");
    ASSERT_EQ(sim::SentInputs().size(), 1u);
    struct Key {
        uint16_t virtualKey;
        uint32_t flags;
        bool operator==(const Key&) const = default;
    };
    std::vector<Key> sent;
    for (const platform::KeyEvent& event : sim::SentInputs()[0]) sent.push_back({event.virtualKey, event.flags});
    std::vector<Key> expected = {{0x24, 1}, {0x24, 3}, {0x10, 0}, {0x23, 1}, {0x23, 3},
                                 {0x10, 2}, {0x11, 0}, {0x43, 0}, {0x43, 2}, {0x11, 2}};
    EXPECT_EQ(sent, expected);
}

// Who owns the clipboard after a change: a window of the target's own
// process (as Office programs copy), one of the process of a child window of
// the target (a Store app inside its host's frame), another program's, or
// none (opened without a window).
enum class Owner { InFront, SameProcess, ChildProcess, OtherProcess, None };

// The line is read only once the clipboard has changed since the copy keys
// went, holds a document and was placed by the target; however late the
// copy comes within the wait, and whatever held the clipboard meanwhile;
// then written. Times fall on the timer's ticks of 15.625 ms.
struct CopyTimingCase {
    const char* name;
    unsigned copyDelay;
    unsigned heldAfterCopy = 0;  // a clipboard history holding it after the change
    unsigned expectedNow = 0;
    unsigned otherAt = sim::kForever;  // another program's change during the wait
    bool otherIsHtml = false;
    Owner otherOwner = Owner::None;
    Owner copyOwner = Owner::InFront;
    unsigned ctrlHeldMs = 0;  // the hotkey's Ctrl, let go late
    bool otherIsTheLine = false;
};

void PrintTo(const CopyTimingCase& c, std::ostream* out) { *out << c.name; }

class HighlightCopyTimingTest : public HighlightCurrentLineTest,
                                public testing::WithParamInterface<CopyTimingCase> {
protected:
    platform::WindowHandle WindowOf(Owner owner) {
        switch (owner) {
            case Owner::SameProcess: return sim::AddWindow("", platform::GetWindowProcessId(oneNote));
            case Owner::ChildProcess:
                return sim::AddWindow("", platform::GetWindowProcessId(sim::AddChildWindow(oneNote)));
            case Owner::OtherProcess: return sim::AddWindow("Browser");
            default: return nullptr;
        }
    }
};

TEST_P(HighlightCopyTimingTest, ReadsTheCopyWhenItComes) {
    const CopyTimingCase& c = GetParam();
    sim::SetClipboardData(htmlFormat, kHeader + Body("<p>old</p>") + '\0');
    sim::AnswerCopyWith(htmlFormat, kHeader + Body("<p>x</p>") + '\0', c.copyDelay, WindowOf(c.copyOwner));
    sim::HoldClipboardAfterEveryChange(c.heldAfterCopy);
    if (c.ctrlHeldMs) sim::HoldKey(0xA2, c.ctrlHeldMs);
    const std::string other = !c.otherIsHtml      ? "what was there before"
                              : c.otherIsTheLine ? kHeader + Body("<p>x</p>")
                                                 : kHeader + Body("<p>a web page</p>");
    if (c.otherAt != sim::kForever)
        sim::PlaceFromAnotherProgram(c.otherIsHtml ? htmlFormat : kTextFormat, other + '\0', c.otherAt,
                                     WindowOf(c.otherOwner));
    EXPECT_TRUE(HighlightCurrentLine(oneNote, "lime"));
    EXPECT_EQ(ClipboardText(htmlFormat).substr(kHeader.size()), Body(Span("lime") + "<p>x</p></span>"));
    EXPECT_EQ(sim::Now(), c.expectedNow);
    EXPECT_LT(IndexOfCall("SendInput"), IndexOfCall("OpenClipboard"));
    EXPECT_TRUE(sim::Beeps().empty());
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Copies, HighlightCopyTimingTest,
    testing::Values(
        CopyTimingCase{.name = "AtOnce", .copyDelay = 0},
        CopyTimingCase{.name = "Late", .copyDelay = 400, .expectedNow = 406},
        CopyTimingCase{.name = "AtTheDeadline", .copyDelay = 1000, .expectedNow = 1000},
        CopyTimingCase{.name = "HeldAfter", .copyDelay = 0, .heldAfterCopy = 300, .expectedNow = 312},
        CopyTimingCase{.name = "LateAndHeld", .copyDelay = 250, .heldAfterCopy = 200, .expectedNow = 453},
        // A read that finds the clipboard held does not use the change up.
        CopyTimingCase{.name = "HeldPastTheBusyWait", .copyDelay = 0, .heldAfterCopy = 900, .expectedNow = 906},
        CopyTimingCase{.name = "OtherTextFirst", .copyDelay = 300, .expectedNow = 312, .otherAt = 100},
        CopyTimingCase{.name = "WebPageFirst", .copyDelay = 300, .expectedNow = 312, .otherAt = 100,
                       .otherIsHtml = true, .otherOwner = Owner::OtherProcess},
        CopyTimingCase{.name = "OwnedByTheTargetsProcess", .copyDelay = 0, .copyOwner = Owner::SameProcess},
        CopyTimingCase{.name = "OwnedByAChildWindowsProcess", .copyDelay = 0, .copyOwner = Owner::ChildProcess},
        CopyTimingCase{.name = "OwnedByNoWindow", .copyDelay = sim::kForever, .expectedNow = 109, .otherAt = 100,
                       .otherIsHtml = true, .otherOwner = Owner::None, .otherIsTheLine = true},
        // The number is read once the hotkey's Ctrl is let go: a change
        // while it is held is not the copy.
        CopyTimingCase{.name = "ChangeWhileCtrlHeld", .copyDelay = 50, .expectedNow = 265, .otherAt = 100,
                       .otherIsHtml = true, .ctrlHeldMs = 200}),
    [](const testing::TestParamInfo<CopyTimingCase>& info) { return std::string(info.param.name); });

struct RewriteCase {
    const char* name;
    std::string copied;    // the document after the header
    std::string colour;
    std::string expected;  // the written document after the header
};

void PrintTo(const RewriteCase& c, std::ostream* out) { *out << c.name; }

class HighlightRewriteTest : public HighlightCurrentLineTest,
                             public testing::WithParamInterface<RewriteCase> {};

TEST_P(HighlightRewriteTest, WritesTheRecolouredLineWithItsOffsets) {
    const RewriteCase& c = GetParam();
    sim::SetClipboardData(kTextFormat, std::string("stale text") + '\0');
    CopiedLine(kHeader + c.copied);
    HighlightCurrentLine(oneNote, c.colour);

    EXPECT_TRUE(sim::Beeps().empty());
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_NE(ClipboardText(kTextFormat), "stale text") << "the copied line replaces the whole clipboard";
    std::string written = ClipboardText(htmlFormat);
    ASSERT_GE(written.size(), kHeader.size());
    EXPECT_EQ(written.substr(kHeader.size()), c.expected);

    // The offsets delimit the rewritten document, not the copied one.
    EXPECT_EQ(HeaderValue(written, "EndHTML:"), static_cast<long>(written.size()));
    EXPECT_EQ(HeaderValue(written, "StartHTML:"), static_cast<long>(kHeader.size()));
    long start = HeaderValue(written, "StartFragment:");
    long end = HeaderValue(written, "EndFragment:");
    ASSERT_GE(start, 20);
    ASSERT_GE(end, start);
    EXPECT_EQ(written.substr(start - 20, 20), "<!--StartFragment-->");
    EXPECT_EQ(written.substr(end, 18), "<!--EndFragment-->");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HighlightRewriteTest,
    testing::Values(
        RewriteCase{"PlainLine", Body("\r\n<p>text</p>\r\n"), "yellow",
                    Body(Span("yellow") + "\r\n<p>text</p>\r\n</span>")},
        RewriteCase{"HighlightedLine", Body("<p>" + Span("aqua") + "t</span></p>"), "transparent",
                    Body("<p>" + Span("transparent") + "t</span></p>")},
        RewriteCase{"TailAfterTheLineBreakIsDropped", Body("<p>x</p>") + "\r\n<junk>\r\nmore", "lime",
                    Body(Span("lime") + "<p>x</p></span>") + "\r\n"},
        RewriteCase{"TextBeforeTheLineBreakIsKept", Body("<p>x</p>") + " <!-- c -->\r\n\r\nmore", "aqua",
                    Body(Span("aqua") + "<p>x</p></span>") + " <!-- c -->\r\n"},
        RewriteCase{"CutBehindTheFirstEnd", Body("<p>x</p>") + "\r\n</html>\r\n", "aqua",
                    Body(Span("aqua") + "<p>x</p></span>") + "\r\n"},
        RewriteCase{"NoLineBreakBehindTheEndLeavesTheTail", Body("<p>x</p>") + "tail", "fuchsia",
                    Body(Span("fuchsia") + "<p>x</p></span>") + "tail"}),
    [](const testing::TestParamInfo<RewriteCase>& info) { return std::string(info.param.name); });

// Nothing to rewrite: a beep, the clipboard stays exactly as the copy (or
// the last copy before it) left it, there is nothing to paste, and End
// leaves no selection for the user's next key to replace.
struct NothingCopiedCase {
    const char* name;
    void (*arrange)(unsigned htmlFormat);
};

void PrintTo(const NothingCopiedCase& c, std::ostream* out) { *out << c.name; }

class HighlightNothingCopiedTest : public HighlightCurrentLineTest,
                                   public testing::WithParamInterface<NothingCopiedCase> {};

TEST_P(HighlightNothingCopiedTest, BeepsAndLeavesTheClipboard) {
    sim::SetClipboardData(htmlFormat, kHeader + Body("<p>copied before</p>") + '\0');
    GetParam().arrange(htmlFormat);
    EXPECT_FALSE(HighlightCurrentLine(oneNote, "lime"));
    sim::HoldClipboardElsewhere(false);
    auto expected = sim::ClipboardContent();
    EXPECT_EQ(sim::Beeps(), std::vector<unsigned>{0});
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_EQ(CountCalls("EmptyClipboard"), 0u) << "nothing was written";
    EXPECT_EQ(sim::ClipboardContent(), expected);
    EXPECT_EQ(sim::Now(), kCopyWaitMs) << "a later change may still bring the copy";
    EXPECT_FALSE(sim::ClipboardIsOpen());
    ASSERT_EQ(sim::SentInputs().size(), 2u);
    EXPECT_EQ(sim::SentInputs()[1], (std::vector<platform::KeyEvent>{{0x23, 0x4F, 1}, {0x23, 0x4F, 3}}));
}

INSTANTIATE_TEST_SUITE_P(
    Clipboards, HighlightNothingCopiedTest,
    testing::Values(
        NothingCopiedCase{"NoCopyComes", [](unsigned html) { sim::AnswerCopyWith(html, "x", sim::kForever); }},
        NothingCopiedCase{"CopyComesTooLate", [](unsigned html) { sim::AnswerCopyWith(html, "x", 1200); }},
        NothingCopiedCase{"OnlyPlainText",
                          [](unsigned) { sim::AnswerCopyWith(kTextFormat, std::string("plain") + '\0'); }},
        NothingCopiedCase{"EmptyDocument",
                          [](unsigned html) { sim::AnswerCopyWith(html, std::string(1, '\0')); }},
        NothingCopiedCase{"DocumentStartsWithNul",
                          [](unsigned html) { sim::AnswerCopyWith(html, std::string("\0<html>", 7)); }},
        NothingCopiedCase{"HeldByAnotherProgram",
                          [](unsigned html) {
                              sim::AnswerCopyWith(html, "<html></html>\r\n");
                              sim::HoldClipboardElsewhere(true);
                          }},
        // Every wait inside the copy's ends by its deadline.
        NothingCopiedCase{"HeldPastTheDeadline",
                          [](unsigned html) {
                              sim::AnswerCopyWith(html, kHeader + Body("<p>x</p>") + '\0', 900);
                              sim::HoldClipboardAfterEveryChange(kClipboardBusyWaitMs + 100);
                          }},
        NothingCopiedCase{"OnlyAnotherProgramsDocument",
                          [](unsigned html) {
                              sim::AnswerCopyWith(html, "x", sim::kForever);
                              sim::PlaceFromAnotherProgram(html, kHeader + Body("<p>a web page</p>") + '\0', 100,
                                                           sim::AddWindow("Remote desktop"));
                          }}),
    [](const testing::TestParamInfo<NothingCopiedCase>& info) { return std::string(info.param.name); });

TEST_F(HighlightCurrentLineTest, DocumentWithoutEndIsShownThenRewrittenWhole) {
    sim::SetModuleFileName("D:\\Tools\\Surligneur.v2.exe");
    std::string copied = kHeader + "<html><body>\r\n<!--StartFragment--><p>x</p><!--EndFragment-->\r\n</body>\r\n";
    CopiedLine(copied);
    HighlightCurrentLine(oneNote, "aqua");

    EXPECT_EQ(sim::Beeps(), std::vector<unsigned>{0});
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].text, copied);
    EXPECT_EQ(sim::MessageBoxes()[0].caption, "Surligneur.v2");
    EXPECT_EQ(sim::MessageBoxes()[0].style, 0x12000u);
    size_t beep = IndexOfCall("MessageBeep");
    size_t box = IndexOfCall("MessageBoxA");
    EXPECT_LT(beep, box);
    EXPECT_LT(box, IndexOfCall("EmptyClipboard"));

    std::string written = ClipboardText(htmlFormat);
    EXPECT_EQ(written.substr(kHeader.size()),
              "<html><body>\r\n<!--StartFragment-->" + Span("aqua") +
                  "<p>x</p></span><!--EndFragment-->\r\n</body>\r\n");
    EXPECT_EQ(HeaderValue(written, "EndHTML:"), static_cast<long>(written.size()));
}

TEST_F(HighlightCurrentLineTest, BrokenLineIsWrittenBackAsCopied) {
    // No end marker: there is no fragment to wrap.
    std::string copied = kHeader + "<html><body>\r\n<!--StartFragment--><p>x</p>\r\n</body>\r\n</html>\r\n";
    CopiedLine(copied);
    HighlightCurrentLine(oneNote, "lime");
    std::string written = ClipboardText(htmlFormat);
    EXPECT_EQ(written.substr(kHeader.size()), copied.substr(kHeader.size()));
    EXPECT_TRUE(sim::Beeps().empty());
}

struct KeyCase {
    unsigned virtualKey;
    std::string colour;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.virtualKey; }

class HighlightColourForKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(HighlightColourForKeyTest, Names) {
    EXPECT_EQ(HighlightColourForKey(GetParam().virtualKey), GetParam().colour);
}

// The keypad's 0 to 4 only: not keypad 5, not the main keyboard's digits.
INSTANTIATE_TEST_SUITE_P(
    Keys, HighlightColourForKeyTest,
    testing::Values(KeyCase{96, "transparent"}, KeyCase{97, "aqua"}, KeyCase{98, "lime"}, KeyCase{99, "fuchsia"},
                    KeyCase{100, "yellow"}, KeyCase{101, ""}, KeyCase{95, ""}, KeyCase{0x30, ""},
                    KeyCase{0x31, ""}, KeyCase{0x34, ""}, KeyCase{0x1B, ""}, KeyCase{0, ""},
                    KeyCase{0x160, ""}));

TEST(HighlightColours, TableRowsAreTheKeypadKeysInOrder) {
    for (unsigned k = 0; k < 5; ++k) {
        EXPECT_EQ(kHighlightColours[k].virtualKey, 96 + k);
    }
}

}  // namespace
