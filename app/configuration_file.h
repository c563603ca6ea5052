// The one INI file beside the executable, and the program's base name.
#pragma once

#include <string>

// The executable's file name without folder and extension.
std::string BaseName();
// The executable's folder, with its trailing backslash.
std::string ModuleFolder();

std::string ConfigurationPath();
std::string DefaultConfiguration();
void EnsureConfigurationFile();
void OpenConfigurationForEditing();
