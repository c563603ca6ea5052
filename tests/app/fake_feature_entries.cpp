#include "tests/app/fake_feature_entries.h"

#include "app/open_dialogs.h"
#include "features/accents/accents_dialog.h"
#include "features/contacts/contact_dialogs.h"
#include "features/dates/date_picker_dialog.h"
#include "features/highlight/highlight_dialog.h"

FakeFeature gFakeAccentedCapitals;
FakeFeature gFakeDatePicker;
FakeFeature gFakeContactBook;
FakeFeature gFakeHighlightLine;

namespace {

// As the dialog runner does, the dialogs noted while it is open are
// forgotten when it returns.
int Run(FakeFeature& feature, platform::WindowHandle owner) {
    const size_t before = OpenDialogCount();
    feature.owners.push_back(owner);
    if (feature.whileOpen) feature.whileOpen();
    ForgetDialogsFrom(before);
    return feature.result;
}

}  // namespace

void ResetFakeFeatures() {
    gFakeAccentedCapitals = {};
    gFakeDatePicker = {};
    gFakeContactBook = {};
    gFakeHighlightLine = {};
}

int AccentedCapitalsDialog(platform::WindowHandle owner, platform::IconHandle) {
    return Run(gFakeAccentedCapitals, owner);
}
int DatePickerDialog(platform::WindowHandle owner, platform::IconHandle) { return Run(gFakeDatePicker, owner); }
int ContactBookDialog(platform::WindowHandle owner, platform::IconHandle) { return Run(gFakeContactBook, owner); }
int HighlightLineDialog(platform::WindowHandle owner, platform::IconHandle) { return Run(gFakeHighlightLine, owner); }
