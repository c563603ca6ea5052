// Shortcuts as files of the simulated store: the header's first four bytes
// of a real .lnk, then the target, so that anything else there is no
// shortcut and the file functions see them as Windows does.
#include "platform/shortcuts.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace {

const std::string kLinkHeader("L\0\0\0", 4);

}  // namespace

namespace platform {

std::string StartupFolder() {
    const std::string folder = "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    sim::AddFolder(folder);
    sim::Log("SHGetFolderPathW", folder);
    return folder;
}

bool ReadShortcutTarget(const std::string& link, std::string& target) {
    std::string bytes;
    const bool done = sim::GetFile(link, bytes) && bytes.size() > kLinkHeader.size() &&
                      bytes.compare(0, kLinkHeader.size(), kLinkHeader) == 0;
    if (done) target = bytes.substr(kLinkHeader.size());
    sim::Log("IPersistFile::Load", link + (done ? " " + target : " failed"));
    return done;
}

bool WriteShortcut(const std::string& link, const std::string& target) {
    const bool done = !target.empty() && sim::StoreFile(link, kLinkHeader + target);
    sim::Log("IPersistFile::Save", link + " " + target + (done ? "" : " failed"));
    return done;
}

}  // namespace platform
