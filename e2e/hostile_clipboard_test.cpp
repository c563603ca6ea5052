// Clipboards Vantor did not expect: what another program left there instead
// of a note program's document, a damaged or huge document, and a clipboard
// another program holds open. The highlighter does what it must with each,
// a held clipboard is waited for only briefly, nothing but the feature's own
// result is ever pasted, and the program keeps running.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

const char kLine[] = "Buy milk";
const std::string kLime = kGuideColours[2].name;
const std::string kLimeSpan = "<span style='background:" + kLime + ";mso-highlight:" + kLime + "'>";
const std::string kWrappedInLime = kLimeSpan + "\r\n<p style='margin:0in'>Buy milk</p>\r\n</span>";

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

class HostileClipboard : public ProgramSuite {
protected:
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
        Tap(kGuideColours[2].key);
        if (whileCopying) whileCopying();
        return PasteAfter(standIn, from);
    }

    // No PASTE logged from `from` on, once the program has had time to give up.
    void ExpectNoPaste() {
        Pump(2500);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "PASTE") << "at line " << i;
    }

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
        Tap(kGuideColours[2].key);
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
                                           ShapeCase{"DocumentWithoutItsNul", "no-nul", kWrappedInLime.c_str()},
                                           ShapeCase{"WrongOffsets", "wrong-offsets", kWrappedInLime.c_str()}),
                         NameOfCase<ShapeCase>);

TEST_F(HostileClipboard, FiveMegabyteDocumentIsWrappedWhole) {
    ASSERT_TRUE(Start("Shopping - OneNote", "huge"));
    Paste paste = HighlightInLime();
    ASSERT_TRUE(paste.came && paste.html.has_value());
    std::string fragment = FragmentOf(*paste.html);
    EXPECT_GT(fragment.size(), 5u << 20);
    EXPECT_EQ(fragment.rfind(kLimeSpan + "\r\n<p style='margin:0in'>", 0), 0u);
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


// The user's clipboard, copied by another program before the request (text,
// a web page, an image and a private format it renders only when read),
// comes back once the note program has read the result: byte for byte,
// unless something newer was copied meanwhile. What the note program reads
// on Ctrl+V is the result, however late it reads.
struct KeptCase {
    const char* name;
    int flow;                 // of kFeatureFlows
    const char* reads;        // the stand-in's options: how the note program reads
    const char* history;      // clipboard_listener's options; "" for none
    bool copyAfterPaste;      // the user copies between the paste and the put-back
    bool twice;               // the same request right after the first paste
    bool restoreOff;
    const char* got;          // whose each read was (HTML, text, again): R result, U the user's
    char finally;             // whose the clipboard is at the end; N the newer copy
};

class KeptClipboard : public HostileClipboard, public ::testing::WithParamInterface<KeptCase> {
protected:
    void TearDown() override {
        EndClipboardListener(history);
        ProgramSuite::TearDown();
        EndClipboardListener(copier);
    }

    ClipboardListener copier, history;
};

char Whose(const std::optional<std::string>& text) {
    if (!text) return '-';
    if (text->find("Paragraphe") != std::string::npos) return 'U';
    if (text->find("Newer") != std::string::npos) return 'N';
    return 'R';
}

void AppendToFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

void CopyNewer() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(block), "Newer", 6);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

TEST_P(KeptClipboard, TheUsersCopyComesBackAfterThePaste) {
    const KeptCase& c = GetParam();
    copier = StartClipboardListener("--copy");
    ASSERT_GE(WaitForLogLine(copier.log, "COPIED"), 0);
    if (*c.history) history = StartClipboardListener(c.history);
    ASSERT_TRUE(Start("Shopping - OneNote", "", c.reads));
    if (c.restoreOff) AppendToFile(vantor.ini, "[options]\r\nrestore_clipboard=0\r\n");
    const Flow& flow = kFeatureFlows[c.flow];
    FlowTimes times;
    std::string got;
    for (int round = 0; round < (c.twice ? 2 : 1); ++round) {
        from = ReadLogLines(standIn.log).size();
        if (std::string(c.reads).find("never") != std::string::npos) {
            HWND dialog = PressHotkeyFor(flow.caption, flow.modifiers[0], flow.key);
            ASSERT_NE(dialog, nullptr);
            Pump(300);
            std::string result;
            std::function<void()> finish = flow.prepare(dialog, vantor.process, result);
            ASSERT_TRUE(finish);
            finish();
            ASSERT_GE(WaitForLogLine(standIn.log, "PASTE IGNORED", from), 0);
            continue;
        }
        ASSERT_TRUE(RunFlow(flow, vantor, standIn, times));
        Paste paste = PasteAfter(standIn, from);
        ASSERT_TRUE(paste.came);
        if (c.copyAfterPaste) CopyNewer();
        got = {Whose(paste.html), Whose(paste.text)};
        if (std::string(c.reads).find("again") != std::string::npos) {
            int again = WaitForLogLineStarting(standIn.log, "AGAIN ", from);
            ASSERT_GE(again, 0);
            got += Whose(HexPayload(ReadLogLines(standIn.log)[again]));
        }
        EXPECT_EQ(got, c.got) << "round " << round;
    }
    EXPECT_TRUE(Eventually([&] { return Whose(ClipboardText()) == c.finally; }, 6000))
        << "the clipboard holds " << ClipboardText().value_or("(no text)");
    if (c.finally == 'U') {
        for (const auto& [format, block] : CopiedBlocks(copier)) {
            std::optional<std::string> now = ClipboardBlock(format);
            ASSERT_TRUE(now.has_value()) << "format " << format << " is gone";
            // Windows may round a block's size up; the bytes given are what counts.
            EXPECT_EQ(now->substr(0, block.size()), block) << "format " << format;
        }
    }
    if (std::string(c.history) == "--history") {
        for (const std::string& line : ReadLogLines(history.log))
            EXPECT_NE(line.rfind("RECORD", 0), 0u) << "the history recorded " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paste, KeptClipboard,
    ::testing::Values(
        KeptCase{"DatePicker", 2, "", "", false, false, false, "RR", 'U'},
        KeptCase{"ContactLink", 3, "", "", false, false, false, "RR", 'U'},
        KeptCase{"Highlighter", 1, "", "", false, false, false, "RR", 'U'},
        KeptCase{"SlowReader", 2, "--paste-delay 700", "", false, false, false, "RR", 'U'},
        KeptCase{"ReadsWithinTheSettleOfTheLast", 2, "--read-gap 200 --read-again 200", "", false, false, false,
                 "RRR", 'U'},
        KeptCase{"TextReadPastTheSettle", 2, "--read-gap 400", "", false, false, false, "RU", 'U'},
        KeptCase{"CopyBeforeThePutBack", 2, "", "", true, false, false, "RR", 'N'},
        KeptCase{"TwoQuickPastes", 2, "", "", false, true, false, "RR", 'U'},
        KeptCase{"HistoryHonouringTheMarks", 2, "", "--history", false, false, false, "RR", 'U'},
        KeptCase{"HistoryIgnoringTheMarks", 1, "", "--history --ignore-marks", false, false, false, "RR", 'U'},
        KeptCase{"NeverRead", 2, "--paste-delay never", "", false, false, false, "", 'U'},
        KeptCase{"RestoreOff", 2, "", "", false, false, true, "RR", 'R'}),
    [](const ::testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

}  // namespace
