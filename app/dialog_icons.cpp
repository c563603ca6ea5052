#include "app/dialog_icons.h"

#include <cstring>
#include <vector>

#include "platform/icons.h"

namespace {

// A missing icon is remembered as such and not asked for again: the system
// folder's libraries do not change under a running program, and every ask
// maps the library's file anew (Wine's imageres.dll, for one, has no icons,
// and the date picker opens many times a day).
struct CachedIcon {
    IconSource source;
    platform::IconHandle icon;
};
std::vector<CachedIcon> gIcons;

}  // namespace

platform::IconHandle DialogIcon(IconSource source) {
    for (const CachedIcon& cached : gIcons)
        if (cached.source.index == source.index && std::strcmp(cached.source.library, source.library) == 0)
            return cached.icon;
    gIcons.push_back({source, platform::ExtractSystemIcon(source.library, source.index)});
    return gIcons.back().icon;
}

void ReleaseDialogIcons() {
    for (const CachedIcon& cached : gIcons)
        if (cached.icon != nullptr) platform::DestroyIcon(cached.icon);
    gIcons.clear();
}
