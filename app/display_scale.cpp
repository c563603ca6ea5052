#include "app/display_scale.h"

#include <algorithm>
#include <cstdint>

int ScalePixels(int value, int dpi) {
    if (dpi <= 0) return value;
    const int64_t product = static_cast<int64_t>(value) * dpi;
    const int64_t half = kDefaultDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDefaultDpi : (product - half) / kDefaultDpi);
}

int LayoutDpi(int windowDpi, int systemDpi) {
    if (windowDpi > 0) return windowDpi;
    return systemDpi > 0 ? systemDpi : kDefaultDpi;
}

PlacedDialog LayOutPixelDialog(const PixelLayout& layout, const std::vector<PixelPlace>& places,
                               const std::vector<PixelSize>& content, int dpi) {
    PlacedDialog placed{{ScalePixels(layout.client.cx, dpi), ScalePixels(layout.client.cy, dpi)}, {}};
    const int designWidth = placed.client.cx;
    for (size_t i = 0; i < places.size(); ++i) {
        const PixelPlace& place = places[i];
        PixelSize size = {ScalePixels(place.cx, dpi), ScalePixels(place.cy, dpi)};
        if (place.growsWithText && i < content.size()) {
            size.cx = std::max(size.cx, content[i].cx);
            size.cy = std::max(size.cy, content[i].cy);
        }
        const int x = ScalePixels(place.x, dpi), y = ScalePixels(place.y, dpi);
        placed.controls.push_back({x, y, x + size.cx, y + size.cy});
        placed.client.cx = std::max(placed.client.cx, x + size.cx + ScalePixels(layout.rightMargin, dpi));
    }
    const int shift = placed.client.cx - designWidth;
    for (size_t i = 0; i < places.size(); ++i) {
        if (!places[i].followsRight) continue;
        placed.controls[i].left += shift;
        placed.controls[i].right += shift;
    }
    return placed;
}

PixelRect KeepInside(const PixelRect& frame, const PixelRect& work) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = std::max(work.left, std::min(frame.left, work.right - width));
    const int y = std::max(work.top, std::min(frame.top, work.bottom - height));
    return {x, y, x + width, y + height};
}

PixelRect CentredIn(PixelSize frame, const PixelRect& work) {
    const int x = work.left + (work.right - work.left - frame.cx) / 2;
    const int y = work.top + (work.bottom - work.top - frame.cy) / 2;
    return {x, y, x + frame.cx, y + frame.cy};
}

PixelRect FrameForNewDpi(const PixelRect& suggested, PixelSize needed, const PixelRect& work) {
    const int width = std::max(suggested.right - suggested.left, needed.cx);
    const int height = std::max(suggested.bottom - suggested.top, needed.cy);
    return KeepInside({suggested.left, suggested.top, suggested.left + width, suggested.top + height}, work);
}
