#include "features/highlight/highlight_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
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

// The clipboard's owner after a change: as Office programs own it, as a
// Store app inside its host's frame does, another program, or no window.
enum class Owner { InFront, SameProcess, ChildProcess, OtherProcess, None };

// The line is read only once the clipboard has changed since the copy keys
// went, holds a document and was placed by the target; however late the
// copy comes within the wait, and whatever held the clipboard meanwhile;
// then written. Times fall on ticks of 15.625 ms; the keys go in one batch.
struct CopyTimingCase {
    const char* name;
    unsigned copyDelay;
    unsigned heldAfterCopy;  // a clipboard history holding it after the change
    unsigned expectedNow;
    unsigned otherAt = sim::kForever;  // another program's change during the wait
    const char* otherLine = nullptr;   // its document's line; none: plain text
    Owner otherOwner = Owner::None;
    Owner copyOwner = Owner::InFront;
    unsigned ctrlHeldMs = 0;  // the hotkey's Ctrl, let go late
};

platform::WindowHandle WindowOf(Owner owner, platform::WindowHandle target) {
    const unsigned own = platform::GetWindowProcessId(target);
    switch (owner) {
        case Owner::SameProcess: return sim::AddWindow("", own);
        case Owner::ChildProcess: return sim::AddChildWindow(sim::AddChildWindow(target, own));
        case Owner::OtherProcess: return sim::AddWindow("Browser");
        default: return nullptr;
    }
}

class HighlightCopyTimingTest : public HighlightCurrentLineTest,
                                public testing::WithParamInterface<CopyTimingCase> {};

TEST_P(HighlightCopyTimingTest, ReadsTheCopyWhenItComes) {
    const CopyTimingCase& c = GetParam();
    sim::SetClipboardData(htmlFormat, kHeader + Body("<p>old</p>") + '\0');
    sim::AnswerCopyWith(htmlFormat, kHeader + Body("<p>x</p>") + '\0', c.copyDelay, WindowOf(c.copyOwner, oneNote));
    sim::HoldClipboardAfterEveryChange(c.heldAfterCopy);
    if (c.ctrlHeldMs) sim::HoldKey(0xA2, c.ctrlHeldMs);
    sim::PlaceFromAnotherProgram(c.otherLine ? htmlFormat : kTextFormat,
                                 (c.otherLine ? kHeader + Body(c.otherLine) : "what was there before") + '\0',
                                 c.otherAt, WindowOf(c.otherOwner, oneNote));
    EXPECT_TRUE(HighlightCurrentLine(oneNote, "lime"));
    const std::vector<platform::KeyEvent> selectAndCopy = {
        {0x24, 0x47, 1}, {0x24, 0x47, 3}, {0x10, 0x2A, 0}, {0x23, 0x4F, 1}, {0x23, 0x4F, 3},
        {0x10, 0x2A, 2}, {0x11, 0x1D, 0}, {0x43, 0x2E, 0}, {0x43, 0x2E, 2}, {0x11, 0x1D, 2}};
    EXPECT_EQ(sim::SentInputs(), std::vector<std::vector<platform::KeyEvent>>{selectAndCopy});
    EXPECT_EQ(ClipboardText(htmlFormat).substr(kHeader.size()), Body(Span("lime") + "<p>x</p></span>"));
    EXPECT_EQ(sim::Now(), c.expectedNow);
    EXPECT_LT(IndexOfCall("SendInput"), IndexOfCall("OpenClipboard"));
    EXPECT_TRUE(sim::Beeps().empty());
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

constexpr unsigned kNever = sim::kForever;
INSTANTIATE_TEST_SUITE_P(
    Copies, HighlightCopyTimingTest,
    testing::Values(
        CopyTimingCase{"AtOnce", 0, 0, 0}, CopyTimingCase{"Late", 400, 0, 406},
        CopyTimingCase{"AtTheDeadline", 1000, 0, 1000}, CopyTimingCase{"HeldAfter", 0, 300, 312},
        CopyTimingCase{"LateAndHeld", 250, 200, 453}, CopyTimingCase{"OtherTextFirst", 300, 0, 312, 100},
        // A read that finds the clipboard held does not use the change up.
        CopyTimingCase{"HeldPastTheBusyWait", 0, 900, 906},
        CopyTimingCase{"WebPageFirst", 300, 0, 312, 100, "<p>a web page</p>", Owner::OtherProcess},
        CopyTimingCase{"OwnedByTheTargetsProcess", 0, 0, 0, kNever, nullptr, Owner::None, Owner::SameProcess},
        CopyTimingCase{"OwnedByAChildWindowsProcess", 0, 0, 0, kNever, nullptr, Owner::None, Owner::ChildProcess},
        CopyTimingCase{"OwnedByNoWindow", kNever, 0, 109, 100, "<p>x</p>"},
        // The number is read once the hotkey's Ctrl is let go: a change
        // while it is held is not the copy.
        CopyTimingCase{"ChangeWhileCtrlHeld", 50, 0, 265, 100, "<p>a web page</p>", Owner::None, Owner::InFront,
                       200}),
    [](const auto& info) { return std::string(info.param.name); });

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
        NothingCopiedCase{"OnlyAnotherProgramsDocument", [](unsigned html) {
                              sim::AnswerCopyWith(html, "x", sim::kForever);
                              sim::PlaceFromAnotherProgram(html, kHeader + Body("<p>y</p>"), 100, sim::AddWindow(""));
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
    for (unsigned k = 0; k < std::size(kHighlightColours); ++k) {
        EXPECT_EQ(kHighlightColours[k].virtualKey, 96 + k);
    }
}

}  // namespace
