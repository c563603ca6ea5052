#include "inject/key_macro.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/codepage.h"
#include "text/encoding.h"

using platform::KeyEvent;

namespace {

enum class Stroke { Down, Up, DownUp };

struct NamedKey {
    const char* name;
    uint16_t key;
    Stroke stroke;
};

const NamedKey kNamedKeys[] = {
    {"CTRL_D", 0x11, Stroke::Down},    {"CTRL_U", 0x11, Stroke::Up},     {"ALT_D", 0x12, Stroke::Down},
    {"ALT_U", 0x12, Stroke::Up},       {"SHIFT_D", 0x10, Stroke::Down},  {"SHIFT_U", 0x10, Stroke::Up},
    {"WIN_D", 0x5B, Stroke::Down},     {"WIN_U", 0x5B, Stroke::Up},      {"BACKSPACE", 0x08, Stroke::DownUp},
    {"ENTER", 0x0D, Stroke::DownUp},   {"INSERT", 0x2D, Stroke::DownUp}, {"DELETE", 0x2E, Stroke::DownUp},
    {"RIGHT", 0x27, Stroke::DownUp},   {"LEFT", 0x25, Stroke::DownUp},   {"UP", 0x26, Stroke::DownUp},
    {"DOWN", 0x28, Stroke::DownUp},    {"HOME", 0x24, Stroke::DownUp},   {"END", 0x23, Stroke::DownUp},
    {"TAB", 0x09, Stroke::DownUp},     {"ESCAPE", 0x1B, Stroke::DownUp}, {"PGUP", 0x21, Stroke::DownUp},
    {"PGDN", 0x22, Stroke::DownUp},    {"F1", 0x70, Stroke::DownUp},     {"F2", 0x71, Stroke::DownUp},
    {"F3", 0x72, Stroke::DownUp},      {"F4", 0x73, Stroke::DownUp},     {"F5", 0x74, Stroke::DownUp},
    {"F6", 0x75, Stroke::DownUp},      {"F7", 0x76, Stroke::DownUp},     {"F8", 0x77, Stroke::DownUp},
    {"F9", 0x78, Stroke::DownUp},      {"F10", 0x79, Stroke::DownUp},    {"F11", 0x7A, Stroke::DownUp},
    {"F12", 0x7B, Stroke::DownUp},     {"APPS", 0x5D, Stroke::DownUp},   {"NUMLOCK", 0x90, Stroke::DownUp},
    {"CAPITAL", 0x14, Stroke::DownUp},
};

// No key name is longer; a longer buffer is never upper-cased or looked up,
// which keeps a macro full of "}" linear however long the kept name grows.
constexpr size_t kLongestName = 9;

constexpr uint16_t kShiftKey = 0x10;
constexpr uint16_t kCtrlKey = 0x11;
constexpr uint16_t kAltKey = 0x12;

// Only the navigation block is sent as extended keys: without the flag the
// system would read them as the numeric keypad's twins.
bool IsExtendedKey(uint16_t key) {
    switch (key) {
        case 0x21:
        case 0x22:
        case 0x23:
        case 0x24:
        case 0x25:
        case 0x26:
        case 0x27:
        case 0x28:
        case 0x2D:
        case 0x2E: return true;
        default: return false;
    }
}

void AppendKey(std::vector<KeyEvent>& events, const KeyLayout& layout, uint16_t key, uint32_t flags) {
    events.push_back({key, layout.scanCodeForKey(key), flags});
}

void AppendNamedKey(std::vector<KeyEvent>& events, const KeyLayout& layout, const NamedKey& entry) {
    uint32_t extended = IsExtendedKey(entry.key) ? platform::kKeyEventExtendedKey : 0;
    if (entry.stroke != Stroke::Up) AppendKey(events, layout, entry.key, extended);
    if (entry.stroke != Stroke::Down) AppendKey(events, layout, entry.key, extended | platform::kKeyEventKeyUp);
}

void UpperCaseName(std::string& name, const KeyLayout& layout) {
    if (layout.upperCaseName) {
        layout.upperCaseName(name);
        return;
    }
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void AppendKeyNamed(std::vector<KeyEvent>& events, const KeyLayout& layout, std::string& name) {
    if (name.size() > kLongestName) return;
    UpperCaseName(name, layout);
    for (const NamedKey& entry : kNamedKeys) {
        if (name == entry.name) {
            AppendNamedKey(events, layout, entry);
            return;
        }
    }
}

// Modifiers are released in the order they were pressed (Shift, Ctrl, Alt):
// the foreground application only ever sees them all down around the key.
void AppendCharacter(std::vector<KeyEvent>& events, const KeyLayout& layout, unsigned char character) {
    int16_t answer = layout.keyForCharacter(character);
    if (answer == -1) {
        events.push_back({0, layout.utf16ForCharacter(character), platform::kKeyEventUnicode});
        return;
    }
    uint16_t bits = static_cast<uint16_t>(answer);
    uint16_t key = bits & 0xFF;
    unsigned shiftState = (bits >> 8) & 7;
    const uint16_t modifiers[3] = {kShiftKey, kCtrlKey, kAltKey};
    for (int i = 0; i < 3; ++i)
        if (shiftState & (1u << i)) AppendKey(events, layout, modifiers[i], 0);
    AppendKey(events, layout, key, 0);
    AppendKey(events, layout, key, platform::kKeyEventKeyUp);
    for (int i = 0; i < 3; ++i)
        if (shiftState & (1u << i)) AppendKey(events, layout, modifiers[i], platform::kKeyEventKeyUp);
}

}  // namespace

// The name buffer survives a "}": a second "}" looks the same name up again.
std::vector<KeyEvent> KeyMacroEvents(const std::string& macro, const KeyLayout& layout) {
    std::vector<KeyEvent> events;
    bool insideName = false;
    std::string name;
    for (char byte : macro) {
        if (byte == '{') {
            insideName = true;
            name.clear();
        } else if (byte == '}') {
            insideName = false;
            AppendKeyNamed(events, layout, name);
        } else if (insideName) {
            name += byte;
        } else {
            AppendCharacter(events, layout, static_cast<unsigned char>(byte));
        }
    }
    return events;
}

namespace {

// A lead byte of a double-byte code page converts to nothing on its own;
// the replacement character then stands in for it.
uint16_t Utf16ForAnsiByte(unsigned char character) {
    std::u16string unit = AnsiToUtf16(std::string(1, static_cast<char>(character)));
    return unit.empty() ? 0xFFFD : unit[0];
}

// The modifiers, each with its left and right keys as the input stream
// tells them apart (the right-hand Ctrl and Alt are extended keys). Some
// systems (Wine) keep only the generic key's state for an injected one,
// which is then released as such.
struct Modifier {
    uint16_t key, left, right;
};
constexpr Modifier kModifiers[] = {
    {0x10, 0xA0, 0xA1}, {0x11, 0xA2, 0xA3}, {0x12, 0xA4, 0xA5}, {0x5B, 0x5B, 0x5B}, {0x5C, 0x5C, 0x5C}};
constexpr uint32_t kUp = platform::kKeyEventKeyUp;
constexpr unsigned kModifierPollMs = 10;
// A key no keyboard has: pressed between a lone Alt or Windows key and its
// release, it keeps the window from opening its menu or the Start menu.
constexpr uint16_t kMaskKey = 0xE8;

std::vector<const Modifier*> HeldModifiers() {
    std::vector<const Modifier*> held;
    for (const Modifier& modifier : kModifiers)
        if (platform::IsKeyDown(modifier.key)) held.push_back(&modifier);
    return held;
}

KeyEvent KeyUpOf(uint16_t key) {
    const bool extended = key == 0xA3 || key == 0xA5 || key == 0x5B || key == 0x5C;
    return {key, static_cast<uint16_t>(platform::MapVirtualKeyA(key)),
            extended ? kUp | platform::kKeyEventExtendedKey : kUp};
}

// A modifier still held (Ctrl of Ctrl+H, AltGr of the "@" key) would bend
// the keys that follow: Home into Ctrl+Home, Ctrl+V into Ctrl+Alt+V. The
// user is given a moment to let go; what is still down then is let go of
// here.
// A wait of 10 ms lasts a whole timer tick (about 15.6 ms on Windows), so
// the bound is kept by the clock, not by counting rounds.
std::vector<const Modifier*> ModifiersHeldAfterWaiting() {
    std::vector<const Modifier*> held = HeldModifiers();
    if (held.empty()) return held;
    const unsigned start = platform::GetTickCount();
    for (unsigned waited = 0; !held.empty() && waited < kHeldModifierWaitMs;
         waited = platform::GetTickCount() - start) {
        platform::Sleep(std::min(kModifierPollMs, kHeldModifierWaitMs - waited));
        held = HeldModifiers();
    }
    return held;
}

std::vector<KeyEvent> ReleaseOfHeldModifiers() {
    std::vector<const Modifier*> held = ModifiersHeldAfterWaiting();
    std::vector<KeyEvent> events;
    if (std::any_of(held.begin(), held.end(), [](const Modifier* m) { return m->key >= 0x12; })) {
        const uint16_t scan = static_cast<uint16_t>(platform::MapVirtualKeyA(kMaskKey));
        events.push_back({kMaskKey, scan, 0});
        events.push_back({kMaskKey, scan, kUp});
    }
    for (const Modifier* modifier : held) {
        const size_t before = events.size();
        if (platform::IsKeyDown(modifier->left)) events.push_back(KeyUpOf(modifier->left));
        if (modifier->right != modifier->left && platform::IsKeyDown(modifier->right))
            events.push_back(KeyUpOf(modifier->right));
        if (events.size() == before) events.push_back(KeyUpOf(modifier->key));
    }
    return events;
}

void SendAfter(std::vector<KeyEvent> releases, const std::vector<KeyEvent>& events) {
    releases.insert(releases.end(), events.begin(), events.end());
    platform::SendInput(releases);
}

void SendAfterHeldModifiers(const std::vector<KeyEvent>& events) { SendAfter(ReleaseOfHeldModifiers(), events); }

std::vector<KeyEvent> MacroEvents(const std::string& macro) {
    platform::LayoutHandle handle = platform::GetKeyboardLayout();
    KeyLayout layout{
        [handle](unsigned char character) { return platform::VkKeyScanExA(character, handle); },
        [](uint16_t key) { return static_cast<uint16_t>(platform::MapVirtualKeyA(key)); },
        Utf16ForAnsiByte,
        [](std::string& name) { platform::CharUpperBuffA(name); },
    };
    return KeyMacroEvents(macro, layout);
}

}  // namespace

void SendKeyMacro(const std::string& macro) {
    if (macro.empty()) return;
    std::vector<KeyEvent> events = MacroEvents(macro);
    if (!events.empty()) SendAfterHeldModifiers(events);
}

std::vector<KeyEvent> WaitForHeldModifiers() { return ReleaseOfHeldModifiers(); }

void SendKeyMacro(const std::string& macro, const std::vector<KeyEvent>& releases) {
    std::vector<KeyEvent> events = macro.empty() ? std::vector<KeyEvent>{} : MacroEvents(macro);
    if (!events.empty()) SendAfter(releases, events);
}

void TypeCharacter(char16_t character) {
    SendAfterHeldModifiers({{0, character, platform::kKeyEventUnicode},
                            {0, character, platform::kKeyEventUnicode | platform::kKeyEventKeyUp}});
}
