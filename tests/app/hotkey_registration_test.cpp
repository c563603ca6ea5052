// The four hotkeys and their atoms against the simulated system.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/hotkey_dispatcher.h"
#include "platform/hotkeys.h"
#include "platform/sim/sim.h"

namespace {

struct Combination {
    int id;
    unsigned modifiers;
    unsigned virtualKey;
    bool operator==(const Combination&) const = default;
};

class HotkeyRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        std::fill(std::begin(gHotkeyAtoms), std::end(gHotkeyAtoms), uint16_t{0});
        tray = sim::AddWindow("Vantor");
        ReleaseHotkeys(tray);  // a new run
    }

    std::vector<Combination> Registered() {
        std::vector<Combination> found;
        for (const sim::Hotkey& hotkey : sim::RegisteredHotkeys()) {
            EXPECT_EQ(hotkey.window, tray);
            found.push_back({hotkey.id, hotkey.modifiers, hotkey.virtualKey});
        }
        return found;
    }

    // Ctrl+M, Ctrl+D, Ctrl+Alt+0 (the "@" key of AZERTY), Ctrl+H; none
    // repeats while held, where the system knows how.
    std::vector<Combination> AllFour(unsigned noRepeat = 0x4000) {
        return {{gHotkeyAtoms[0], 2 | noRepeat, 0x4D}, {gHotkeyAtoms[1], 2 | noRepeat, 0x44},
                {gHotkeyAtoms[2], 3 | noRepeat, 0x30}, {gHotkeyAtoms[3], 2 | noRepeat, 0x48}};
    }

    platform::WindowHandle tray = nullptr;
};

// Named after the executable, renamed or not.
TEST_F(HotkeyRegistrationTest, AtomsAreNamedAfterTheExecutable) {
    const struct { const char* module; std::string base; } cases[] = {{nullptr, "Vantor"},
                                                                       {"D:\\Tools\\my.helper.exe", "my.helper"}};
    for (const auto& [module, b] : cases) {
        sim::Reset();
        if (module) sim::SetModuleFileName(module);
        CreateHotkeyAtoms();
        EXPECT_EQ(sim::LiveAtoms(), (std::vector<std::string>{b + "_1", b + "_2", b + "_3", b + "_4"}));
        for (uint16_t atom : gHotkeyAtoms) EXPECT_GE(atom, 0xC000);
        EXPECT_EQ(std::set<uint16_t>(std::begin(gHotkeyAtoms), std::end(gHotkeyAtoms)).size(), 4u);
    }
}

// Nothing until enabled; then the four without repeat, or plain where the
// system refuses the flag; toggling and disabling, even with nothing
// registered, end with none.
TEST_F(HotkeyRegistrationTest, EnableDisableAndToggle) {
    for (bool refuse : {false, true}) {
        if (refuse) sim::RefuseNoRepeat();
        CreateHotkeyAtoms();
        EXPECT_TRUE(sim::RegisteredHotkeys().empty());
        DisableHotkeys(tray);
        EnableHotkeys(tray);
        EXPECT_EQ(gHotkeysEnabled, 1);
        EXPECT_EQ(Registered(), AllFour(refuse ? 0 : 0x4000));
        DisableHotkeys(tray);
        EXPECT_EQ(gHotkeysEnabled, 0);
        EXPECT_TRUE(sim::RegisteredHotkeys().empty());
        EXPECT_EQ(sim::LiveAtoms().size(), 4u);
        ToggleHotkeys(tray);
        EXPECT_EQ(Registered(), AllFour(refuse ? 0 : 0x4000));
        ToggleHotkeys(tray);
        EXPECT_EQ(gHotkeysEnabled, 0);
        EXPECT_TRUE(sim::RegisteredHotkeys().empty());
        ReleaseHotkeys(tray);
    }
}

