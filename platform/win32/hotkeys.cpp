#include <windows.h>

#include "platform/hotkeys.h"

static_assert(platform::kModAlt == MOD_ALT);
static_assert(platform::kModControl == MOD_CONTROL);
static_assert(platform::kModShift == MOD_SHIFT);
static_assert(platform::kModNoRepeat == MOD_NOREPEAT);

namespace platform {

uint16_t GlobalAddAtomA(const std::string& name) { return ::GlobalAddAtomA(name.c_str()); }

void GlobalDeleteAtom(uint16_t atom) { ::GlobalDeleteAtom(atom); }

bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) {
    return ::RegisterHotKey(static_cast<HWND>(window), id, modifiers, virtualKey);
}

bool UnregisterHotKey(WindowHandle window, int id) { return ::UnregisterHotKey(static_cast<HWND>(window), id); }

}  // namespace platform
