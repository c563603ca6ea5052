// Key macros: a brace notation for named keys ("{CTRL_D}v{CTRL_U}") and plain
// characters, turned into one ordered batch of key events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/keyboard.h"

// The three questions a macro asks of the keyboard layout.
struct KeyLayout {
    // VkKeyScanExA's answer: low byte the key, high byte the shift state
    // (bit 0 Shift, bit 1 Ctrl, bit 2 Alt); -1 when no key types it.
    std::function<int16_t(unsigned char)> keyForCharacter;
    std::function<uint16_t(uint16_t)> scanCodeForKey;
    std::function<uint16_t(unsigned char)> utf16ForCharacter;
    // The locale's upper-casing of a key name, in place (CharUpperBuffA).
    // Left empty, only "a" to "z" are raised, which is all the key names need.
    std::function<void(std::string&)> upperCaseName = {};
};

std::vector<platform::KeyEvent> KeyMacroEvents(const std::string& macro, const KeyLayout& layout);

// Injects the macro's events with one SendInput call. An empty macro touches
// nothing at all. Modifiers the user still holds are waited for (at most
// kHeldModifierWaitMs) and, if still down, released first in the same call,
// so that the macro's keys arrive exactly as written.
void SendKeyMacro(const std::string& macro);

// The wait of SendKeyMacro on its own, for a caller that must look at
// something just before the keys go (the clipboard before a copy): answers
// the key-ups of the modifiers still down after it, which the two-argument
// SendKeyMacro sends first, in the same call as the macro.
std::vector<platform::KeyEvent> WaitForHeldModifiers();
void SendKeyMacro(const std::string& macro, const std::vector<platform::KeyEvent>& releases);

// Types one character as a Unicode key event (down and up), which no hotkey
// and no keyboard layout can catch; held modifiers are treated as above.
void TypeCharacter(char16_t character);

constexpr unsigned kHeldModifierWaitMs = 500;
