// Accented capitals as a user meets them: Ctrl+M in any window, then the
// key of an accented small letter of the French keyboard, and its capital
// is typed where the user was. Any other key just closes the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

const char kDialogCaption[] = "Accents Majuscules";

class Accents : public ProgramSuite {
protected:
    bool Start(const std::string& caption) {
        vantor = StartVantorReady();
        if (!vantor.tray) return false;
        standIn = StartStandIn(caption);
        return standIn.ready;
    }

    HWND AwaitDialog() {
        HWND dialog = WaitForWindow(kDialogCaption);
        Pump(300);  // a window that has just opened is given a moment before input
        return dialog;
    }

    HWND OpenDialog() {
        logStart = ReadLogLines(standIn.log).size();
        Chord({VK_CONTROL}, 'M');
        return AwaitDialog();
    }

    // The characters the stand-in received since the dialog opened, up to
    // and including the "x" typed afterwards as an end mark.
    std::vector<std::string> CharactersUntilMark() {
        EXPECT_TRUE(WaitForForeground(standIn.window));
        Tap('X');
        int mark = WaitForLogLine(standIn.log, CharLine('x'), logStart);
        std::vector<std::string> chars;
        if (mark < 0) return chars;
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (int i = static_cast<int>(logStart); i <= mark; ++i)
            if (lines[i].rfind("CHAR ", 0) == 0) chars.push_back(lines[i]);
        return chars;
    }

    size_t logStart = 0;
};

struct CapitalCase {
    const char* name;
    WORD key;
    unsigned capital;  // UTF-16, as the stand-in logs it
};

class AccentsCapital : public Accents, public ::testing::WithParamInterface<CapitalCase> {};

TEST_P(AccentsCapital, KeyOfTheSmallLetterTypesItsCapital) {
    ASSERT_TRUE(Start("Shopping - OneNote"));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Tap(GetParam().key);
    ASSERT_TRUE(WaitUntilGone(dialog));
    EXPECT_EQ(CharactersUntilMark(), (std::vector<std::string>{CharLine(GetParam().capital), CharLine('x')}));
}

INSTANTIATE_TEST_SUITE_P(Accents, AccentsCapital,
                         ::testing::Values(CapitalCase{"EAcute", 0x32, 0xC9}, CapitalCase{"AGrave", 0x30, 0xC0},
                                           CapitalCase{"CCedilla", 0x39, 0xC7}, CapitalCase{"EGrave", 0x37, 0xC8},
                                           CapitalCase{"UGrave", VK_OEM_3, 0xD9}),
                         NameOfCase<CapitalCase>);

// Keys outside the table close the dialog on their key-down and type nothing.
struct ClosingKeyCase {
    const char* name;
    WORD key;
};

class AccentsClosingKey : public Accents, public ::testing::WithParamInterface<ClosingKeyCase> {};

TEST_P(AccentsClosingKey, ClosesTheDialogAndTypesNothing) {
    ASSERT_TRUE(Start("Shopping - OneNote"));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Tap(GetParam().key);
    ASSERT_TRUE(WaitUntilGone(dialog));
    EXPECT_EQ(CharactersUntilMark(), (std::vector<std::string>{CharLine('x')}));
}

INSTANTIATE_TEST_SUITE_P(Accents, AccentsClosingKey,
                         ::testing::Values(ClosingKeyCase{"Shift", VK_SHIFT}, ClosingKeyCase{"Digit1", '1'},
                                           ClosingKeyCase{"LetterE", 'E'}, ClosingKeyCase{"Escape", VK_ESCAPE}),
                         NameOfCase<ClosingKeyCase>);

int CountWindowsCaptioned(const char* caption) {
    struct Search {
        const char* caption;
        int count;
    } search{caption, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            char text[64] = "";
            GetWindowTextA(window, text, sizeof text);
            if (IsWindowVisible(window) && strcmp(text, search->caption) == 0) ++search->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// The hotkey fires on the key-down of M; the user lets go of M and Ctrl only
// once the dialog is there, and that must not count as the key. Where the
// hotkey repeats while held (a system without the no-repeat flag: some
// thirty times a second), or is pressed again, the open dialog is brought
// forward: still one dialog, and the key typed next is typed once. (Wine
// forgets a held Ctrl once the dialog is in front, and a Ctrl pressed anew
// closes the dialog, so the repeats are played here as the hotkey messages
// a repeating system gives.)
struct HeldChordCase {
    const char* name;
    int repeats;
};

class AccentsHeldChord : public Accents, public ::testing::WithParamInterface<HeldChordCase> {};

TEST_P(AccentsHeldChord, OpensOneDialogThatStaysOpen) {
    ASSERT_TRUE(Start("Shopping - OneNote"));
    logStart = ReadLogLines(standIn.log).size();
    KeyDown(VK_CONTROL);
    KeyDown('M');
    HWND dialog = AwaitDialog();
    KeyUp('M');
    KeyUp(VK_CONTROL);
    const ATOM ctrlM = GlobalFindAtomA((vantor.name + "_1").c_str());
    ASSERT_NE(ctrlM, 0);
    for (int i = 0; i < GetParam().repeats; ++i) {
        PostMessageA(vantor.tray, WM_HOTKEY, ctrlM, MAKELPARAM(MOD_CONTROL, 'M'));
        Pump(33);
    }
    Pump(500);
    EXPECT_EQ(CountWindowsCaptioned(kDialogCaption), 1);
    ASSERT_NE(dialog, nullptr);
    Pump(800);
    EXPECT_TRUE(IsWindow(dialog));
    Tap(0x32);
    ASSERT_TRUE(WaitUntilGone(dialog));
    Pump(500);
    EXPECT_EQ(CountWindowsCaptioned(kDialogCaption), 0);
    EXPECT_EQ(CharactersUntilMark(), (std::vector<std::string>{CharLine(0xC9), CharLine('x')}));
}

INSTANTIATE_TEST_SUITE_P(Accents, AccentsHeldChord,
                         ::testing::Values(HeldChordCase{"LetGoOnceOpen", 0}, HeldChordCase{"RepeatingASecond", 30}),
                         NameOfCase<HeldChordCase>);

TEST_F(Accents, WorksInAWindowThatIsNotOneNote) {
    ASSERT_TRUE(Start("Letter - Notepad"));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), standIn.window);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)) & ~WS_DISABLED, 0x94C800D4u);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kAccentsPrompt)),
              "Tapez le caract\xE8re accentu\xE9 \xE0 convertir en majuscule...");
    RECT catcher;
    GetWindowRect(GetDlgItem(dialog, kAccentsKeyCatcher), &catcher);
    EXPECT_EQ(catcher.right - catcher.left, 0);
    SaveScreenshot("accents");
    Tap(0x39);
    ASSERT_TRUE(WaitUntilGone(dialog));
    EXPECT_EQ(CharactersUntilMark(), (std::vector<std::string>{CharLine(0xC7), CharLine('x')}));
}

}  // namespace
