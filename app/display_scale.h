// Sizes laid out in pixels for a 96 DPI screen, brought to the screen's own
// scale so that nothing is stretched and blurred by the system.
#pragma once

constexpr int kDefaultDpi = 96;

// `value` pixels at 96 DPI as pixels at `dpi`, rounded half away from zero as
// MulDiv rounds; 96 leaves every value as it is.
int ScalePixels(int value, int dpi);
