// Clipboards Vantor did not expect: what another program left there instead
// of a note program's document, a damaged or huge document, and a clipboard
// another program holds open. The highlighter does what it must with each,
// a held clipboard is waited for only briefly, nothing but the feature's own
// result is ever pasted, and the program keeps running.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

const char kLine[] = "Buy milk";
const char kWrappedInLime[] =
    "<span style='background:lime;mso-highlight:lime'>\r\n<p style='margin:0in'>Buy milk</p>\r\n</span>";

bool StillRunning(const VantorRun& vantor) {
    DWORD_PTR answer = 0;
    return WaitForSingleObject(vantor.process, 0) == WAIT_TIMEOUT &&
           SendMessageTimeoutA(vantor.tray, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

// The lines that follow the first PASTE logged at or after `from`.
struct Paste {
    std::optional<std::string> html, text;
    bool came = false;
};

Paste PasteAfter(const StandIn& standIn, size_t from) {
    Paste paste;
    int at = WaitForLogLine(standIn.log, "PASTE", from, 30000);
    if (at < 0) return paste;
    int html = WaitForLogLineStarting(standIn.log, "HTML ", at + 1);
    int text = WaitForLogLineStarting(standIn.log, "TEXT ", at + 1);
    if (html < 0 || text < 0) return paste;
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    paste.came = true;
    paste.html = HexPayload(lines[html]);
    paste.text = HexPayload(lines[text]);
    return paste;
}

class HostileClipboard : public ::testing::Test {
protected:
    void TearDown() override {
        if (HWND dialog = FindWindowA(nullptr, "Highlight line")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        if (HWND dialog = FindWindowA(nullptr, "Contact Book")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Pump(300);
        ExitVantor(vantor);
        EndStandIn(standIn);
    }

    bool Start(const std::string& caption, const std::string& copyShape = "", const std::string& more = "") {
        vantor = StartVantorReady();
        if (!vantor.tray) return false;
        std::string arguments = "--text " + Quoted(kLine);
        if (!copyShape.empty()) arguments += " --copy " + copyShape;
        if (!more.empty()) arguments += " " + more;
        standIn = StartStandIn(caption, arguments);
        return standIn.ready;
    }

    // Ctrl+H and keypad 2; the paste that follows.
    Paste HighlightInLime(const std::function<void()>& whileCopying = {}) {
        from = ReadLogLines(standIn.log).size();
        Chord({VK_CONTROL}, 'H');
        HWND dialog = WaitForWindow("Highlight line");
        if (!dialog) return {};
        Pump(300);
        Tap(VK_NUMPAD2);
        if (whileCopying) whileCopying();
        return PasteAfter(standIn, from);
    }

    // No PASTE logged from `from` on, once the program has had time to give up.
    void ExpectNoPaste() {
        Pump(2500);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "PASTE") << "at line " << i;
    }

    VantorRun vantor;
    StandIn standIn;
    size_t from = 0;
};

// What the note program's Ctrl+C left, and what the highlighter must paste:
// only a line it could recolour, never a copy without a document.
struct ShapeCase {
    const char* name;
    const char* shape;
    const char* fragment;  // null: nothing may be pasted
};

class HostileCopy : public HostileClipboard, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(HostileCopy, HighlighterPastesWhatItMustAndTheProgramGoesOn) {
    const ShapeCase& c = GetParam();
    ASSERT_TRUE(Start("Shopping - OneNote", c.shape));
    if (c.fragment) {
        Paste paste = HighlightInLime();
        ASSERT_TRUE(paste.came) << "no paste after Ctrl+H";
        ASSERT_TRUE(paste.html.has_value()) << "no \"HTML Format\" in the paste";
        EXPECT_EQ(FragmentOf(*paste.html), c.fragment);
    } else {
        from = ReadLogLines(standIn.log).size();
        Chord({VK_CONTROL}, 'H');
        ASSERT_NE(WaitForWindow("Highlight line"), nullptr);
        Pump(300);
        Tap(VK_NUMPAD2);
        ASSERT_GE(WaitForLogLine(standIn.log, "COPY", from), 0);
        ExpectNoPaste();
        EXPECT_EQ(TextOf(standIn.edit), kLine);
    }
    EXPECT_TRUE(StillRunning(vantor));
}

INSTANTIATE_TEST_SUITE_P(HostileClipboard, HostileCopy,
                         ::testing::Values(ShapeCase{"OnlyText", "text-only", nullptr},
                                           ShapeCase{"OnlyABitmap", "bitmap-only", nullptr},
                                           ShapeCase{"Nothing", "nothing", nullptr},
                                           ShapeCase{"DocumentWithoutItsNul", "no-nul", kWrappedInLime},
                                           ShapeCase{"WrongOffsets", "wrong-offsets", kWrappedInLime}),
                         NameOfCase<ShapeCase>);

TEST_F(HostileClipboard, FiveMegabyteDocumentIsWrappedWhole) {
    ASSERT_TRUE(Start("Shopping - OneNote", "huge"));
    Paste paste = HighlightInLime();
    ASSERT_TRUE(paste.came && paste.html.has_value());
    std::string fragment = FragmentOf(*paste.html);
    EXPECT_GT(fragment.size(), 5u << 20);
    EXPECT_EQ(fragment.rfind("<span style='background:lime;mso-highlight:lime'>\r\n<p style='margin:0in'>", 0), 0u);
    EXPECT_EQ(fragment.compare(fragment.size() - 13, 13, "</p>\r\n</span>"), 0);
    EXPECT_TRUE(StillRunning(vantor));
}

// Without its fragment markers the document cannot be wrapped: it goes back
// as it came, and no highlight is made up.
TEST_F(HostileClipboard, DocumentWithoutMarkersGoesBackUnchanged) {
    ASSERT_TRUE(Start("Shopping - OneNote", "no-markers"));
    Paste paste = HighlightInLime();
    ASSERT_TRUE(paste.came && paste.html.has_value());
    EXPECT_EQ(paste.html->find("background:"), std::string::npos) << *paste.html;
    EXPECT_EQ(paste.html->find("Fragment-->"), std::string::npos) << *paste.html;
    EXPECT_NE(paste.html->find("<p style='margin:0in'>Buy milk</p>"), std::string::npos) << *paste.html;
    EXPECT_TRUE(StillRunning(vantor));
}

// No "</html>": the user is shown the text, then the line is highlighted all
// the same.
TEST_F(HostileClipboard, DocumentWithoutHtmlEndIsShownThenHighlighted) {
    ASSERT_TRUE(Start("Shopping - OneNote", "no-html-end"));
    HWND box = nullptr;
    Paste paste = HighlightInLime([&] {
        box = WaitForWindowContaining("Vantor", "#32770");
        if (!box) return;
        Pump(300);
        SaveScreenshot("highlight_without_html_end");
        EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)).rfind("Version:1.0", 0), 0u);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_NE(box, nullptr) << "no message box";
    ASSERT_TRUE(paste.came && paste.html.has_value());
    EXPECT_EQ(FragmentOf(*paste.html), kWrappedInLime);
    EXPECT_TRUE(StillRunning(vantor));
}

// Another program holds the clipboard open just as a feature places its
// result (or, for the highlighter, as the note program copies the line).
// Held briefly, the program waits and the result is pasted; held past its
// wait, the feature ends as if abandoned: no paste keys, and the clipboard
// keeps what it held. "@" outside OneNote never touches the clipboard.
// A note program that copies only after the holder has let go shows the
// holder's change first: that is not the copy.
struct HeldCase {
    const char* name;
    const Flow* flow;  // null: "@" outside OneNote
    unsigned holdMs;
    bool pasted;
    const char* standIn = "";
};

class HeldClipboard : public HostileClipboard, public ::testing::WithParamInterface<HeldCase> {};

HWND ClipboardWindow() {
    static HWND window = CreateWindowExA(0, "STATIC", "clipboard holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         nullptr, nullptr);
    return window;
}

const char kBefore[] = "what was there before";

// Holds the clipboard, with kBefore on it, while `act` runs and `ms` after.
void HoldWhile(const std::function<void()>& act, unsigned ms) {
    ASSERT_TRUE(OpenClipboard(ClipboardWindow()));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kBefore);
    memcpy(GlobalLock(block), kBefore, sizeof kBefore);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    act();
    Pump(ms);
    CloseClipboard();
}

TEST_P(HeldClipboard, ResultAfterTheWaitOrNothing) {
    const HeldCase& c = GetParam();
    ASSERT_TRUE(Start(c.flow ? "Shopping - OneNote" : "Shopping - Notepad", "", c.standIn));
    std::function<void()> finish = [] { Chord({VK_CONTROL, VK_MENU}, '0'); };
    if (c.flow) {
        if (c.flow->modifiers[1]) Chord({c.flow->modifiers[0], c.flow->modifiers[1]}, c.flow->key);
        else Chord({c.flow->modifiers[0]}, c.flow->key);
        HWND dialog = WaitForWindow(c.flow->caption);
        ASSERT_NE(dialog, nullptr);
        Pump(300);
        std::string result;
        finish = c.flow->prepare(dialog, vantor.process, result);
        ASSERT_TRUE(finish);
    }
    from = ReadLogLines(standIn.log).size();
    HoldWhile(finish, c.holdMs);
    if (!c.flow) {
        ExpectNoPaste();  // AltGr+0 types nothing on the US layout, and nothing comes back
    } else if (c.pasted) {
        Paste paste = PasteAfter(standIn, from);
        ASSERT_TRUE(paste.came);
        EXPECT_TRUE(paste.html.has_value()) << "the result, not what the clipboard held";
        EXPECT_NE(paste.text, std::optional<std::string>(kBefore));
    } else {
        ExpectNoPaste();
        EXPECT_FALSE(ClipboardHtml().has_value());
    }
    if (!c.pasted) {
        EXPECT_EQ(ClipboardText(), std::optional<std::string>(kBefore));
    }
    EXPECT_TRUE(StillRunning(vantor));
}

INSTANTIATE_TEST_SUITE_P(
    HostileClipboard, HeldClipboard,
    ::testing::Values(HeldCase{"AtSignOutsideOneNote", nullptr, 1500, false},
                      HeldCase{"HighlighterBriefly", &kFeatureFlows[1], 300, true},
                      HeldCase{"HighlighterCopyingAfterTheHolder", &kFeatureFlows[1], 300, true, "--copy-delay 600"},
                      HeldCase{"HighlighterTooLong", &kFeatureFlows[1], 2500, false},
                      HeldCase{"DatePickerBriefly", &kFeatureFlows[2], 300, true},
                      HeldCase{"DatePickerTooLong", &kFeatureFlows[2], 1500, false},
                      HeldCase{"ContactLinkBriefly", &kFeatureFlows[3], 300, true},
                      HeldCase{"ContactLinkTooLong", &kFeatureFlows[3], 1500, false}),
    NameOfCase<HeldCase>);

}  // namespace
