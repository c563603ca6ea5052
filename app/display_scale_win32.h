// The DPI of the monitor a window is on, and the pixels of a 96 DPI layout
// there. The program is per-monitor aware (v2) where the system offers it and
// system aware elsewhere: the calls that tell a window's own DPI are looked
// up at run time, so the program still starts where they are missing.
#pragma once

#include <windows.h>

#include "app/display_scale.h"

// The DPI of the screen as a whole; what a system-aware program keeps for
// its whole life.
int SystemDpi();

// The DPI of the monitor `window` is on (GetDpiForWindow); the system DPI
// where the system cannot tell.
int DpiOf(HWND window);

// The frame of a window of `window`'s styles around a client of `client`
// pixels whose corner is at (0, 0), the frame drawn at `dpi`.
PixelRect FrameAround(HWND window, PixelSize client, int dpi);

inline PixelSize SizeOf(const PixelRect& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// A system metric (icon sizes...) as it is at `dpi`.
int SystemMetricAt(int metric, int dpi);

// For a dialog the program lays out in pixels itself: the system must not
// also stretch its controls and font when it moves to another monitor
// (WM_DPICHANGED is then the dialog's own to handle).
void KeepSystemScalingOff(HWND dialog);

// The work area of the monitor that holds most of `frame`.
PixelRect WorkAreaAround(const PixelRect& frame);

inline PixelRect PixelRectOf(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
            static_cast<int>(rect.bottom)};
}

// Moves and sizes `window` to `frame` in screen pixels.
void MoveWindowTo(HWND window, const PixelRect& frame);

// On WM_DPICHANGED: onto the rectangle the system suggests, with a frame of
// at least `frame` laid out at the new DPI, kept in the new monitor's work area.
void MoveToSuggested(HWND window, const RECT& suggested, PixelSize frame);
