#include "app/open_dialogs.h"

#include <vector>

namespace {

std::vector<platform::WindowHandle> gOpenDialogs;

}  // namespace

void NoteDialogOpened(platform::WindowHandle dialog) { gOpenDialogs.push_back(dialog); }

void ForgetDialogsFrom(size_t count) {
    if (count < gOpenDialogs.size()) gOpenDialogs.resize(count);
}

size_t OpenDialogCount() { return gOpenDialogs.size(); }

platform::WindowHandle NewestDialogSince(size_t count) {
    return count < gOpenDialogs.size() ? gOpenDialogs.back() : nullptr;
}
