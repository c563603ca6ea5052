// The system folder's icon libraries and the icon handles the program holds.
#include <map>
#include <set>

#include "platform/icons.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

std::map<std::string, unsigned> gLibraries;  // lower-case name -> icons it holds
std::set<platform::IconHandle> gLive;
uintptr_t gNextIcon = 0x20010;

std::string LibraryKey(const std::string& library) {
    std::string key = library;
    for (char& c : key) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return key;
}

}  // namespace

void ResetIcons() {
    gLibraries = {{"shell32.dll", 184}};
    gLive.clear();
    gNextIcon = 0x20010;
}

void SetIconLibrary(const std::string& library, unsigned icons) { gLibraries[LibraryKey(library)] = icons; }

unsigned LiveIcons() { return static_cast<unsigned>(gLive.size()); }

}  // namespace sim

namespace platform {

IconHandle ExtractSystemIcon(const std::string& library, int index) {
    sim::Log("ExtractIconW", library + " " + std::to_string(index));
    auto found = sim::gLibraries.find(sim::LibraryKey(library));
    if (found == sim::gLibraries.end() || index < 0 || static_cast<unsigned>(index) >= found->second) return nullptr;
    // Never handed out twice: destroying a stale handle again must be refused,
    // not free a newer icon.
    IconHandle icon = reinterpret_cast<IconHandle>(sim::gNextIcon);
    sim::gNextIcon += 0x10;
    sim::gLive.insert(icon);
    return icon;
}

bool DestroyIcon(IconHandle icon) {
    sim::Log("DestroyIcon", sim::Hex(static_cast<unsigned>(reinterpret_cast<uintptr_t>(icon))));
    return sim::gLive.erase(icon) > 0;
}

}  // namespace platform
