// Key macros turned into key events, against a small layout of the test's
// own, and sent through the simulated keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "inject/key_macro.h"
#include "platform/sim/sim.h"

using platform::KeyEvent;

namespace {

// "v" and "c" plain, "A" with Shift, "@" with Ctrl+Alt (AltGr), "É" without
// a key; "$" is typed by 0x2E (the Delete key's code) and "~" carries shift
// bits above Alt, which must be ignored. Scan codes are key + 0x100, so a
// scan code taken from the wrong key shows.
KeyLayout TestLayout() {
    return {
        [](unsigned char c) -> int16_t {
            switch (c) {
                case 'v': return 0x56;
                case 'c': return 0x43;
                case 'a': return 0x41;
                case 'b': return 0x42;
                case 'A': return 0x141;
                case '@': return 0x630;
                case '$': return 0x2E;
                case '~': return 0x0F42;
                default: return -1;
            }
        },
        [](uint16_t key) { return static_cast<uint16_t>(key + 0x100); },
        [](unsigned char c) { return static_cast<uint16_t>(c == 0x80 ? 0x20AC : c); },
    };
}

uint16_t S(uint16_t key) { return key + 0x100; }
KeyEvent Down(uint16_t key) { return {key, S(key), 0}; }
KeyEvent Up(uint16_t key) { return {key, S(key), 2}; }
KeyEvent ExtDown(uint16_t key) { return {key, S(key), 1}; }
KeyEvent ExtUp(uint16_t key) { return {key, S(key), 3}; }
KeyEvent Unicode(uint16_t unit) { return {0, unit, 4}; }

std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts) {
    std::vector<KeyEvent> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<KeyEvent> kV = {Down(0x56), Up(0x56)};

struct MacroCase {
    const char* macro;
    std::vector<KeyEvent> events;
};

class KeyMacroEventsTest : public ::testing::TestWithParam<MacroCase> {};

TEST_P(KeyMacroEventsTest, GivesTheEventsInOrder) {
    const MacroCase& c = GetParam();
    EXPECT_EQ(KeyMacroEvents(c.macro, TestLayout()), c.events) << "macro \"" << c.macro << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyMacroEventsTest,
    ::testing::Values(
        MacroCase{"", {}},
        MacroCase{"{CTRL_D}v{CTRL_U}", {Down(0x11), Down(0x56), Up(0x56), Up(0x11)}},
        MacroCase{"{END}", {ExtDown(0x23), ExtUp(0x23)}},
        MacroCase{"{WIN_D}", {Down(0x5B)}},
        MacroCase{"{ctrl_d}", {Down(0x11)}},
        MacroCase{"{Ctrl_D}", {Down(0x11)}},
        MacroCase{"{CTRL_D }", {}},
        MacroCase{"{ CTRL_D}", {}},
        MacroCase{"{NOPE}v", kV},
        MacroCase{"{NOPE}", {}},
        MacroCase{"{}", {}},
        MacroCase{"{CT{ENTER}", {Down(0x0D), Up(0x0D)}},
        MacroCase{"{ENT", {}},
        MacroCase{"v{ENTER", kV},
        MacroCase{"}", {}},
        MacroCase{"a}b", {Down(0x41), Up(0x41), Down(0x42), Up(0x42)}},
        MacroCase{"{TAB}}", {Down(0x09), Up(0x09), Down(0x09), Up(0x09)}},
        MacroCase{"{TAB}v}", Join({{Down(0x09), Up(0x09)}, kV, {Down(0x09), Up(0x09)}})},
        MacroCase{"A", {Down(0x10), Down(0x41), Up(0x41), Up(0x10)}},
        MacroCase{"@", {Down(0x11), Down(0x12), Down(0x30), Up(0x30), Up(0x11), Up(0x12)}},
        MacroCase{"~", {Down(0x10), Down(0x11), Down(0x12), Down(0x42), Up(0x42), Up(0x10),
                        Up(0x11), Up(0x12)}},
        MacroCase{"\xC9", {Unicode(0x00C9)}},
        MacroCase{"\x80\xC9", {Unicode(0x20AC), Unicode(0x00C9)}},
        MacroCase{"$", {Down(0x2E), Up(0x2E)}},
        MacroCase{"{DELETE}", {ExtDown(0x2E), ExtUp(0x2E)}},
        MacroCase{"{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}",
                  {ExtDown(0x24), ExtUp(0x24), Down(0x10), ExtDown(0x23), ExtUp(0x23), Up(0x10),
                   Down(0x11), Down(0x43), Up(0x43), Up(0x11)}},
        MacroCase{"{CTRL_D}v{CTRL_U}{END}{ESCAPE}",
                  {Down(0x11), Down(0x56), Up(0x56), Up(0x11), ExtDown(0x23), ExtUp(0x23),
                   Down(0x1B), Up(0x1B)}}));

enum class Pattern { Down, Up, DownUp, ExtendedDownUp };

struct NameCase {
    const char* name;
    uint16_t key;
    Pattern pattern;
};

std::vector<KeyEvent> EventsOf(const NameCase& c) {
    switch (c.pattern) {
        case Pattern::Down: return {Down(c.key)};
        case Pattern::Up: return {Up(c.key)};
        case Pattern::DownUp: return {Down(c.key), Up(c.key)};
        case Pattern::ExtendedDownUp: return {ExtDown(c.key), ExtUp(c.key)};
    }
    return {};
}

class KeyNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyNameTest, SendsItsKeyInUpperOrLowerCase) {
    const NameCase& c = GetParam();
    std::string lower = c.name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(KeyMacroEvents(std::string("{") + c.name + "}", TestLayout()), EventsOf(c));
    EXPECT_EQ(KeyMacroEvents("{" + lower + "}", TestLayout()), EventsOf(c));
}

