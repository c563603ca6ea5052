// The system DPI, which a system-aware program keeps for its whole life.
#pragma once

#include "app/display_scale.h"

int SystemDpi();

// `value` pixels of a 96 DPI layout at the system DPI.
int ScaledPixels(int value);
