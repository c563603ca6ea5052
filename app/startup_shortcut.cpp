#include "app/startup_shortcut.h"

#include "app/configuration_file.h"
#include "platform/files.h"
#include "platform/shortcuts.h"

namespace {

// Windows paths compare in any case and with either slash. Only ASCII
// letters are folded: a path differing in another letter's case is taken
// for another copy, and a click then points the shortcut here anyway.
std::string PathKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

}  // namespace

std::string StartupShortcutPath() {
    const std::string folder = platform::StartupFolder();
    return folder.empty() ? folder : folder + "\\" + BaseNameUtf8() + ".lnk";
}

bool ShortcutStartsProgram(const std::string& link, const std::string& program) {
    std::string target;
    return !link.empty() && platform::ReadShortcutTarget(link, target) && PathKey(target) == PathKey(program);
}

bool ToggleStartupShortcut(const std::string& link, const std::string& program) {
    if (link.empty()) return false;
    if (ShortcutStartsProgram(link, program)) return !platform::DeleteFileW(link);
    return platform::WriteShortcut(link, program) && ShortcutStartsProgram(link, program);
}
