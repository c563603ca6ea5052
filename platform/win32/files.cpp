#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace platform {

std::string GetModuleFileNameA() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A truncated path is not NUL-terminated on every version of Windows.
    return std::string(path, strnlen(path, length));
}

bool PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()); }

// WriteFile and ReadFile take at most a DWORD at a time.
constexpr DWORD kChunk = 1u << 30;

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (size_t at = 0; ok && at < bytes.size();) {
        DWORD want = bytes.size() - at < kChunk ? static_cast<DWORD>(bytes.size() - at) : kChunk;
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data() + at, want, &written, nullptr) && written == want;
        at += written;
    }
    return ::CloseHandle(file) && ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Read to the end rather than trust the size: the file may grow or
    // shrink while another program writes it.
    std::string content;
    bool ok = true;
    for (;;) {
        size_t at = content.size();
        content.resize(at + 65536);
        DWORD got = 0;
        ok = ::ReadFile(file, content.data() + at, 65536, &got, nullptr);
        content.resize(at + (ok ? got : 0));
        if (!ok || got == 0) break;
    }
    ::CloseHandle(file);
    if (ok) bytes = std::move(content);
    return ok;
}

std::string LoadRcData(unsigned id) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    char name[16];
    std::snprintf(name, sizeof name, "#%u", id);
    HRSRC found = ::FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return {};
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return std::string(static_cast<const char*>(data), size);
}

}  // namespace platform
