// Keyboard layouts as Windows answers for them: US (0x0409), French AZERTY
// (0x040C) and six more from xkb-data, and the set-1 scan codes of the US
// keyboard.
#include <array>
#include <map>

#include "platform/keyboard.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

constexpr int16_t kShift = 0x100;
constexpr int16_t kAltGr = 0x600;  // Ctrl+Alt

using KeyTable = std::array<int16_t, 256>;

Layout gLayout = Layout::UnitedStates;
std::map<unsigned char, int16_t> gOverrides;
std::vector<std::vector<platform::KeyEvent>> gSent;
// Keys down in the input stream, by their left/right code, with the clock
// time the user lets go of them (kForever: only an injected key-up).
std::map<unsigned, unsigned> gDown;

// The stream knows sides: a generic modifier goes down as its left key, or
// its right one when the event says extended.
unsigned SidedKey(const platform::KeyEvent& event) {
    const bool extended = event.flags & platform::kKeyEventExtendedKey;
    switch (event.virtualKey) {
        case 0x10: return event.scanCode == 0x36 ? 0xA1 : 0xA0;
        case 0x11: return extended ? 0xA3 : 0xA2;
        case 0x12: return extended ? 0xA5 : 0xA4;
        default: return event.virtualKey;
    }
}

bool Down(unsigned key) {
    auto found = gDown.find(key);
    return found != gDown.end() && Now() < found->second;
}

// A test may also hold a generic modifier, as Wine keeps an injected one.
bool DownEitherSide(unsigned key) {
    switch (key) {
        case 0x10: return Down(0x10) || Down(0xA0) || Down(0xA1);
        case 0x11: return Down(0x11) || Down(0xA2) || Down(0xA3);
        case 0x12: return Down(0x12) || Down(0xA4) || Down(0xA5);
        default: return Down(key);
    }
}

// Unicode events carry a character, not a key: they change no key state.
void Apply(const platform::KeyEvent& event) {
    if (event.flags & platform::kKeyEventUnicode) return;
    unsigned key = SidedKey(event);
    if (event.flags & platform::kKeyEventKeyUp) {
        gDown.erase(key);
        gDown.erase(event.virtualKey);
        return;
    }
    gDown[key] = kForever;
    if (event.virtualKey == 'C' && DownEitherSide(0x11)) CopyKeysArrived();
    if (event.virtualKey == 'V' && DownEitherSide(0x11)) PasteKeysArrived();
}

constexpr uintptr_t kLayoutIds[] = {0x04090409, 0x040C040C, 0x080C080C, 0x04070407,
                                    0x100C100C, 0x0C0C0C0C, 0x0C0A0C0A, 0x04100410};

platform::LayoutHandle HandleOf(Layout layout) {
    return reinterpret_cast<platform::LayoutHandle>(kLayoutIds[static_cast<int>(layout)]);
}

void Put(KeyTable& table, const char* characters, const int16_t* answers) {
    for (int i = 0; characters[i]; ++i) table[static_cast<unsigned char>(characters[i])] = answers[i];
}

// What both layouts share: letters keep their virtual keys (Windows names
// AZERTY letter keys by their labels), and the control characters.
KeyTable CommonKeys() {
    KeyTable table;
    table.fill(-1);
    for (int c = 'a'; c <= 'z'; ++c) {
        table[c] = static_cast<int16_t>(c - 'a' + 'A');
        table[c - 'a' + 'A'] = static_cast<int16_t>(kShift | (c - 'a' + 'A'));
        table[c - 'a' + 1] = static_cast<int16_t>(0x200 | (c - 'a' + 'A'));  // Ctrl+letter
    }
    table[0x08] = 0x08;
    table[0x09] = 0x09;
    table[0x0A] = 0x20D;
    table[0x0D] = 0x0D;
    table[0x1B] = 0x1B;
    table[' '] = 0x20;
    return table;
}

KeyTable UnitedStatesKeys() {
    KeyTable table = CommonKeys();
    for (int d = 0; d <= 9; ++d) table['0' + d] = static_cast<int16_t>('0' + d);
    static const int16_t shifted[] = {0x131, 0x132, 0x133, 0x134, 0x135, 0x136, 0x137, 0x138, 0x139, 0x130};
    Put(table, "!@#$%^&*()", shifted);
    static const int16_t plain[] = {0xC0, 0xBD, 0xBB, 0xDB, 0xDD, 0xDC, 0xBA, 0xDE, 0xBC, 0xBE, 0xBF};
    Put(table, "`-=[]\\;',./", plain);
    int16_t withShift[11];
    for (int i = 0; i < 11; ++i) withShift[i] = static_cast<int16_t>(kShift | plain[i]);
    Put(table, "~_+{}|:\"<>?", withShift);
    return table;
}