INSTANTIATE_TEST_SUITE_P(
    AllNames, KeyNameTest,
    ::testing::Values(
        NameCase{"CTRL_D", 0x11, Pattern::Down}, NameCase{"CTRL_U", 0x11, Pattern::Up},
        NameCase{"ALT_D", 0x12, Pattern::Down}, NameCase{"ALT_U", 0x12, Pattern::Up},
        NameCase{"SHIFT_D", 0x10, Pattern::Down}, NameCase{"SHIFT_U", 0x10, Pattern::Up},
        NameCase{"WIN_D", 0x5B, Pattern::Down}, NameCase{"WIN_U", 0x5B, Pattern::Up},
        NameCase{"BACKSPACE", 0x08, Pattern::DownUp}, NameCase{"ENTER", 0x0D, Pattern::DownUp},
        NameCase{"INSERT", 0x2D, Pattern::ExtendedDownUp},
        NameCase{"DELETE", 0x2E, Pattern::ExtendedDownUp},
        NameCase{"RIGHT", 0x27, Pattern::ExtendedDownUp},
        NameCase{"LEFT", 0x25, Pattern::ExtendedDownUp},
        NameCase{"UP", 0x26, Pattern::ExtendedDownUp},
        NameCase{"DOWN", 0x28, Pattern::ExtendedDownUp},
        NameCase{"HOME", 0x24, Pattern::ExtendedDownUp},
        NameCase{"END", 0x23, Pattern::ExtendedDownUp}, NameCase{"TAB", 0x09, Pattern::DownUp},
        NameCase{"ESCAPE", 0x1B, Pattern::DownUp},
        NameCase{"PGUP", 0x21, Pattern::ExtendedDownUp},
        NameCase{"PGDN", 0x22, Pattern::ExtendedDownUp}, NameCase{"F1", 0x70, Pattern::DownUp},
        NameCase{"F2", 0x71, Pattern::DownUp}, NameCase{"F3", 0x72, Pattern::DownUp},
        NameCase{"F4", 0x73, Pattern::DownUp}, NameCase{"F5", 0x74, Pattern::DownUp},
        NameCase{"F6", 0x75, Pattern::DownUp}, NameCase{"F7", 0x76, Pattern::DownUp},
        NameCase{"F8", 0x77, Pattern::DownUp}, NameCase{"F9", 0x78, Pattern::DownUp},
        NameCase{"F10", 0x79, Pattern::DownUp}, NameCase{"F11", 0x7A, Pattern::DownUp},
        NameCase{"F12", 0x7B, Pattern::DownUp}, NameCase{"APPS", 0x5D, Pattern::DownUp},
        NameCase{"NUMLOCK", 0x90, Pattern::DownUp}, NameCase{"CAPITAL", 0x14, Pattern::DownUp}));