// The menu says which is missing; a balloon says it once a run.
TEST_F(HotkeyRegistrationTest, CombinationTakenElsewhereLeavesTheOthersWorkingAndIsShown) {
    sim::TakeHotkeyElsewhere(2, 0x44);  // someone else's Ctrl+D
    CreateHotkeyAtoms();
    EnableHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 1);
    std::vector<Combination> expected = AllFour();
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(Registered(), expected);
    EXPECT_EQ(ShortcutMenuText(kDatePickerCommand), " (Ctrl+D taken by another program)");
    EXPECT_EQ(ShortcutMenuText(kAccentsCommand) + ShortcutMenuText(kContactBookCommand) +
                  ShortcutMenuText(kHighlightCommand),
              "\tCtrl+M\tCtrl+Alt+0\tCtrl+H");
    EXPECT_EQ(NewlyTakenShortcuts(), "Ctrl+D is taken by another program: Date Picker is in the menu.");
    DisableHotkeys(tray);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    EnableHotkeys(tray);
    EXPECT_EQ(NewlyTakenShortcuts(), "");
    EXPECT_EQ(ShortcutMenuText(kDatePickerCommand), " (Ctrl+D taken by another program)");
}

// The "@" chord is AltGr and the key that types "@" in the layout of the
// window in front, else AltGr+0; read when the shortcuts are taken and again
// at each hotkey.
TEST_F(HotkeyRegistrationTest, AtSignChordFollowsTheLayout) {
    const struct {
        sim::Layout layout;
        unsigned key;
        const char* menuText;
    } cases[] = {{sim::Layout::French, 0x30, "\tAltGr+0"},       {sim::Layout::Belgian, 0x32, "\tAltGr+2"},
                 {sim::Layout::German, 0x51, "\tAltGr+Q"},       {sim::Layout::SwissFrench, 0x32, "\tAltGr+2"},
                 {sim::Layout::CanadianFrench, 0x32, "\tAltGr+2"}, {sim::Layout::Spanish, 0x32, "\tAltGr+2"},
                 {sim::Layout::Italian, 0xC0, "\tAltGr+\xF2"},   {sim::Layout::UnitedStates, 0x30, "\tCtrl+Alt+0"}};
    CreateHotkeyAtoms();
    sim::SetForeground(sim::AddWindow("Notes - OneNote"));
    EnableHotkeys(tray);
    for (const auto& c : cases) {
        sim::SetKeyboardLayout(c.layout);
        OnHotkey(gHotkeyAtoms[0]);
        std::vector<Combination> expected = AllFour(), found = Registered();
        expected[2].virtualKey = c.key;
        std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.id < b.id; });
        EXPECT_EQ(found, expected) << c.menuText;
        EXPECT_EQ(ShortcutMenuText(kContactBookCommand), c.menuText);
    }
    sim::SetKeyboardLayout(sim::Layout::German);
    EnableHotkeys(tray);
    EXPECT_EQ(sim::RegisteredHotkeys().back().virtualKey, 0x51u);
}

// Registered or not, whatever the flag says, the clean-up releases all.
TEST_F(HotkeyRegistrationTest, ReleaseUnregistersWhateverTheFlagAndDeletesTheAtoms) {
    for (bool registered : {true, false}) {
        CreateHotkeyAtoms();
        if (registered) EnableHotkeys(tray);
        gHotkeysEnabled = 0;  // the flag is not what decides the clean-up
        ReleaseHotkeys(tray);
        EXPECT_TRUE(sim::RegisteredHotkeys().empty());
        EXPECT_TRUE(sim::LiveAtoms().empty());
        EXPECT_EQ(gHotkeysEnabled, 0);
    }
}

// An atom of the same name held by another program is shared, not removed.
TEST_F(HotkeyRegistrationTest, ReleaseLeavesAnotherHoldersAtom) {
    platform::GlobalAddAtomA("Vantor_2");
    CreateHotkeyAtoms();
    ReleaseHotkeys(tray);
    EXPECT_EQ(sim::LiveAtoms(), std::vector<std::string>{"Vantor_2"});
}

}  // namespace
