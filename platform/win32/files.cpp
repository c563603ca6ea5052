#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "platform/codepage.h"
#include "platform/files.h"

namespace platform {

namespace {

std::wstring Wide(const std::string& utf8) {
    std::u16string text = MultiByteToWideChar(kCodePageUtf8, 0, utf8);
    return std::wstring(text.begin(), text.end());
}

}  // namespace

std::string GetModuleFileNameW() {
    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A truncated path is not NUL-terminated on every version of Windows.
    std::u16string text(path, path + wcsnlen(path, length));
    return WideCharToMultiByte(kCodePageUtf8, text);
}

bool PathExists(const std::string& path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool DeleteFileW(const std::string& path) { return ::DeleteFileW(Wide(path).c_str()); }

// WriteFile and ReadFile take at most a DWORD at a time.
constexpr DWORD kChunk = 1u << 30;

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    HANDLE file =
        ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::string ReadFileStart(const std::string& path, unsigned count) {
    HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(count, '\0');
    DWORD got = 0;
    if (!::ReadFile(file, bytes.data(), count, &got, nullptr)) got = 0;
    ::CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