KeyTable FrenchKeys() {
    KeyTable table = CommonKeys();
    // The digit row types symbols; Shift gives the digits.
    static const int16_t row[] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0xDB, 0xBB};
    Put(table, "&\xE9\"'(-\xE8_\xE7\xE0)=", row);
    for (int d = 0; d <= 9; ++d) table['0' + d] = static_cast<int16_t>(kShift | ('0' + d));
    static const int16_t altGr[] = {0x632, 0x633, 0x634, 0x635, 0x636, 0x637, 0x638,
                                    0x639, 0x630, 0x6DB, 0x6BB, 0x6BA, 0x645};
    Put(table, "~#{[|`\\^@]}\xA4\x80", altGr);
    static const int16_t others[] = {0x1DB, 0x1BB, 0xDE, 0x1DD, 0xBA, 0x1BA, 0xC0, 0x1C0, 0xDC, 0x1DC,
                                     0xE2,  0x1E2, 0xBC, 0x1BC, 0xBE, 0x1BE, 0xBF, 0x1BF, 0xDF, 0x1DF};
    Put(table, "\xB0+\xB2\xA8$\xA3\xF9%*\xB5<>,?;.:/!\xA7", others);
    return table;
}

// One key of an xkb symbols file: its Windows virtual key and the characters
// of its first three levels (plain, Shift, AltGr), Windows-1252; a space
// where the level is empty or a dead key (the space bar types it already).
struct XkbKey {
    uint8_t virtualKey;
    const char* levels;
};

// The first key listed that types a character is VkKeyScanExA's answer.
KeyTable XkbKeys(std::initializer_list<XkbKey> keys) {
    KeyTable table = CommonKeys();
    constexpr int16_t kLevels[] = {0, kShift, kAltGr};
    for (const XkbKey& key : keys)
        for (int level = 0; level < 3 && key.levels[level]; ++level) {
            auto character = static_cast<unsigned char>(key.levels[level]);
            if (table[character] == -1) table[character] = static_cast<int16_t>(kLevels[level] | key.virtualKey);
        }
    return table;
}

// clang-format off
// The digit row, then the letters' AltGr levels, then the other keys.
KeyTable BelgianKeys() {  // be(basic)
    return XkbKeys({{'1', "&1|"}, {'2', "\xE9" "2@"}, {'3', "\"3#"}, {'4', "'4\xBC"}, {'5', "(5\xBD"},
                    {'6', "\xA7" "6^"}, {'7', "\xE8" "7{"}, {'8', "!8["}, {'9', "\xE7" "9{"},
                    {'0', "\xE0" "0}"}, {'A', "aA@"}, {'E', "eE\x80"}, {0xDB, ")\xB0\\"}, {0xBB, "-_"},
                    {0xDD, "  ["}, {0xBA, "$*]"}, {0xC0, "\xF9%"}, {0xDE, "\xB2\xB3\xAC"},
                    {0xDC, "\xB5\xA3"}, {0xBC, ",?"}, {0xBE, ";."}, {0xBF, ":/"}, {0xDF, "=+"}, {0xE2, "<>\\"}});
}

KeyTable GermanKeys() {  // de(basic), latin(type4), latin
    return XkbKeys({{'1', "1!\xB9"}, {'2', "2\"\xB2"}, {'3', "3\xA7\xB3"}, {'4', "4$\xBC"}, {'5', "5%\xBD"},
                    {'6', "6&\xAC"}, {'7', "7/{"}, {'8', "8(["}, {'9', "9)]"}, {'0', "0=}"}, {'Q', "qQ@"},
                    {'E', "eE\x80"}, {'M', "mM\xB5"}, {0xDB, "\xDF?\\"}, {0xBA, "\xFC\xDC"}, {0xBB, "+*~"},
                    {0xC0, "\xF6\xD6"}, {0xDE, "\xE4\xC4"}, {0xDC, " \xB0 "}, {0xBF, "#'"},
                    {0xBC, ",;"}, {0xBE, ".:"}, {0xBD, "-_"}, {0xE2, "<>|"}});
}

KeyTable SwissFrenchKeys() {  // ch(fr), ch(basic)
    return XkbKeys({{'1', "1+|"}, {'2', "2\"@"}, {'3', "3*#"}, {'4', "4\xE7"}, {'5', "5%"}, {'6', "6&\xAC"},
                    {'7', "7/|"}, {'8', "8(\xA2"}, {'9', "9)"}, {'0', "0="}, {'E', "eE\x80"},
                    {0xDB, "'?"}, {0xBA, "\xE8\xFC["}, {0xC0, " !]"}, {0xDE, "\xE9\xF6"},
                    {0xDC, "\xE0\xE4{"}, {0xDF, "$\xA3}"}, {0xBF, "\xA7\xB0"}, {0xBC, ",;"}, {0xBE, ".:"},
                    {0xBD, "-_"}, {0xE2, "<>\\"}});
}

