// Sizes laid out in pixels for a 96 DPI screen, brought to the scale of the
// monitor a window is on so that nothing is stretched and blurred by the
// system, and where such a window goes when it opens or moves to a monitor
// of another scale. Dialogs built from templates in dialog units are the
// system's to scale: nothing here is applied to them.
#pragma once

#include <vector>

constexpr int kDefaultDpi = 96;

// `value` pixels at 96 DPI as pixels at `dpi`, rounded half away from zero as
// MulDiv rounds; 96 leaves every value as it is.
int ScalePixels(int value, int dpi);

// The DPI a window lays out its own pixels at: its monitor's when the system
// says (per-monitor awareness), else the system's, else 96.
int LayoutDpi(int windowDpi, int systemDpi);

struct PixelSize {
    int cx, cy;
};

struct PixelRect {
    int left, top, right, bottom;
};

// A control of a dialog laid out in pixels for a 96 DPI screen.
struct PixelPlace {
    int id;
    int x, y, cx, cy;
    bool growsWithText;  // never narrower or shorter than its text
    bool followsRight;   // keeps its distance from the client's right edge
};

struct PixelLayout {
    PixelSize client;  // at 96 DPI
    int rightMargin;   // kept right of the widest control, at 96 DPI
};

struct PlacedDialog {
    PixelSize client;
    std::vector<PixelRect> controls;  // in client coordinates, in the order of the places
};

// The layout at `dpi`. `content[i]` is what control i must show, measured
// at that DPI (its text in the dialog's font, a check box's box too); it is
// looked at only for the controls that grow with their text. The client
// widens for the widest control, and the controls that follow the right
// edge move with it.
PlacedDialog LayOutPixelDialog(const PixelLayout& layout, const std::vector<PixelPlace>& places,
                               const std::vector<PixelSize>& content, int dpi);

// Moved as little as it must to lie inside `work`; one larger than `work`
// keeps its top-left corner in it.
PixelRect KeepInside(const PixelRect& frame, const PixelRect& work);

PixelRect CentredIn(PixelSize frame, const PixelRect& work);

// Where a window goes once dragged to a monitor of another DPI: on the
// rectangle the system suggests (which keeps it under the mouse and off the
// old monitor), grown right and down where the layout at the new DPI needs
// more room (text does not grow exactly with the scale), then kept inside
// the new monitor's work area.
PixelRect FrameForNewDpi(const PixelRect& suggested, PixelSize needed, const PixelRect& work);
