// Stand-ins for the four feature dialogs, which only the real executable
// can run: each records its owners and returns what the test sets.
#pragma once

#include <functional>
#include <vector>

#include "platform/types.h"

struct FakeFeature {
    int result = 0;
    std::vector<platform::WindowHandle> owners;
    std::function<void()> whileOpen;  // what happens while the dialog is up
};

extern FakeFeature gFakeAccentedCapitals;
extern FakeFeature gFakeDatePicker;
extern FakeFeature gFakeContactBook;
extern FakeFeature gFakeHighlightLine;

void ResetFakeFeatures();
