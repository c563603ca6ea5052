// Handles that cross the seam between the program's logic and the system.
// On Windows they are the real HWND, HKL and HICON; in the simulation they are
// whatever the simulation hands out.
#pragma once

#include <cstdint>

namespace platform {

using WindowHandle = void*;
using LayoutHandle = void*;
using IconHandle = void*;

}  // namespace platform
