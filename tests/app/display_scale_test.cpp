// Pixel sizes of the 96 DPI layout at other display scales.
#include <gtest/gtest.h>

#include "app/display_scale.h"

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

}  // namespace
