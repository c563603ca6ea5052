// The one INI file beside the executable, and the program's base name.
#pragma once

#include <string>

// The executable's file name without folder and extension, in the ANSI code
// page.
std::string BaseName();
// The same in UTF-8, for the names of files.
std::string BaseNameUtf8();
// The executable's folder, with its trailing backslash (UTF-8).
std::string ModuleFolder();

// UTF-8: the folder may hold letters outside the ANSI code page.
std::string ConfigurationPath();
std::string DefaultConfiguration();
void EnsureConfigurationFile();

// Turns the file at `path`, whose content is `bytes`, into FF FE and UTF-16,
// the one form Windows' profile functions read as Unicode, after copying it
// unchanged to a backup beside it (the first free of "NAME.ini.bak",
// "NAME.ini.bak2", ...). A missing file is made as an empty Unicode one.
// False, with nothing changed, when the backup or the file cannot be
// written or a folder stands at the path; on success `bytes` is the new
// content.
bool MakeConfigurationUnicode(const std::string& path, std::string& bytes);
// At start, before anything reads the file through the profile functions:
// a file with a mark they may not honour (FE FF, or the UTF-8 one) is made
// Unicode. One that cannot be is only read, by the program's own readers.
void MendConfigurationMark();
void OpenConfigurationForEditing();
// [options] restore_clipboard: false only when it is 0.
bool RestoreClipboardOption();
