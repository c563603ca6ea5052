// The line highlighter as a user meets it: Ctrl+H in a note window, a
// keypad digit, and the line comes back pasted over itself in that colour.
// The stand-in plays the note program: its Ctrl+C places the current line
// as a note program's "HTML Format" document, plain or already highlighted.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"
#include "inject/html_clipboard.h"
#include "text/encoding.h"

using namespace e2e;

namespace {

const char kOneNoteCaption[] = "Shopping - OneNote";
const char kDialogCaption[] = "Highlight line";
const char kLine[] = "Buy milk";
constexpr unsigned kNoPasteWait = 800;

std::string Wrapped(const std::string& colour) {
    return "<span style='background:" + colour + ";mso-highlight:" + colour + "'>\r\n<p style='margin:0in'>" + kLine +
           "</p>\r\n</span>";
}

std::string Recoloured(const std::string& colour) {
    return "<p style='margin:0in'><span style='background:" + colour + ";mso-highlight:" + colour + "'>" + kLine +
           "</span></p>";
}

// OneNote's own documents put the markers inside the paragraph, around a
// styled span of UTF-8 text.
const char kAccentedLine[] = "Cr\xE8me br\xFBl\xE9\x65 \x80 2";  // ANSI, as the edit control reads back
const char kAccentedLineUtf8[] = "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 \xE2\x82\xAC 2";

std::string OneNoteSpan() {
    return std::string("<span lang=fr-FR style='font-family:Calibri;font-size:11.0pt;color:#1F3864'>") +
           kAccentedLineUtf8 + "</span>";
}

std::string HighlightSpan(const std::string& colour) {
    return "<span style='background:" + colour + ";mso-highlight:" + colour + "'>";
}

// What comes back pasted for the stand-in's line shape and the colour.
std::string Expected(const std::string& shape, const std::string& colour) {
    if (shape.find("--highlighted") != std::string::npos) return Recoloured(colour);
    if (shape.find("onenote") != std::string::npos) return HighlightSpan(colour) + OneNoteSpan() + "</span>";
    return Wrapped(colour);
}

std::string KeyDownPrefix(WORD virtualKey) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "KEYDOWN vk=0x%02X ", virtualKey);
    return prefix;
}

class Highlighter : public ProgramSuite {
protected:
    bool Start(const std::string& caption = kOneNoteCaption, const std::string& shape = "",
               const std::string& line = kLine) {
        vantor = StartVantorReady();
        if (!vantor.tray) return false;
        standIn = StartStandIn(caption, "--text " + Quoted(AnsiToUtf8(line)) + " " + shape);
        // Whatever the user copied before: never to be recoloured or pasted.
        EXPECT_TRUE(PutHtmlFragment("<p>copied before</p>"));
        return standIn.ready;
    }

    HWND OpenDialog() {
        logStart = ReadLogLines(standIn.log).size();
        Chord({VK_CONTROL}, 'H');
        HWND dialog = WaitForWindow(kDialogCaption);
        Pump(300);  // a window that has just opened is given a moment before input
        return dialog;
    }

    // The whole exchange a colour key starts, in order: the line selected
    // and copied, the rewritten line pasted, then End and Escape.
    void ExpectLineRepastedAs(const std::string& fragment, const std::string& line = kLine) {
        int at = static_cast<int>(logStart);
        for (WORD key : {VK_HOME, VK_SHIFT, VK_END}) {
            at = WaitForLogLineStarting(standIn.log, KeyDownPrefix(key), at);
            ASSERT_GE(at, 0);
        }
        at = WaitForLogLine(standIn.log, "COPY", at);
        ASSERT_GE(at, 0);
        int paste = WaitForLogLine(standIn.log, "PASTE", at);
        ASSERT_GE(paste, 0);
        std::optional<std::string> document = PastedDocument(standIn, paste);
        ASSERT_TRUE(document.has_value());
        EXPECT_EQ(FragmentOf(*document), fragment);
        at = WaitForLogLineStarting(standIn.log, KeyDownPrefix(VK_END), paste);
        ASSERT_GE(at, 0);
        ASSERT_GE(WaitForLogLineStarting(standIn.log, KeyDownPrefix(VK_ESCAPE), at), 0);
        // The paste replaced the selected line with itself.
        EXPECT_EQ(TextOf(standIn.edit), line);
        ExpectKeypadUnseen();
    }

