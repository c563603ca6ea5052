#include "tests/app/fake_feature_entries.h"

#include "app/hotkey_dispatcher.h"

FakeFeature gFakeAccentedCapitals;
FakeFeature gFakeDatePicker;
FakeFeature gFakeContactBook;
FakeFeature gFakeHighlightLine;

namespace {

int Run(FakeFeature& feature, platform::WindowHandle owner) {
    feature.owners.push_back(owner);
    if (feature.whileOpen) feature.whileOpen();
    return feature.result;
}

}  // namespace

void ResetFakeFeatures() {
    gFakeAccentedCapitals = {};
    gFakeDatePicker = {};
    gFakeContactBook = {};
    gFakeHighlightLine = {};
}

int AccentedCapitalsDialog(platform::WindowHandle owner) { return Run(gFakeAccentedCapitals, owner); }
int DatePickerDialog(platform::WindowHandle owner) { return Run(gFakeDatePicker, owner); }
int ContactBookDialog(platform::WindowHandle owner) { return Run(gFakeContactBook, owner); }
int HighlightLineDialog(platform::WindowHandle owner) { return Run(gFakeHighlightLine, owner); }
