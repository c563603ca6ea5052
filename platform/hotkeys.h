// Global atoms and system-wide hotkeys.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

constexpr unsigned kModAlt = 1;            // MOD_ALT
constexpr unsigned kModControl = 2;        // MOD_CONTROL
constexpr unsigned kModShift = 4;          // MOD_SHIFT
constexpr unsigned kModNoRepeat = 0x4000;  // MOD_NOREPEAT

uint16_t GlobalAddAtomA(const std::string& name);  // 0 on failure
void GlobalDeleteAtom(uint16_t atom);

bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey);
bool UnregisterHotKey(WindowHandle window, int id);

}  // namespace platform