    // The colour key went to the dialog, never to the note.
    void ExpectKeypadUnseen() {
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (size_t i = logStart; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].find("vk=0x6"), std::string::npos) << "the note saw a keypad key: " << lines[i];
    }

    // Once a key typed afterwards has reached the stand-in, anything sent
    // before it has too.
    void ExpectNothingCopiedOrPasted() {
        ASSERT_TRUE(WaitForForeground(standIn.window));
        Tap('X');
        int typed = WaitForLogLine(standIn.log, CharLine('x'), logStart);
        ASSERT_GE(typed, 0);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (int i = static_cast<int>(logStart); i < typed; ++i) {
            EXPECT_NE(lines[i], "PASTE") << "at line " << i;
            EXPECT_NE(lines[i], "COPY") << "at line " << i;
        }
    }

    size_t logStart = 0;
};

struct ColourCase {
    const char* name;
    // The stand-in's line: "" plain, "--highlighted" in aqua, a OneNote
    // document, a copy that comes late...
    const char* shape;
    int digit;  // of the keypad: its colour is kGuideColours[digit]
    const char* line = kLine;
    unsigned historyHoldMs = 0;  // a clipboard history holding it after each change
};

class HighlighterColour : public Highlighter, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(HighlighterColour, KeypadKeyRepastesTheLineInItsColour) {
    const ColourCase& c = GetParam();
    ClipboardListener history;
    if (c.historyHoldMs) history = StartClipboardListener("--hold " + std::to_string(c.historyHoldMs));
    ASSERT_TRUE(Start(kOneNoteCaption, c.shape, c.line));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    size_t streamStart = StreamKeys(standIn).size();
    Tap(kGuideColours[c.digit].key);
    ASSERT_TRUE(WaitUntilGone(dialog));
    ExpectLineRepastedAs(Expected(c.shape, kGuideColours[c.digit].name), c.line);
    EXPECT_TRUE(WaitForForeground(standIn.window));
    EndClipboardListener(history);
    // The program's keys arrive as it wrote them, whatever the user holds.
    std::vector<std::string> keys = StreamKeys(standIn, streamStart);
    for (const char* key : {"DOWN vk=0x24 mods=-", "DOWN vk=0x23 mods=S", "DOWN vk=0x43 mods=C",
                            "DOWN vk=0x56 mods=C", "DOWN vk=0x1B mods=-"})
        EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key << " not in the stream:\n"
                                                                        << ::testing::PrintToString(keys);
}

INSTANTIATE_TEST_SUITE_P(
    Highlighter, HighlighterColour,
    ::testing::Values(ColourCase{"PlainLineInLime", "", 2},
                      ColourCase{"PlainLineInTransparent", "", 0},
                      ColourCase{"PlainLineInYellow", "", 4},
                      ColourCase{"AquaLineInFuchsia", "--highlighted", 3},
                      ColourCase{"AquaLineInTransparent", "--highlighted", 0},
                      ColourCase{"OneNoteLineInLime", "--copy onenote", 2, kAccentedLine},
                      ColourCase{"OneNoteYellowLineInAqua", "--copy onenote-highlighted", 1, kAccentedLine},
                      ColourCase{"CopyComingLate", "--copy-delay 400", 2},
                      ColourCase{"ClipboardHistoryHoldingIt", "--copy onenote", 3, kAccentedLine, 300}),
    NameOfCase<ColourCase>);

