// Keyboard input: the layout questions a key macro asks, and the one batch
// of events it injects.
#pragma once

#include <cstdint>
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

// VkKeyScanExA: low byte the virtual-key code, high byte the shift state;
// -1 when no key types the character.
int16_t VkKeyScanExA(unsigned char character, LayoutHandle layout);

// MapVirtualKeyA(code, MAPVK_VK_TO_VSC).
unsigned MapVirtualKeyA(unsigned virtualKey);

// GetAsyncKeyState: whether the key is down in the input stream now, whoever
// pressed it (the user's held modifiers included).
bool IsKeyDown(unsigned virtualKey);

// One SendInput call carrying all the events, in order.
void SendInput(const std::vector<KeyEvent>& events);

}  // namespace platform
