// The bench itself under test: the real key macro sender and the real
// hotkey registration, driven against the stand-in target, must produce
// exactly what a person at the keyboard would, or no desktop test built on
// them means anything.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/hotkey_dispatcher.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/stand_in.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"

using namespace e2e;

// The dispatcher's object file names the feature entries; this program
// never dispatches a request, so reaching one is a fault of the test.
static int UnexpectedFeature() {
    ADD_FAILURE() << "a feature dialog was started";
    return 0;
}
int AccentedCapitalsDialog(platform::WindowHandle, platform::IconHandle) { return UnexpectedFeature(); }
int DatePickerDialog(platform::WindowHandle, platform::IconHandle) { return UnexpectedFeature(); }
int ContactBookDialog(platform::WindowHandle, platform::IconHandle) { return UnexpectedFeature(); }
int HighlightLineDialog(platform::WindowHandle, platform::IconHandle) { return UnexpectedFeature(); }

namespace {

const char kOneNoteCaption[] = "Notes - OneNote";

// A last key the tests send after the keys they examine: once its character
// is logged, everything sent before it has been handled.
constexpr WORD kSentinelKey = 'X';
const unsigned kSentinelChar = 'x';

void SendSentinel() { Tap(kSentinelKey); }

// The log from the line after READY up to the sentinel's key-down.
std::vector<std::string> LinesUntilSentinel(const StandIn& standIn) {
    int ready = WaitForLogLine(standIn.log, "READY");
    int sentinel = WaitForLogLine(standIn.log, CharLine(kSentinelChar), ready + 1);
    if (ready < 0 || sentinel < 0) return {};
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    std::vector<std::string> between(lines.begin() + ready + 1, lines.begin() + sentinel);
    if (!between.empty() && between.back() == KeyDownLine(kSentinelKey)) between.pop_back();
    return between;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}

// Any key-down of the key, plain or system, whatever its flags.
bool SawKeyDown(const std::vector<std::string>& lines, WORD key) {
    char plain[32], system[32];
    std::snprintf(plain, sizeof plain, "KEYDOWN vk=0x%02X ", key);
    std::snprintf(system, sizeof system, "SYSKEYDOWN vk=0x%02X ", key);
    for (const std::string& l : lines)
        if (l.rfind(plain, 0) == 0 || l.rfind(system, 0) == 0) return true;
    return false;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "  " + line + "\n";
    return text;
}

// The four header values of an "HTML Format" document must point at the
// places a reader looks for.
void ExpectOffsetsHold(const std::string& document) {
    auto value = [&](const std::string& key) -> long {
        size_t at = document.find(key);
        return at == std::string::npos ? -1 : std::stol(document.substr(at + key.size(), 10));
    };
    size_t endFragmentKey = document.find("EndFragment:");
    ASSERT_NE(endFragmentKey, std::string::npos) << document;
    EXPECT_EQ(value("StartHTML:"), (long)document.find("\r\n", endFragmentKey) + 2) << document;
    EXPECT_EQ(document.compare(value("StartHTML:"), 6, "<html>"), 0) << document;
    EXPECT_EQ(value("EndHTML:"), (long)document.size()) << document;
    EXPECT_EQ(value("StartFragment:"), (long)(document.find("<!--StartFragment-->") + 20)) << document;
    EXPECT_EQ(value("EndFragment:"), (long)document.find("<!--EndFragment-->")) << document;
}

class BenchProof : public ::testing::Test {
protected:
    void TearDown() override { EndStandIn(standIn); }
    StandIn standIn;
};

// Every program of the run must sit on the one virtual desktop the bench
// made: windows of another desktop are out of reach of FindWindow, input
// and screenshots.
TEST(BenchDesktop, IsTheVirtualDesktopTheRunWasGiven) {
    const char* expected = std::getenv("VANTOR_E2E_DESKTOP");
    if (!expected) GTEST_SKIP() << "not started by scripts/with-wine";
    char name[256] = "";
    DWORD size = 0;
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &size);
    EXPECT_STREQ(name, expected);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

// Typing: each macro, sent from this process, reaches the window in front as
// the key messages a real keyboard would give.
struct TypedCase {
    const char* name;
    const char* macro;
    std::vector<std::string> lines;  // what the stand-in logs, in order
};

std::vector<TypedCase> TypedCases() {
    return {
        {"CapitalA", "A",
         {KeyDownLine(VK_SHIFT), KeyDownLine('A'), CharLine('A'), KeyUpLine('A'), KeyUpLine(VK_SHIFT)}},
        // On the US layout "@" is Shift+2.
        {"AtSign", "@",
         {KeyDownLine(VK_SHIFT), KeyDownLine('2'), CharLine('@'), KeyUpLine('2'), KeyUpLine(VK_SHIFT)}},
        // No key types it: a single Unicode event, seen as the packet key
        // carrying the character, and no key-up.
        {"CapitalEAcute", "\xC9", {"KEYDOWN vk=0xE7 scan=0xC9 flags=0x00", CharLine(0x00C9)}},
        {"NavigationKeysAreExtended", "{HOME}{END}",
         {KeyDownLine(VK_HOME, kExtendedKey), KeyUpLine(VK_HOME, kExtendedKey), KeyDownLine(VK_END, kExtendedKey),
          KeyUpLine(VK_END, kExtendedKey)}},
    };
}

class TypedMacro : public ::testing::TestWithParam<TypedCase> {
protected:
    void TearDown() override { EndStandIn(standIn); }
    StandIn standIn;
};

TEST_P(TypedMacro, ReachesTheWindowInFrontAsKeyMessages) {
    standIn = StartStandIn(kOneNoteCaption);
    ASSERT_TRUE(standIn.ready);
    SendKeyMacro(GetParam().macro);
    SendSentinel();
    std::vector<std::string> lines = LinesUntilSentinel(standIn);
    EXPECT_EQ(lines, GetParam().lines) << "logged:\n" << Joined(lines);
}

INSTANTIATE_TEST_SUITE_P(Macros, TypedMacro, ::testing::ValuesIn(TypedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BenchProof, PasteMacroMakesTheTargetReadTheHtmlDocument) {
    standIn = StartStandIn(kOneNoteCaption);
    ASSERT_TRUE(standIn.ready);
    ASSERT_TRUE(PutHtmlFragment("<b>Lundi 1 janvier</b>"));
    std::optional<std::string> placed = ClipboardHtml();
    std::optional<std::string> placedText = ClipboardText();
    ASSERT_TRUE(placed.has_value());

    SendKeyMacro("{CTRL_D}v{CTRL_U}");
    int paste = WaitForLogLine(standIn.log, "PASTE");
    ASSERT_GE(paste, 0);
    int html = WaitForLogLineStarting(standIn.log, "HTML ", paste + 1);
    int text = WaitForLogLineStarting(standIn.log, "TEXT ", paste + 1);
    ASSERT_EQ(html, paste + 1);
    ASSERT_EQ(text, paste + 2);
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    EXPECT_EQ(HexPayload(lines[html]), placed);
    EXPECT_EQ(HexPayload(lines[text]), placedText) << lines[text];
    EXPECT_EQ(lines[paste - 1], KeyDownLine('V'));
    EXPECT_EQ(lines[paste - 2], KeyDownLine(VK_CONTROL));

    SendSentinel();
    std::vector<std::string> after = LinesUntilSentinel(standIn);
    EXPECT_TRUE(Contains(after, KeyUpLine('V'))) << Joined(after);
    EXPECT_TRUE(Contains(after, KeyUpLine(VK_CONTROL))) << Joined(after);
}

TEST_F(BenchProof, SelectAndCopyMacroLeavesTheTargetsLineOnTheClipboard) {
    standIn = StartStandIn(kOneNoteCaption, "--text " + Quoted("Tuesday meeting & notes"));
    ASSERT_TRUE(standIn.ready);
    EmptyTheClipboard();
    SendMessageA(standIn.edit, EM_SETSEL, 7, 7);  // the caret inside the line

    SendKeyMacro("{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}");
    ASSERT_GE(WaitForLogLine(standIn.log, "COPY"), 0);
    DWORD start = 0, end = 0;
    EditSelection(standIn, start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 23u);

    std::optional<std::string> document = ClipboardHtml();
    ASSERT_TRUE(document.has_value());
    EXPECT_NE(document->find("<!--StartFragment-->\r\n<p style='margin:0in'>Tuesday meeting &amp; notes</p>\r\n"
                             "<!--EndFragment-->"),
              std::string::npos)
        << *document;
    ExpectOffsetsHold(*document);
    SaveScreenshot("bench_select_and_copy");
}

TEST_F(BenchProof, HighlightedTargetCopiesItsLineInAnAquaSpan) {
    standIn = StartStandIn(kOneNoteCaption, "--highlighted --text " + Quoted("first\r\nsecond"));
    ASSERT_TRUE(standIn.ready);
    SendMessageA(standIn.edit, EM_SETSEL, 9, 9);  // inside "second"

    SendKeyMacro("{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}");
    ASSERT_GE(WaitForLogLine(standIn.log, "COPY"), 0);
    std::optional<std::string> document = ClipboardHtml();
    ASSERT_TRUE(document.has_value());
    EXPECT_NE(document->find("<p style='margin:0in'><span style='background:aqua;mso-highlight:aqua'>second"
                             "</span></p>"),
              std::string::npos)
        << *document;
    ExpectOffsetsHold(*document);
}

// Hotkeys: while registered, each combination reaches the registering
// window and never the window in front; once released, the window in front
// gets it again.
struct HotkeyCase {
    const char* name;
    int slot;  // 1 to 4
    std::vector<WORD> modifiers;
    WORD key;
    unsigned keyFlags;  // of the key's line when it reaches the target
};

const HotkeyCase kHotkeyCases[] = {
    {"CtrlM", 1, {VK_CONTROL}, 'M', 0},
    {"CtrlD", 2, {VK_CONTROL}, 'D', 0},
    {"CtrlAlt0", 3, {VK_CONTROL, VK_MENU}, '0', kAltHeld},
    {"CtrlH", 4, {VK_CONTROL}, 'H', 0},
};

void SendChord(const HotkeyCase& c) {
    if (c.modifiers.size() == 2)
        Chord({c.modifiers[0], c.modifiers[1]}, c.key);
    else
        Chord({c.modifiers[0]}, c.key);
}

class Hotkey : public ::testing::TestWithParam<HotkeyCase> {
protected:
    void SetUp() override {
        CreateHotkeyAtoms();
        window = CreateHotkeyWindow();
    }
    void TearDown() override {
        ReleaseHotkeys(window);
        DestroyWindow(window);
        EndStandIn(standIn);
    }
    StandIn standIn;
    HWND window = nullptr;
};

TEST_P(Hotkey, IsCaughtWhileEnabledAndReachesTheTargetOnceDisabled) {
    const HotkeyCase& c = GetParam();
    ASSERT_NE(window, nullptr);
    uint16_t atom = gHotkeyAtoms[c.slot - 1];
    ASSERT_GE(atom, 0xC000);
    standIn = StartStandIn(kOneNoteCaption);
    ASSERT_TRUE(standIn.ready);

    EnableHotkeys(window);
    SendChord(c);
    ASSERT_TRUE(WaitForHotkey(atom));
    SendSentinel();
    std::vector<std::string> caught = LinesUntilSentinel(standIn);
    EXPECT_FALSE(SawKeyDown(caught, c.key)) << Joined(caught);
    EXPECT_FALSE(Contains(caught, CharLine(c.key & 0x1F))) << Joined(caught);
    EXPECT_EQ(ReceivedHotkeys(), std::vector<uintptr_t>{atom});

    DisableHotkeys(window);
    size_t from = ReadLogLines(standIn.log).size();
    SendChord(c);
    EXPECT_GE(WaitForLogLine(standIn.log, KeyDownLine(c.key, c.keyFlags), from), 0);
    Pump(200);
    EXPECT_EQ(ReceivedHotkeys().size(), 1u) << "a released hotkey still arrived";
}

INSTANTIATE_TEST_SUITE_P(Slots, Hotkey, ::testing::ValuesIn(kHotkeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
