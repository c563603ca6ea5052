#include "app/configuration_file.h"

#include "app/profile_text.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "text/encoding.h"
#include "text/trim.h"

namespace {

constexpr unsigned kDefaultConfigurationId = 10;

std::string ModuleFileName(const std::string& modulePath) {
    size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
}

}  // namespace

std::string BaseNameUtf8() {
    std::string name = ModuleFileName(platform::GetModuleFileNameW());
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The mutex, the windows' captions and the atoms are named through the ANSI
// functions, as they always were.
std::string BaseName() { return Utf8ToAnsi(BaseNameUtf8()); }

std::string ModuleFolder() {
    std::string modulePath = platform::GetModuleFileNameW();
    size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

// Computed at every use: the program never caches where its file lives.
std::string ConfigurationPath() { return ModuleFolder() + BaseNameUtf8() + ".ini"; }

std::string DefaultConfiguration() { return platform::LoadRcData(kDefaultConfigurationId); }

// An existing file (or a folder of that name) is the user's and is never
// examined or rewritten. Without a default to write, no empty file is left
// behind either: it would stand in the way of every later start.
void EnsureConfigurationFile() {
    std::string path = ConfigurationPath();
    if (platform::PathExists(path)) return;
    std::string bytes = DefaultConfiguration();
    if (bytes.empty()) return;
    platform::DeleteFileW(path);
    platform::WriteNewFile(path, bytes);
}

// Read at each request, so that an edit takes effect at the next use. Only
// "0" turns it off: the default file has no such key.
bool RestoreClipboardOption() {
    std::string value = platform::GetPrivateProfileStringW("options", "restore_clipboard", "1", 8, ConfigurationPath());
    return TrimSpaces(value) != "0";
}

// A backup already there may be the only copy of an older file: never
// written over.
std::string FreeBackupPath(const std::string& path) {
    std::string backup = path + ".bak";
    for (int n = 2; platform::PathExists(backup) && n < 1000; ++n) backup = path + ".bak" + std::to_string(n);
    return platform::PathExists(backup) ? std::string() : backup;
}

bool MakeConfigurationUnicode(const std::string& path, std::string& bytes) {
    const bool exists = platform::PathExists(path);
    std::string original, backup;
    if (exists && !platform::ReadWholeFile(path, original)) return false;
    if (exists) {
        backup = FreeBackupPath(path);
        if (backup.empty() || !platform::WriteNewFile(backup, original)) return false;
    }
    std::string unicode = UnicodeFileOf(original);
    if (!platform::WriteNewFile(path, unicode)) {
        // The file refused (read-only, held): it is as it was, and a copy
        // of it would only puzzle.
        if (!backup.empty()) platform::DeleteFileW(backup);
        return false;
    }
    bytes = std::move(unicode);
    return true;
}

void MendConfigurationMark() {
    std::string path = ConfigurationPath(), bytes;
    if (platform::ReadWholeFile(path, bytes) && HasForeignMark(bytes)) MakeConfigurationUnicode(path, bytes);
}

void OpenConfigurationForEditing() { platform::ShellExecuteOpen(ConfigurationPath()); }