TEST(KeyMacroEvents, NamesOutsideTheTableGiveNothing) {
    const std::string macros[] = {"{F13}", "{F0}", "{CTRL}", "{CTRLD}", "{CTRL-D}", "{ESC}",
                                  "{BACKSPACEX}", "{\xC9}", "{\tTAB}", std::string("{CTRL_D\0}", 9)};
    for (const std::string& macro : macros)
        EXPECT_TRUE(KeyMacroEvents(macro, TestLayout()).empty()) << macro;
}

// The names are matched after the layout's own upper-casing, whatever the
// locale does to them.
TEST(KeyMacroEvents, UsesTheLayoutsUpperCasing) {
    KeyLayout layout = TestLayout();
    layout.upperCaseName = [](std::string& name) {
        for (char& c : name) c = c == 'i' ? '\xDD' : static_cast<char>(std::toupper(c));
    };
    EXPECT_EQ(KeyMacroEvents("{end}", layout), (std::vector<KeyEvent>{ExtDown(0x23), ExtUp(0x23)}));
    EXPECT_TRUE(KeyMacroEvents("{insert}", layout).empty());
    EXPECT_EQ(KeyMacroEvents("{INSERT}", layout), (std::vector<KeyEvent>{ExtDown(0x2D), ExtUp(0x2D)}));
}

TEST(KeyMacroEvents, AcceptsMacrosOfAnyLength) {
    std::string typed(100000, 'v');
    std::vector<KeyEvent> events = KeyMacroEvents(typed, TestLayout());
    ASSERT_EQ(events.size(), 200000u);
    EXPECT_EQ(events.front(), Down(0x56));
    EXPECT_EQ(events.back(), Up(0x56));

    std::string kept = "{" + std::string(100000, 'x') + std::string(100000, '}');
    EXPECT_TRUE(KeyMacroEvents(kept, TestLayout()).empty());
}

// ---- Through the simulated keyboard -------------------------------------

class SendKeyMacroTest : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
};

size_t Count(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<size_t>(std::count(names.begin(), names.end(), name));
}

TEST_F(SendKeyMacroTest, PasteIsOneBatchWithTheLayoutsScanCodes) {
    SendKeyMacro("{CTRL_D}v{CTRL_U}");
    ASSERT_EQ(sim::SentInputs().size(), 1u);
    std::vector<KeyEvent> expected = {{0x11, 0x1D, 0}, {0x56, 0x2F, 0}, {0x56, 0x2F, 2}, {0x11, 0x1D, 2}};
    EXPECT_EQ(sim::SentInputs()[0], expected);

    std::vector<std::string> names = sim::CallNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "GetKeyboardLayout");
    EXPECT_EQ(names.back(), "SendInput");
    EXPECT_EQ(Count(names, "GetKeyboardLayout"), 1u);
    EXPECT_EQ(Count(names, "VkKeyScanExA"), 1u);
    EXPECT_EQ(Count(names, "MapVirtualKeyA"), 4u);
    EXPECT_EQ(Count(names, "SendInput"), 1u);
    EXPECT_EQ(Count(names, "MultiByteToWideChar"), 0u);
}

TEST_F(SendKeyMacroTest, LayoutIsTakenOncePerMacro) {
    SendKeyMacro("vvvvv");
    std::vector<std::string> names = sim::CallNames();
    EXPECT_EQ(Count(names, "GetKeyboardLayout"), 1u);
    EXPECT_EQ(Count(names, "VkKeyScanExA"), 5u);
    ASSERT_EQ(sim::SentInputs().size(), 1u);
    EXPECT_EQ(sim::SentInputs()[0].size(), 10u);
}

