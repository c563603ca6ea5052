// The simulated layouts answer as the real ones do for the keys that key
// macros type.
#include <gtest/gtest.h>

#include "platform/keyboard.h"
#include "platform/sim/sim.h"

namespace {

struct KeyCase {
    unsigned char character;
    int16_t answer;
};

void ExpectKeys(sim::Layout layout, std::initializer_list<KeyCase> cases) {
    sim::Reset();
    sim::SetKeyboardLayout(layout);
    platform::LayoutHandle handle = platform::GetKeyboardLayout();
    for (const KeyCase& c : cases)
        EXPECT_EQ(platform::VkKeyScanExA(c.character, handle), c.answer)
            << "character 0x" << std::hex << unsigned(c.character);
}

TEST(Keyboard, UnitedStatesLayout) {
    ExpectKeys(sim::Layout::UnitedStates,
               {{'v', 0x56}, {'c', 0x43}, {'a', 0x41}, {'A', 0x141}, {'Z', 0x15A}, {'0', 0x30},
                {'9', 0x39}, {'@', 0x132}, {'!', 0x131}, {')', 0x130}, {' ', 0x20}, {'-', 0xBD},
                {'_', 0x1BD}, {'=', 0xBB}, {'+', 0x1BB}, {'[', 0xDB}, {'{', 0x1DB}, {'\\', 0xDC},
                {'|', 0x1DC}, {';', 0xBA}, {':', 0x1BA}, {'\'', 0xDE}, {'"', 0x1DE}, {',', 0xBC},
                {'<', 0x1BC}, {'.', 0xBE}, {'>', 0x1BE}, {'/', 0xBF}, {'?', 0x1BF}, {'`', 0xC0},
                {'~', 0x1C0}, {'\t', 0x09}, {'\r', 0x0D}, {0xC9, -1}, {0xE9, -1}, {0x80, -1}});
}

TEST(Keyboard, EveryPrintableAsciiCharacterHasAUnitedStatesKey) {
    sim::Reset();
    platform::LayoutHandle handle = platform::GetKeyboardLayout();
    for (int c = 0x20; c < 0x7F; ++c) EXPECT_NE(platform::VkKeyScanExA(c, handle), -1) << char(c);
}

TEST(Keyboard, FrenchLayout) {
    ExpectKeys(sim::Layout::French,
               {{'v', 0x56}, {'c', 0x43}, {'a', 0x41}, {'q', 0x51}, {'A', 0x141}, {'@', 0x630},
                {0xE9, 0x32}, {0xE0, 0x30}, {0xE7, 0x39}, {0xE8, 0x37}, {0xF9, 0xC0}, {'&', 0x31},
                {'1', 0x131}, {'0', 0x130}, {'#', 0x633}, {'{', 0x634}, {'}', 0x6BB}, {0x80, 0x645},
                {')', 0xDB}, {'=', 0xBB}, {'!', 0xDF}, {',', 0xBC}, {'?', 0x1BC}, {0xC9, -1},
                {0xC0, -1}});
}

TEST(Keyboard, LayoutsHaveTheirOwnHandles) {
    sim::Reset();
    platform::LayoutHandle unitedStates = platform::GetKeyboardLayout();
    sim::SetKeyboardLayout(sim::Layout::French);
    platform::LayoutHandle french = platform::GetKeyboardLayout();
    EXPECT_NE(unitedStates, french);
    // The handle asked with decides, not the layout in force.
    EXPECT_EQ(platform::VkKeyScanExA('@', unitedStates), 0x132);
    EXPECT_EQ(platform::VkKeyScanExA('@', french), 0x630);
}

TEST(Keyboard, OverriddenCharacters) {
    sim::Reset();
    sim::SetKeyForCharacter('v', -1);
    sim::SetKeyForCharacter(0xC9, 0x145);
    platform::LayoutHandle handle = platform::GetKeyboardLayout();
    EXPECT_EQ(platform::VkKeyScanExA('v', handle), -1);
    EXPECT_EQ(platform::VkKeyScanExA(0xC9, handle), 0x145);
    EXPECT_EQ(platform::VkKeyScanExA('c', handle), 0x43);
    sim::Reset();
    EXPECT_EQ(platform::VkKeyScanExA('v', platform::GetKeyboardLayout()), 0x56);
}

TEST(Keyboard, ScanCodes) {
    sim::Reset();
    const unsigned cases[][2] = {
        {0x11, 0x1D}, {0x10, 0x2A}, {0x12, 0x38}, {'V', 0x2F}, {'C', 0x2E}, {'A', 0x1E},
        {'Q', 0x10},  {'M', 0x32},  {'1', 0x02},  {'0', 0x0B}, {0x24, 0x47}, {0x23, 0x4F},
        {0x21, 0x49}, {0x22, 0x51}, {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50},
        {0x2D, 0x52}, {0x2E, 0x53}, {0x0D, 0x1C}, {0x09, 0x0F}, {0x1B, 0x01}, {0x08, 0x0E},
        {0x5B, 0x5B}, {0x5D, 0x5D}, {0x90, 0x45}, {0x14, 0x3A}, {0x70, 0x3B}, {0x79, 0x44},
        {0x7A, 0x57}, {0x7B, 0x58}, {0x30, 0x0B}, {0xFF, 0},    {0x07, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::MapVirtualKeyA(c[0]), c[1]) << "key 0x" << std::hex << c[0];
}

TEST(Keyboard, SentInputsAreKeptInOrder) {
    sim::Reset();
    std::vector<platform::KeyEvent> first = {{0x11, 0x1D, 0}, {0x11, 0x1D, platform::kKeyEventKeyUp}};
    std::vector<platform::KeyEvent> second = {{0, 0xC9, platform::kKeyEventUnicode}};
    platform::SendInput(first);
    platform::SendInput(second);
    ASSERT_EQ(sim::SentInputs().size(), 2u);
    EXPECT_EQ(sim::SentInputs()[0], first);
    EXPECT_EQ(sim::SentInputs()[1], second);
    EXPECT_EQ(sim::CallNames(), (std::vector<std::string>{"SendInput", "SendInput"}));
}

}  // namespace
