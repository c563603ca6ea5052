// The one INI file beside the executable, and the program's base name.
#pragma once

#include <string>

// The executable's file name without folder and extension, in the ANSI code
// page.
std::string BaseName();
// The executable's folder, with its trailing backslash (UTF-8).
std::string ModuleFolder();

// UTF-8: the folder may hold letters outside the ANSI code page.
std::string ConfigurationPath();
std::string DefaultConfiguration();
void EnsureConfigurationFile();
void OpenConfigurationForEditing();
// [options] restore_clipboard: false only when it is 0.
bool RestoreClipboardOption();
