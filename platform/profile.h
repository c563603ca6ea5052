// INI files through the Windows profile functions.
#pragma once

#include <string>

namespace platform {

// GetPrivateProfileStringA with a buffer of `size` bytes: at most size - 1
// bytes come back.
std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, unsigned size,
                                     const std::string& path);

bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path);

}  // namespace platform
