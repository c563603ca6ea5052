#include "app/display_scale_win32.h"

namespace {

// Read once: the system DPI cannot change until the user signs out, and
// every dialog must agree with the one before.
int gSystemDpi;

// Windows 10 1607 and later; null before, where the program is system aware.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
constexpr int kDialogScalingOff = 1;  // DDC_DISABLE_ALL

}  // namespace

int SystemDpi() {
    if (gSystemDpi != 0) return gSystemDpi;
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    gSystemDpi = LayoutDpi(0, dpi);
    return gSystemDpi;
}

int DpiOf(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = getDpiForWindow != nullptr && window != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    return LayoutDpi(dpi, SystemDpi());
}

PixelRect FrameAround(HWND window, PixelSize client, int dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    if (adjustForDpi != nullptr) adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return PixelRectOf(frame);
}

int SystemMetricAt(int metric, int dpi) {
    static const auto metricForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return metricForDpi != nullptr ? metricForDpi(metric, static_cast<UINT>(dpi)) : GetSystemMetrics(metric);
}

void KeepSystemScalingOff(HWND dialog) {
    static const auto setBehaviour = User32Function<SetDialogDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (setBehaviour != nullptr) setBehaviour(dialog, kDialogScalingOff, kDialogScalingOff);
}

PixelRect WorkAreaAround(const PixelRect& frame) {
    const RECT place = {frame.left, frame.top, frame.right, frame.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(MONITORINFO);
    if (!GetMonitorInfoW(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor)) return frame;
    return PixelRectOf(monitor.rcWork);
}

void MoveWindowTo(HWND window, const PixelRect& frame) {
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveToSuggested(HWND window, const RECT& suggested, PixelSize frame) {
    const PixelRect place = PixelRectOf(suggested);
    MoveWindowTo(window, FrameForNewDpi(place, frame, WorkAreaAround(place)));
}