// One batch as the layout types it, or none: an empty macro touches nothing,
// a character without a key goes as its UTF-16 unit.
struct BatchCase {
    const char* name;
    std::string macro;
    std::vector<KeyEvent> batch;  // empty: no SendInput
    sim::Layout layout = sim::Layout::UnitedStates;
    bool vHasNoKey = false;
};

class SendKeyMacroBatchTest : public SendKeyMacroTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(SendKeyMacroBatchTest, SendsOneBatchOrNone) {
    const BatchCase& c = GetParam();
    sim::SetKeyboardLayout(c.layout);
    if (c.vHasNoKey) sim::SetKeyForCharacter('v', -1);
    SendKeyMacro(c.macro);
    using Batches = std::vector<std::vector<KeyEvent>>;
    EXPECT_EQ(sim::SentInputs(), c.batch.empty() ? Batches{} : Batches{c.batch});
    if (c.macro.empty()) EXPECT_TRUE(sim::Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Macros, SendKeyMacroBatchTest,
    ::testing::Values(BatchCase{"Empty", "", {}}, BatchCase{"UnknownName", "{NOPE}", {}},
                      BatchCase{"CharacterWithoutKey", "\xC9", {{0, 0x00C9, 4}}},
                      BatchCase{"AltGrOnFrench", "@",
                                {{0x11, 0x1D, 0}, {0x12, 0x38, 0}, {0x30, 0x0B, 0},
                                 {0x30, 0x0B, 2}, {0x11, 0x1D, 2}, {0x12, 0x38, 2}},
                                sim::Layout::French},
                      BatchCase{"KeyOverriddenAsMissing", "{CTRL_D}v{CTRL_U}",
                                {{0x11, 0x1D, 0}, {0, 'v', 4}, {0x11, 0x1D, 2}}, sim::Layout::UnitedStates, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendKeyMacroTest, LongMacroStillOneBatch) {
    SendKeyMacro(std::string(50000, 'c'));
    ASSERT_EQ(sim::SentInputs().size(), 1u);
    EXPECT_EQ(sim::SentInputs()[0].size(), 100000u);
}

}  // namespace

namespace {

// Modifiers the user still holds are waited for, then let go of by the
// program, in the same batch, before the macro's own keys: Home must not
// arrive as Ctrl+Home, nor Ctrl+V as Ctrl+Alt+V.
// The wait is kept by the clock: each round of it lasts a timer tick, and
// half a second is 32 of them.
struct HeldCase {
    const char* name;
    std::vector<unsigned> held;
    unsigned heldMs;
    unsigned waited;
    std::vector<KeyEvent> releases;
};

class HeldModifierTest : public SendKeyMacroTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldModifierTest, ReleasedBeforeTheMacro) {
    for (unsigned key : GetParam().held) sim::HoldKey(key, GetParam().heldMs);
    SendKeyMacro("{HOME}");
    std::vector<KeyEvent> expected = GetParam().releases;
    expected.push_back({0x24, 0x47, 1});
    expected.push_back({0x24, 0x47, 3});
    ASSERT_EQ(sim::SentInputs().size(), 1u);
    EXPECT_EQ(sim::SentInputs()[0], expected);
    EXPECT_EQ(sim::Now(), GetParam().waited);
    for (unsigned key : GetParam().held) EXPECT_FALSE(platform::IsKeyDown(key));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HeldModifierTest,
    ::testing::Values(HeldCase{"NoneHeld", {}, 0, 0, {}},
                      // Seen on the third tick of 15.625 ms after its release.
                      HeldCase{"CtrlLetGoSoon", {0xA2}, 40, 46, {}},
                      HeldCase{"CtrlStillHeld", {0xA2}, sim::kForever, kHeldModifierWaitMs, {{0xA2, 0x1D, 2}}},
                      HeldCase{"OnlyTheGenericCtrlKnown", {0x11}, sim::kForever, kHeldModifierWaitMs,
                               {{0x11, 0x1D, 2}}},
                      HeldCase{"RightShiftAndWindowsKey",
                               {0xA1, 0x5B},
                               sim::kForever,
                               kHeldModifierWaitMs,
                               {{0xE8, 0, 0}, {0xE8, 0, 2}, {0xA1, 0x36, 2}, {0x5B, 0x5B, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
