// "Start with Windows": a shortcut to the running program in the user's
// Startup folder. The shortcut itself is the setting; nothing else records it.
#pragma once

#include <string>

// Where the program's shortcut goes: the Startup folder + the base name +
// ".lnk" (UTF-8); empty when the system names no Startup folder.
std::string StartupShortcutPath();

// The shortcut at `link` starts `program` (the same file, whatever the case
// of its letters or the kind of its slashes). One that starts another copy
// does not.
bool ShortcutStartsProgram(const std::string& link, const std::string& program);

// The menu item's click: a shortcut that starts `program` is removed; any
// other (none, one to another copy, an unreadable file) is replaced by one
// that starts `program`. The answer is whether it starts `program` now.
bool ToggleStartupShortcut(const std::string& link, const std::string& program);
