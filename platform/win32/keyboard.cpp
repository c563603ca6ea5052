#include <windows.h>

#include "platform/keyboard.h"

static_assert(platform::kKeyEventExtendedKey == KEYEVENTF_EXTENDEDKEY);
static_assert(platform::kKeyEventKeyUp == KEYEVENTF_KEYUP);
static_assert(platform::kKeyEventUnicode == KEYEVENTF_UNICODE);

// SendInput is handed sizeof(INPUT); a toolchain that packed the record
// differently would have every event misread by the system.
#ifdef _WIN64
static_assert(sizeof(INPUT) == 40);
#else
static_assert(sizeof(INPUT) == 28);
#endif

namespace platform {

LayoutHandle GetKeyboardLayout() { return ::GetKeyboardLayout(0); }

LayoutHandle GetWindowKeyboardLayout(WindowHandle window) {
    DWORD thread = window ? ::GetWindowThreadProcessId(static_cast<HWND>(window), nullptr) : 0;
    return ::GetKeyboardLayout(thread);
}

std::u16string ToUnicodeEx(unsigned virtualKey, unsigned shiftState, LayoutHandle layout) {
    BYTE state[256] = {};
    if (shiftState & 1) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (shiftState & 2) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (shiftState & 4) state[VK_MENU] = state[VK_RMENU] = 0x80;
    HKL handle = static_cast<HKL>(layout);
    UINT scanCode = ::MapVirtualKeyExA(virtualKey, MAPVK_VK_TO_VSC, handle);
    WCHAR typed[8] = {};
    // Flag 4: the dead key the user may be in the middle of stays pending.
    int count = ::ToUnicodeEx(virtualKey, scanCode, state, typed, 8, 4, handle);
    if (count <= 0) return {};
    return std::u16string(typed, typed + count);
}

int16_t VkKeyScanExA(unsigned char character, LayoutHandle layout) {
    return ::VkKeyScanExA(static_cast<CHAR>(character), static_cast<HKL>(layout));
}

unsigned MapVirtualKeyA(unsigned virtualKey) { return ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC); }

bool IsKeyDown(unsigned virtualKey) { return ::GetAsyncKeyState(static_cast<int>(virtualKey)) < 0; }

void SendInput(const std::vector<KeyEvent>& events) {
    if (events.empty()) return;
    std::vector<INPUT> inputs(events.size());  // zeroed: time and extra info stay 0
    for (size_t i = 0; i < events.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = events[i].virtualKey;
        inputs[i].ki.wScan = events[i].scanCode;
        inputs[i].ki.dwFlags = events[i].flags;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace platform
