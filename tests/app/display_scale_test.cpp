// Pixel sizes of the 96 DPI layout at other display scales.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/display_scale.h"
#include "app/startup_notice.h"

namespace {

TEST(ScalePixels, RoundsAsMulDivAtEveryCommonScale) {
    struct Case {
        int value, dpi, expected;
    } cases[] = {
        {456, 96, 456}, {-2, 96, -2},   {456, 144, 684},  {15, 144, 23},   {-15, 144, -23},
        {3, 144, 5},    {5, 120, 6},    {1, 120, 1},      {25, 168, 44},   {7, 0, 7},
        {1000000, 192, 2000000},
    };
    for (const Case& c : cases) EXPECT_EQ(ScalePixels(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
}


// Two monitors side by side, the second at 150 % and higher up; each dialog
// laid out in pixels opens on each and is dragged from each onto the other.
struct Monitor {
    PixelRect work;
    int dpi;
};
constexpr Monitor kMonitors[] = {{{0, 0, 1920, 1040}, 96}, {{1920, -300, 4800, 1780}, 144}};

// A captioned frame's borders, which the system scales with the monitor.
PixelSize FrameOf(PixelSize client, int dpi) { return {client.cx + ScalePixels(6, dpi), client.cy + ScalePixels(29, dpi)}; }

struct PixelDialogCase {
    const char* name;
    PixelLayout layout;
    std::vector<PixelPlace> places;
    std::vector<int> textWidths;  // at 96 DPI; the hint is wider than its place there
};

// Measured text is a pixel wider than scaled, as fonts round at other sizes.
std::vector<PixelSize> Measured(const PixelDialogCase& c, int dpi) {
    std::vector<PixelSize> content;
    for (int width : c.textWidths) content.push_back({ScalePixels(width, dpi) + (dpi != 96), ScalePixels(13, dpi)});
    return content;
}

void ExpectLaidOutWithin(const PixelDialogCase& c, int dpi, PixelSize client, const std::string& where) {
    const PlacedDialog placed = LayOutPixelDialog(c.layout, c.places, Measured(c, dpi), dpi);
    EXPECT_LE(placed.client.cx, client.cx) << where;
    EXPECT_LE(placed.client.cy, client.cy) << where;
    const std::vector<PixelSize> content = Measured(c, dpi);
    for (size_t i = 0; i < c.places.size(); ++i) {
        const PixelRect& at = placed.controls[i];
        EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.right <= placed.client.cx && at.bottom <= placed.client.cy)
            << where << ": control " << c.places[i].id << " leaves the client";
        EXPECT_EQ(at.top, ScalePixels(c.places[i].y, dpi)) << where << ": scaled once, not twice";
        EXPECT_TRUE(!c.places[i].growsWithText || (at.right - at.left >= content[i].cx && at.bottom - at.top >= content[i].cy))
            << where << ": the text of " << c.places[i].id << " is cut";
    }
}

TEST(PixelDialogLayout, FitsEachMonitorOpenedOnItOrDraggedOntoIt) {
    const PixelDialogCase cases[] = {
        {"notice", kNoticeLayout, kNoticePlaces, {230, 0, 262, 260, 0}},
        {"date picker", {{456, 308}, 0}, {{1001, 0, 0, 456, 308, false, false}}, {0}},
    };
    for (const PixelDialogCase& c : cases)
        for (const Monitor& from : kMonitors) {
            const PixelSize client = LayOutPixelDialog(c.layout, c.places, Measured(c, from.dpi), from.dpi).client;
            const PixelRect opened = CentredIn(FrameOf(client, from.dpi), from.work);
            EXPECT_EQ(KeepInside(opened, from.work).left, opened.left) << c.name << " leaves its monitor";
            ExpectLaidOutWithin(c, from.dpi, client, std::string(c.name) + " at " + std::to_string(from.dpi));
            for (const Monitor& to : kMonitors) {
                if (to.dpi == from.dpi) continue;
                // Dropped across the new monitor's right edge, the old frame scaled.
                const PixelSize scaled = {ScalePixels(opened.right - opened.left, to.dpi * 96 / from.dpi),
                                          ScalePixels(opened.bottom - opened.top, to.dpi * 96 / from.dpi)};
                const PixelRect suggested = {to.work.right - 40, to.work.top, to.work.right - 40 + scaled.cx,
                                             to.work.top + scaled.cy};
                const PixelSize needed = FrameOf(LayOutPixelDialog(c.layout, c.places, Measured(c, to.dpi), to.dpi).client, to.dpi);
                const PixelRect moved = FrameForNewDpi(suggested, needed, to.work);
                const std::string where = std::string(c.name) + " dragged to " + std::to_string(to.dpi);
                EXPECT_TRUE(moved.left >= to.work.left && moved.top >= to.work.top && moved.right <= to.work.right &&
                            moved.bottom <= to.work.bottom) << where << " leaves its monitor";
                ExpectLaidOutWithin(c, to.dpi, {moved.right - moved.left - ScalePixels(6, to.dpi),
                                                moved.bottom - moved.top - ScalePixels(29, to.dpi)}, where);
            }
        }
}

TEST(LayoutDpi, TakesTheWindowsThenTheSystemsThen96) {
    EXPECT_EQ(LayoutDpi(144, 96), 144);
    EXPECT_EQ(LayoutDpi(0, 120), 120);
    EXPECT_EQ(LayoutDpi(0, 0), 96);
}

}  // namespace
