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
        gHotkeysEnabled = 0;
        tray = sim::AddWindow("Vantor");
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

TEST_F(HotkeyRegistrationTest, AtomsAreNamedAfterTheExecutable) {
    CreateHotkeyAtoms();
    EXPECT_EQ(sim::LiveAtoms(), (std::vector<std::string>{"Vantor_1", "Vantor_2", "Vantor_3", "Vantor_4"}));
    for (uint16_t atom : gHotkeyAtoms) EXPECT_GE(atom, 0xC000);
    EXPECT_EQ(std::set<uint16_t>(std::begin(gHotkeyAtoms), std::end(gHotkeyAtoms)).size(), 4u);
}

TEST_F(HotkeyRegistrationTest, AtomsFollowARenamedExecutable) {
    sim::SetModuleFileName("D:\\Tools\\my.helper.exe");
    CreateHotkeyAtoms();
    EXPECT_EQ(sim::LiveAtoms(),
              (std::vector<std::string>{"my.helper_1", "my.helper_2", "my.helper_3", "my.helper_4"}));
}

TEST_F(HotkeyRegistrationTest, NothingIsRegisteredUntilEnabled) {
    CreateHotkeyAtoms();
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    EXPECT_EQ(gHotkeysEnabled, 0);
}

TEST_F(HotkeyRegistrationTest, EnableRegistersTheFourWithoutRepeat) {
    CreateHotkeyAtoms();
    EnableHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 1);
    EXPECT_EQ(Registered(), AllFour());
}

TEST_F(HotkeyRegistrationTest, SystemRefusingNoRepeatGetsThePlainCombinations) {
    sim::RefuseNoRepeat();
    CreateHotkeyAtoms();
    EnableHotkeys(tray);
    EXPECT_EQ(Registered(), AllFour(0));
}

TEST_F(HotkeyRegistrationTest, DisableReleasesTheFour) {
    CreateHotkeyAtoms();
    EnableHotkeys(tray);
    DisableHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 0);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    EXPECT_EQ(sim::LiveAtoms().size(), 4u);
}

TEST_F(HotkeyRegistrationTest, ToggleTwiceReturnsToTheSameState) {
    CreateHotkeyAtoms();
    ToggleHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 1);
    EXPECT_EQ(Registered(), AllFour());
    ToggleHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 0);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    ToggleHotkeys(tray);
    ToggleHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 0);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
}

TEST_F(HotkeyRegistrationTest, DisablingWithNothingRegisteredIsHarmless) {
    CreateHotkeyAtoms();
    DisableHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 0);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    EnableHotkeys(tray);
    EXPECT_EQ(Registered(), AllFour());
}

TEST_F(HotkeyRegistrationTest, CombinationTakenElsewhereLeavesTheOthersWorking) {
    sim::TakeHotkeyElsewhere(2, 0x44);  // someone else's Ctrl+D
    CreateHotkeyAtoms();
    EnableHotkeys(tray);
    EXPECT_EQ(gHotkeysEnabled, 1);
    std::vector<Combination> expected = AllFour();
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(Registered(), expected);
    DisableHotkeys(tray);
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
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
