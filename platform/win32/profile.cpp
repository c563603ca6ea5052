#include <windows.h>

#include <cstring>

#include "platform/profile.h"

namespace platform {

std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, unsigned size,
                                     const std::string& path) {
    if (size == 0) return {};
    std::string buffer(size, '\0');
    DWORD copied = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                              buffer.data(), size, path.c_str());
    buffer.resize(strnlen(buffer.data(), copied < size ? copied : size - 1));
    return buffer;
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        path.c_str());
}

}  // namespace platform
