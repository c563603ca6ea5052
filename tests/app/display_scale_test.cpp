// Pixel sizes of the 96 DPI layout at other display scales.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/display_scale.h"
#include "app/startup_notice.h"
#include "features/dates/date_picker_dialog.h"

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

// Each dialog laid out in pixels on two monitors: frame borders scale with the
// monitor, and texts measure a pixel wider than scaled, as fonts round.
struct PixelDialogCase {
    const char* name;
    PixelLayout layout;
    std::vector<PixelPlace> places;
    std::vector<int> textWidths;  // at 96 DPI; the hint is wider than its place there
};

std::vector<PixelSize> Measured(const PixelDialogCase& c, int dpi) {
    std::vector<PixelSize> content;
    for (int width : c.textWidths) content.push_back({ScalePixels(width, dpi) + (dpi != 96), ScalePixels(13, dpi)});
    return content;
}

PixelSize Bordered(PixelSize size, int dpi, int sign) {
    return {size.cx + sign * ScalePixels(6, dpi), size.cy + sign * ScalePixels(29, dpi)};
}

bool Inside(const PixelRect& in, const PixelRect& out) {
    return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

void ExpectLaidOutIn(const PixelDialogCase& c, int dpi, const PixelRect& frame, const PixelRect& work, const std::string& where) {
    EXPECT_TRUE(Inside(frame, work)) << where << " leaves its monitor";
    const PixelSize client = Bordered({frame.right - frame.left, frame.bottom - frame.top}, dpi, -1);
    const std::vector<PixelSize> content = Measured(c, dpi);
    const PlacedDialog placed = LayOutPixelDialog(c.layout, c.places, content, dpi);
    EXPECT_TRUE(placed.client.cx <= client.cx && placed.client.cy <= client.cy) << where << ": the client is too small";
    for (size_t i = 0; i < c.places.size(); ++i) {
        const PixelRect& at = placed.controls[i];
        EXPECT_TRUE(Inside(at, {0, 0, client.cx, client.cy})) << where << ": " << c.places[i].id << " leaves the client";
        EXPECT_TRUE(!c.places[i].growsWithText || (at.right - at.left >= content[i].cx && at.bottom - at.top >= content[i].cy))
            << where << ": the text of " << c.places[i].id << " is cut";
    }
}

// Opened on each of two monitors, the second at 150 % and higher up, and
// dragged from each onto the other.
TEST(PixelDialogLayout, FitsEachMonitorOpenedOnItOrDraggedOntoIt) {
    const struct { PixelRect work; int dpi; } monitors[] = {{{0, 0, 1920, 1040}, 96}, {{1920, -300, 4800, 1780}, 144}};
    const PixelDialogCase cases[] = {
        {"notice", kNoticeLayout, kNoticePlaces, {230, 0, 262, 260, 0}},
        {"date picker", kDatePickerLayout, kDatePickerPlaces, {0}},
    };
    for (const PixelDialogCase& c : cases)
        for (const auto& from : monitors) {
            const PixelSize client = LayOutPixelDialog(c.layout, c.places, Measured(c, from.dpi), from.dpi).client;
            const PixelRect opened = CentredIn(Bordered(client, from.dpi, 1), from.work);
            ExpectLaidOutIn(c, from.dpi, opened, from.work, std::string(c.name) + " at " + std::to_string(from.dpi));
            for (const auto& to : monitors) {
                if (to.dpi == from.dpi) continue;
                // The old frame scaled, dropped across the new monitor's right edge.
                const int left = to.work.right - 40, scale = to.dpi * 96 / from.dpi;
                const PixelRect suggested = {left, to.work.top, left + ScalePixels(opened.right - opened.left, scale),
                                             to.work.top + ScalePixels(opened.bottom - opened.top, scale)};
                const PixelSize needed = Bordered(LayOutPixelDialog(c.layout, c.places, Measured(c, to.dpi), to.dpi).client, to.dpi, 1);
                ExpectLaidOutIn(c, to.dpi, FrameForNewDpi(suggested, needed, to.work), to.work,
                                std::string(c.name) + " dragged to " + std::to_string(to.dpi));
            }
        }
}

}  // namespace
