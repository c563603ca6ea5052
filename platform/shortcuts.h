// Shell shortcuts (.lnk files) and the user's Startup folder, whose
// shortcuts the shell opens at sign-in. Paths are UTF-8; the system is
// reached through its UTF-16 functions.
#pragma once

#include <string>

namespace platform {

// SHGetFolderPathW(CSIDL_STARTUP), made if missing, without a trailing
// backslash; empty when the system names none.
std::string StartupFolder();

// The target that the shortcut file at `link` starts (IShellLinkW::GetPath
// of the loaded file). False when there is no file there, or it is not a
// shortcut, or it names no file.
bool ReadShortcutTarget(const std::string& link, std::string& target);

// Writes (or replaces) the shortcut file at `link`, starting `target` in the
// target's own folder. False when the file cannot be saved there. A shortcut
// is removed as any file is, with DeleteFileW.
bool WriteShortcut(const std::string& link, const std::string& target);

}  // namespace platform
