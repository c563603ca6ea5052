// The date settings of the configuration file.
#pragma once

#include <string>

// Reads the date format and the four name tables from the configuration file.
void ReadDateConfiguration();
// The same, from the profile file at `path`.
void ReadDateConfigurationFrom(const std::string& path);
