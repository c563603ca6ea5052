// Atoms and hotkeys, including combinations held by other programs.
#include <gtest/gtest.h>

#include "platform/hotkeys.h"
#include "platform/sim/sim.h"

namespace {

using platform::kModAlt;
using platform::kModControl;

TEST(Atoms, CountedByNameInAnyCase) {
    sim::Reset();
    uint16_t first = platform::GlobalAddAtomA("VantorHotkey1");
    uint16_t again = platform::GlobalAddAtomA("VANTORHOTKEY1");
    uint16_t other = platform::GlobalAddAtomA("VantorHotkey2");
    EXPECT_GE(first, 0xC000);
    EXPECT_EQ(again, first);
    EXPECT_NE(other, first);
    EXPECT_EQ(sim::LiveAtoms(), (std::vector<std::string>{"VantorHotkey1", "VantorHotkey2"}));
    platform::GlobalDeleteAtom(first);
    EXPECT_EQ(sim::LiveAtoms().size(), 2u);
    platform::GlobalDeleteAtom(first);
    EXPECT_EQ(sim::LiveAtoms(), (std::vector<std::string>{"VantorHotkey2"}));
    platform::GlobalDeleteAtom(first);  // already gone: nothing happens
    EXPECT_EQ(sim::LiveAtoms().size(), 1u);
}

TEST(Atoms, NamesThatCannotBeAtoms) {
    sim::Reset();
    EXPECT_EQ(platform::GlobalAddAtomA(""), 0);
    EXPECT_EQ(platform::GlobalAddAtomA(std::string(256, 'a')), 0);
    EXPECT_EQ(platform::GlobalAddAtomA("#12"), 12);  // an integer atom, never stored
    EXPECT_TRUE(sim::LiveAtoms().empty());
}

TEST(Hotkeys, RegisterAndUnregister) {
    sim::Reset();
    platform::WindowHandle tray = sim::AddWindow("Vantor");
    EXPECT_TRUE(platform::RegisterHotKey(tray, 0xC000, kModControl, 'M'));
    EXPECT_TRUE(platform::RegisterHotKey(tray, 0xC001, kModControl | kModAlt, '0'));
    ASSERT_EQ(sim::RegisteredHotkeys().size(), 2u);
    EXPECT_EQ(sim::RegisteredHotkeys()[1].virtualKey, unsigned('0'));
    EXPECT_EQ(sim::RegisteredHotkeys()[1].modifiers, kModControl | kModAlt);
    EXPECT_TRUE(platform::UnregisterHotKey(tray, 0xC000));
    EXPECT_FALSE(platform::UnregisterHotKey(tray, 0xC000));
    ASSERT_EQ(sim::RegisteredHotkeys().size(), 1u);
    EXPECT_EQ(sim::RegisteredHotkeys()[0].id, 0xC001);
}

TEST(Hotkeys, TakenCombinationsFail) {
    sim::Reset();
    sim::TakeHotkeyElsewhere(kModControl, 'D');
    EXPECT_FALSE(platform::RegisterHotKey(nullptr, 1, kModControl, 'D'));
    EXPECT_TRUE(platform::RegisterHotKey(nullptr, 2, kModControl | kModAlt, 'D'));
    EXPECT_FALSE(platform::RegisterHotKey(nullptr, 3, kModControl | kModAlt, 'D'));
    EXPECT_TRUE(platform::RegisterHotKey(nullptr, 4, kModControl, 'H'));
    EXPECT_EQ(sim::RegisteredHotkeys().size(), 2u);
}

}  // namespace
