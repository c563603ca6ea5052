#include "app/display_scale.h"

#include <cstdint>

int ScalePixels(int value, int dpi) {
    if (dpi <= 0) return value;
    const int64_t product = static_cast<int64_t>(value) * dpi;
    const int64_t half = kDefaultDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDefaultDpi : (product - half) / kDefaultDpi);
}
