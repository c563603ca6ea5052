// Icons the program borrows from the system's own libraries. Each extracted
// icon is the caller's until it destroys it: a handle never destroyed stays
// taken until the process ends, and a process has only so many.
#pragma once

#include <string>

#include "platform/types.h"

namespace platform {

// ExtractIconW of icon `index` in the library of that file name in the
// system folder (GetSystemDirectoryW), never a file of that name beside the
// program or in the current folder. Null when the library or the icon is
// missing, including ExtractIcon's 1 for a file that holds no icons.
IconHandle ExtractSystemIcon(const std::string& library, int index);

// False for a handle that is not a live icon (never extracted, or destroyed).
bool DestroyIcon(IconHandle icon);

}  // namespace platform
