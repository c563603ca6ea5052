#include "app/display_scale_win32.h"

#include <windows.h>

namespace {

// Read once: the system DPI of a system-aware process cannot change until it
// restarts, and every dialog must agree with the one before.
int gSystemDpi;

}  // namespace

int SystemDpi() {
    if (gSystemDpi != 0) return gSystemDpi;
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    gSystemDpi = dpi > 0 ? dpi : kDefaultDpi;
    return gSystemDpi;
}

int ScaledPixels(int value) { return ScalePixels(value, SystemDpi()); }
