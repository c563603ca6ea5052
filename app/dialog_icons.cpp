#include "app/dialog_icons.h"

#include "platform/icons.h"

namespace {

struct IconSource {
    DialogIconKind kind;
    const char* library;
    int index;
};

constexpr IconSource kSources[kDialogIconKinds] = {
    {DialogIconKind::AccentedCapitals, "shell32.dll", 73},
    {DialogIconKind::LineHighlighter, "shell32.dll", 133},
    {DialogIconKind::DatePicker, "imageres.dll", 272},
    {DialogIconKind::ContactBook, "shell32.dll", 160},
    {DialogIconKind::NewContact, "shell32.dll", 158},
    {DialogIconKind::NewCompany, "shell32.dll", 57},
};

constexpr bool SourcesInKindOrder() {
    for (int slot = 0; slot < kDialogIconKinds; ++slot)
        if (static_cast<int>(kSources[slot].kind) != slot) return false;
    return true;
}
static_assert(SourcesInKindOrder());

// A missing icon is remembered as such and not asked for again: the system
// folder's libraries do not change under a running program, and every ask
// maps the library's file anew (Wine's imageres.dll, for one, has no icons,
// and the date picker opens many times a day).
struct CachedIcon {
    bool asked;
    platform::IconHandle icon;
};
CachedIcon gIcons[kDialogIconKinds];

}  // namespace

platform::IconHandle DialogIcon(DialogIconKind kind) {
    int slot = static_cast<int>(kind);
    if (slot < 0 || slot >= kDialogIconKinds) return nullptr;
    CachedIcon& cached = gIcons[slot];
    if (!cached.asked) {
        const IconSource& source = kSources[slot];
        cached = {true, platform::ExtractSystemIcon(source.library, source.index)};
    }
    return cached.icon;
}

void ReleaseDialogIcons() {
    for (CachedIcon& cached : gIcons) {
        if (cached.icon != nullptr) platform::DestroyIcon(cached.icon);
        cached = {false, nullptr};
    }
}
