// Clipboards Vantor did not expect: what another program left there instead
// of a note program's document, a damaged or huge document, and a clipboard
// another program holds open. The highlighter does what it must with each,
// nothing waits on a clipboard that will not open, and the program keeps
// running.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
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

    bool Start(const std::string& caption, const std::string& copyShape = "") {
        vantor = StartVantorReady();
        if (!vantor.tray) return false;
        std::string arguments = "--text " + Quoted(kLine);
        if (!copyShape.empty()) arguments += " --copy " + copyShape;
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

    VantorRun vantor;
    StandIn standIn;
    size_t from = 0;
};

// What the note program's Ctrl+C left, and what the highlighter must paste.
struct ShapeCase {
    const char* name;
    const char* shape;
    // The fragment pasted, or null when the paste must carry no "HTML Format".
    const char* fragment;
    const char* text;  // the plain text pasted with it, when it matters
};

class HostileCopy : public HostileClipboard, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(HostileCopy, HighlighterPastesWhatItMustAndTheProgramGoesOn) {
    const ShapeCase& c = GetParam();
    ASSERT_TRUE(Start("Shopping - OneNote", c.shape));
    Paste paste = HighlightInLime();
    ASSERT_TRUE(paste.came) << "no paste after Ctrl+H";
    if (c.fragment) {
        ASSERT_TRUE(paste.html.has_value()) << "no \"HTML Format\" in the paste";
        EXPECT_EQ(FragmentOf(*paste.html), c.fragment);
    } else {
        EXPECT_FALSE(paste.html.has_value()) << *paste.html;
    }
    if (c.text) {
        EXPECT_EQ(paste.text, std::optional<std::string>(c.text));
    }
    EXPECT_TRUE(StillRunning(vantor));
}

INSTANTIATE_TEST_SUITE_P(
    HostileClipboard, HostileCopy,
    ::testing::Values(ShapeCase{"OnlyText", "text-only", nullptr, kLine},
                      ShapeCase{"OnlyABitmap", "bitmap-only", nullptr, nullptr},
                      ShapeCase{"Nothing", "nothing", nullptr, nullptr},
                      ShapeCase{"DocumentWithoutItsNul", "no-nul", kWrappedInLime, nullptr},
                      ShapeCase{"WrongOffsets", "wrong-offsets", kWrappedInLime, nullptr}),
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

// Another program holds the clipboard open: every operation gives up at once.
// The program does not wait for it, leaves it as it was, and works again as
// soon as it is free.
struct HeldCase {
    const char* name;
    const char* caption;
    void (*act)(HostileClipboard& test);
};

class HeldClipboard : public HostileClipboard, public ::testing::WithParamInterface<HeldCase> {
public:
    void HoldWhile(const std::function<void()>& act);
};

HWND ClipboardWindow() {
    static HWND window = CreateWindowExA(0, "STATIC", "clipboard holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         nullptr, nullptr);
    return window;
}

const char kBefore[] = "what was there before";

void HeldClipboard::HoldWhile(const std::function<void()>& act) {
    ASSERT_TRUE(OpenClipboard(ClipboardWindow()));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kBefore);
    memcpy(GlobalLock(block), kBefore, sizeof kBefore);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    from = ReadLogLines(standIn.log).size();
    act();
    // The paste keys come and find the clipboard held; the program has given
    // up on it without waiting and still answers.
    int busy = WaitForLogLine(standIn.log, "CLIPBOARD BUSY", from);
    EXPECT_GE(busy, 0);
    EXPECT_TRUE(StillRunning(vantor));
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(kBefore));
    EXPECT_FALSE(ClipboardHtml().has_value());
    // The highlighter's copy and paste each found it held; the paste, still
    // trying, may take it now. Let it, before the free round starts.
    Pump(1500);
}

void AtSignElsewhere(HostileClipboard&) { Chord({VK_CONTROL, VK_MENU}, '0'); }

void HighlightLine(HostileClipboard&) {
    Chord({VK_CONTROL}, 'H');
    if (!WaitForWindow("Highlight line")) return;
    Pump(300);
    Tap(VK_NUMPAD2);
}

void ContactLink(HostileClipboard&) {
    Chord({VK_CONTROL, VK_MENU}, '0');
    HWND book = WaitForWindow("Contact Book");
    if (!book) return;
    Pump(300);
    TypeText("doe");
    Pump(300);
    Tap(VK_HOME);
    Pump(300);
    Tap(VK_RETURN);
}

TEST_P(HeldClipboard, GivesUpAtOnceAndWorksOnceItIsFree) {
    ASSERT_TRUE(Start(GetParam().caption));
    HoldWhile([&] { GetParam().act(*this); });
    // Free again: "@" outside OneNote, or the whole flow once more, works.
    ASSERT_TRUE(BringToFront(standIn.window));
    from = ReadLogLines(standIn.log).size();
    GetParam().act(*this);
    Paste paste = PasteAfter(standIn, from);
    ASSERT_TRUE(paste.came);
    EXPECT_TRUE(paste.html.has_value() || paste.text == std::optional<std::string>("@"));
}

INSTANTIATE_TEST_SUITE_P(HostileClipboard, HeldClipboard,
                         ::testing::Values(HeldCase{"AtSignOutsideOneNote", "Shopping - Notepad", AtSignElsewhere},
                                           HeldCase{"Highlighter", "Shopping - OneNote", HighlightLine},
                                           HeldCase{"ContactLink", "Shopping - OneNote", ContactLink}),
                         NameOfCase<HeldCase>);

}  // namespace