KeyTable CanadianFrenchKeys() {  // ca(fr)
    return XkbKeys({{'1', "1!\xB1"}, {'2', "2\"@"}, {'3', "3/\xA3"}, {'4', "4$\xA2"}, {'5', "5%\xA4"},
                    {'6', "6?\xAC"}, {'7', "7&\xA6"}, {'8', "8*\xB2"}, {'9', "9(\xB3"}, {'0', "0)\xBC"},
                    {'M', "mM\xB5"}, {0xC0, "#|\\"}, {0xBD, "-_\xBD"}, {0xBB, "=+\xBE"}, {0xDB, "  ["},
                    {0xDD, "  ]"}, {0xBA, ";:~"}, {0xDE, "  {"}, {0xDC, "<>}"},
                    {0xE2, "\xAB\xBB\xB0"}, {0xBC, ",'\xAF"}, {0xBE, "..\xAD"}, {0xBF, "\xE9\xC9"}});
}

KeyTable SpanishKeys() {  // es(basic), latin(type4), latin
    return XkbKeys({{'1', "1!|"}, {'2', "2\"@"}, {'3', "3\xB7#"}, {'4', "4$~"}, {'5', "5%\xBD"}, {'6', "6&\xAC"},
                    {'7', "7/{"}, {'8', "8(["}, {'9', "9)]"}, {'0', "0=}"}, {'E', "eE\x80"}, {'M', "mM\xB5"},
                    {0xDB, "'?\\"}, {0xDD, "\xA1\xBF"}, {0xBA, "  ["}, {0xBB, "+*]"}, {0xC0, "\xF1\xD1"},
                    {0xDE, "  {"}, {0xDC, "\xBA\xAA\\"}, {0xBF, "\xE7\xC7}"}, {0xBC, ",;"}, {0xBE, ".:"},
                    {0xBD, "-_"}, {0xE2, "<>"}});
}

KeyTable ItalianKeys() {  // it(basic), latin(type4), latin
    return XkbKeys({{'1', "1!\xB9"}, {'2', "2\"\xB2"}, {'3', "3\xA3\xB3"}, {'4', "4$\xBC"}, {'5', "5%\xBD"},
                    {'6', "6&\xAC"}, {'7', "7/{"}, {'8', "8(["}, {'9', "9)]"}, {'0', "0=}"}, {'E', "eE\x80"},
                    {'M', "mM\xB5"}, {0xDC, "\\|\xAC"}, {0xDB, "'?`"}, {0xDD, "\xEC^~"}, {0xBA, "\xE8\xE9["},
                    {0xBB, "+*]"}, {0xC0, "\xF2\xE7@"}, {0xDE, "\xE0\xB0#"}, {0xBF, "\xF9\xA7"},
                    {0xE2, "<>\xAB"}, {0xBC, ",;"}, {0xBE, ".:\xB7"}, {0xBD, "-_"}});
}
// clang-format on

const KeyTable& TableFor(platform::LayoutHandle layout) {
    static const KeyTable tables[] = {UnitedStatesKeys(), FrenchKeys(),         BelgianKeys(), GermanKeys(),
                                      SwissFrenchKeys(),  CanadianFrenchKeys(), SpanishKeys(), ItalianKeys()};
    for (size_t i = 0; i < std::size(kLayoutIds); ++i)
        if (layout == reinterpret_cast<platform::LayoutHandle>(kLayoutIds[i])) return tables[i];
    return tables[0];
}

}  // namespace

void ResetKeyboard() {
    gLayout = Layout::UnitedStates;
    gOverrides.clear();
    gSent.clear();
    gDown.clear();
}

void HoldKey(unsigned virtualKey, unsigned milliseconds) {
    gDown[virtualKey] = milliseconds == kForever ? kForever : Now() + milliseconds;
}

void SetKeyboardLayout(Layout layout) { gLayout = layout; }

void SetKeyForCharacter(unsigned char character, int16_t answer) { gOverrides[character] = answer; }

const std::vector<std::vector<platform::KeyEvent>>& SentInputs() { return gSent; }

}  // namespace sim

