// Keyboard input: the layout questions a key macro asks, and the one batch
// of events it injects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kKeyEventExtendedKey = 1;  // KEYEVENTF_EXTENDEDKEY
constexpr uint32_t kKeyEventKeyUp = 2;        // KEYEVENTF_KEYUP
constexpr uint32_t kKeyEventUnicode = 4;      // KEYEVENTF_UNICODE

// One keyboard record of an INPUT array. The time stamp and the extra
// information are always 0, so they are not carried here.
struct KeyEvent {
    uint16_t virtualKey;
    uint16_t scanCode;
    uint32_t flags;
    bool operator==(const KeyEvent&) const = default;
};

// GetKeyboardLayout(0): the layout of the calling thread.
LayoutHandle GetKeyboardLayout();

// The layout of the thread that owns the window (GetWindowThreadProcessId,
// then GetKeyboardLayout); the calling thread's for no window.
LayoutHandle GetWindowKeyboardLayout(WindowHandle window);

// VkKeyScanExA: low byte the virtual-key code, high byte the shift state;
// -1 when no key types the character.
int16_t VkKeyScanExA(unsigned char character, LayoutHandle layout);

// ToUnicodeEx of the key pressed with the modifiers of VkKeyScanExA's high
// byte (1 Shift, 2 Ctrl, 4 Alt; 6 is AltGr), leaving the keyboard's dead-key
// state alone: what it types, empty for nothing or a dead key.
std::u16string ToUnicodeEx(unsigned virtualKey, unsigned shiftState, LayoutHandle layout);

// MapVirtualKeyA(code, MAPVK_VK_TO_VSC).
unsigned MapVirtualKeyA(unsigned virtualKey);

// GetAsyncKeyState: whether the key is down in the input stream now, whoever
// pressed it (the user's held modifiers included).
bool IsKeyDown(unsigned virtualKey);

// One SendInput call carrying all the events, in order.
void SendInput(const std::vector<KeyEvent>& events);

}  // namespace platform