// The note program never answers the copy: the line stays as it was, nothing
// is pasted, what the clipboard held is left there, and the last key sent is
// End, so that no selection is left for the user's next key to replace.
TEST_F(Highlighter, CopyThatNeverComesPastesNothing) {
    ASSERT_TRUE(Start(kOneNoteCaption, "--copy-delay never"));
    std::optional<std::string> before = ClipboardHtml();
    ASSERT_TRUE(before.has_value());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Tap(kGuideColours[2].key);
    ASSERT_TRUE(WaitUntilGone(dialog));
    ASSERT_GE(WaitForLogLine(standIn.log, "COPY IGNORED", logStart), 0);
    Pump(2500);  // past the program's wait for the copy
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    for (size_t i = logStart; i < lines.size(); ++i) EXPECT_NE(lines[i], "PASTE") << "at line " << i;
    EXPECT_EQ(TextOf(standIn.edit), kLine);
    EXPECT_EQ(ClipboardHtml(), before);
    std::vector<std::string> keys = StreamKeys(standIn);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2] + ", " + keys.back(), "DOWN vk=0x23 mods=-, UP vk=0x23 mods=-");
    DWORD start = 0, end = 1;
    EditSelection(standIn, start, end);
    EXPECT_EQ(start, end) << "a selection is left";
}

// Keys that are no colour's change nothing and leave the dialog open;
// a colour key afterwards still works.
struct IgnoredKeyCase {
    const char* name;
    WORD key;
};

class HighlighterIgnoredKey : public Highlighter, public ::testing::WithParamInterface<IgnoredKeyCase> {};

TEST_P(HighlighterIgnoredKey, LeavesTheDialogOpenAndPastesNothing) {
    ASSERT_TRUE(Start());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Tap(GetParam().key);
    Pump(kNoPasteWait);
    EXPECT_TRUE(IsWindow(dialog));
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    for (size_t i = logStart; i < lines.size(); ++i) EXPECT_NE(lines[i], "COPY") << "at line " << i;

    Tap(kGuideColours[1].key);
    ASSERT_TRUE(WaitUntilGone(dialog));
    ExpectLineRepastedAs(Wrapped(kGuideColours[1].name));
}

INSTANTIATE_TEST_SUITE_P(Highlighter, HighlighterIgnoredKey,
                         ::testing::Values(IgnoredKeyCase{"MainKeyboardTwo", '2'},
                                           IgnoredKeyCase{"MainKeyboardZero", '0'},
                                           IgnoredKeyCase{"KeypadPastTheColours",
                                                          WORD(VK_NUMPAD0 + std::size(kGuideColours))},
                                           IgnoredKeyCase{"LetterA", 'A'}),
                         NameOfCase<IgnoredKeyCase>);

TEST_F(Highlighter, EscapeCopiesAndPastesNothing) {
    ASSERT_TRUE(Start());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(dialog));
    ExpectNothingCopiedOrPasted();
    EXPECT_EQ(TextOf(standIn.edit), "x" + std::string(kLine));  // the caret starts the line
}

TEST_F(Highlighter, OpensOwnedByTheNoteWindowWithTheColourStrip) {
    ASSERT_TRUE(Start());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), standIn.window);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)) & ~WS_DISABLED, 0x94C800D4u | DS_CENTER);
    SaveScreenshot("highlight_line");

    ExpectColourStripPainted(dialog);
}

// Given back: the note program gets its Ctrl+H (backspace in an edit), and
// the shortcut stays Vantor's.
TEST_F(Highlighter, CtrlHOutsideOneNoteOpensNothingAndReachesTheWindow) {
    ASSERT_TRUE(Start("Shopping - Notepad"));
    logStart = ReadLogLines(standIn.log).size();
    Chord({VK_CONTROL}, 'H');
    EXPECT_GE(WaitForLogLine(standIn.log, CharLine(0x08), logStart), 0) << "the window did not get Ctrl+H";
    Pump(kNoPasteWait);
    EXPECT_EQ(FindWindowA(nullptr, kDialogCaption), nullptr);
    ExpectNothingCopiedOrPasted();
    EXPECT_TRUE(HotkeyHeldElsewhere(MOD_CONTROL, 'H')) << "Ctrl+H was let go";
}

TEST_F(Highlighter, TrayMenuCommandOpensItWithoutOwnerAndEscapeEndsIt) {
    ASSERT_TRUE(Start());
    ChooseMenuCommand(vantor, kHighlightCommand);
    HWND dialog = WaitForWindow(kDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    ASSERT_TRUE(WaitForForeground(dialog));
    Tap(VK_ESCAPE);
    EXPECT_TRUE(WaitUntilGone(dialog));
}

}  // namespace