namespace platform {

LayoutHandle GetKeyboardLayout() {
    LayoutHandle layout = sim::HandleOf(sim::gLayout);
    sim::Log("GetKeyboardLayout", sim::HandleText(layout));
    return layout;
}

LayoutHandle GetWindowKeyboardLayout(WindowHandle window) {
    LayoutHandle layout = sim::HandleOf(sim::gLayout);
    sim::Log("GetWindowKeyboardLayout", sim::HandleText(window) + " -> " + sim::HandleText(layout));
    return layout;
}

// The character whose key and modifiers these are; the Ctrl+letter control
// codes included, as Windows types them.
std::u16string ToUnicodeEx(unsigned virtualKey, unsigned shiftState, LayoutHandle layout) {
    const sim::KeyTable& table = sim::TableFor(layout);
    std::u16string typed;
    for (int character = 1; character < 256 && typed.empty() && virtualKey <= 0xFF; ++character)
        if (table[character] == static_cast<int16_t>(shiftState << 8 | virtualKey))
            typed = character == 0x80 ? u"\u20AC" : std::u16string(1, static_cast<char16_t>(character));
    sim::Log("ToUnicodeEx", sim::Hex(virtualKey) + " " + sim::Hex(shiftState));
    return typed;
}

int16_t VkKeyScanExA(unsigned char character, LayoutHandle layout) {
    auto found = sim::gOverrides.find(character);
    int16_t answer = found != sim::gOverrides.end() ? found->second : sim::TableFor(layout)[character];
    sim::Log("VkKeyScanExA", sim::Hex(character) + " -> " + std::to_string(answer));
    return answer;
}

unsigned MapVirtualKeyA(unsigned virtualKey) {
    static const std::map<unsigned, unsigned> scanCodes = [] {
        std::map<unsigned, unsigned> codes = {
            {0x1B, 0x01}, {0xBD, 0x0C}, {0xBB, 0x0D}, {0x08, 0x0E}, {0x09, 0x0F}, {0xDB, 0x1A}, {0xDD, 0x1B},
            {0x0D, 0x1C}, {0x11, 0x1D}, {0xA2, 0x1D}, {0xA3, 0x1D}, {0xBA, 0x27}, {0xDE, 0x28}, {0xC0, 0x29},
            {0x10, 0x2A}, {0xA0, 0x2A}, {0xDC, 0x2B}, {0xBC, 0x33}, {0xBE, 0x34}, {0xBF, 0x35}, {0x6F, 0x35},
            {0xA1, 0x36}, {0x6A, 0x37}, {0x12, 0x38}, {0xA4, 0x38}, {0xA5, 0x38}, {0x20, 0x39}, {0x14, 0x3A},
            {0x90, 0x45}, {0x91, 0x46}, {0x24, 0x47}, {0x26, 0x48}, {0x21, 0x49}, {0x6D, 0x4A}, {0x25, 0x4B},
            {0x0C, 0x4C}, {0x27, 0x4D}, {0x6B, 0x4E}, {0x23, 0x4F}, {0x28, 0x50}, {0x22, 0x51}, {0x2D, 0x52},
            {0x2E, 0x53}, {0x6E, 0x53}, {0xE2, 0x56}, {0x7A, 0x57}, {0x7B, 0x58}, {0x5B, 0x5B}, {0x5C, 0x5C},
            {0x5D, 0x5D}};
        const char* letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
        const unsigned letterCodes[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
                                        0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
        for (int i = 0; letters[i]; ++i) codes[static_cast<unsigned>(letters[i])] = letterCodes[i];
        for (unsigned d = 1; d <= 9; ++d) codes['0' + d] = 0x01 + d;
        codes['0'] = 0x0B;
        for (unsigned f = 0; f < 10; ++f) codes[0x70 + f] = 0x3B + f;  // F1..F10
        const unsigned keypad[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
        for (unsigned n = 0; n < 10; ++n) codes[0x60 + n] = keypad[n];
        return codes;
    }();
    auto found = scanCodes.find(virtualKey);
    unsigned scanCode = found == scanCodes.end() ? 0 : found->second;
    sim::Log("MapVirtualKeyA", sim::Hex(virtualKey) + " -> " + sim::Hex(scanCode));
    return scanCode;
}

bool IsKeyDown(unsigned virtualKey) {
    bool down = sim::DownEitherSide(virtualKey);
    sim::Log("GetAsyncKeyState", sim::Hex(virtualKey) + (down ? " down" : " up"));
    return down;
}

void SendInput(const std::vector<KeyEvent>& events) {
    sim::Log("SendInput", std::to_string(events.size()) + " events");
    sim::gSent.push_back(events);
    for (const KeyEvent& event : events) sim::Apply(event);
}

}  // namespace platform
