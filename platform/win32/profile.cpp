#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/codepage.h"
#include "platform/profile.h"

namespace platform {

namespace {

std::wstring Wide(unsigned codePage, const std::string& text) {
    std::u16string wide = MultiByteToWideChar(codePage, 0, text);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(unsigned codePage, const wchar_t* text, size_t length) {
    return WideCharToMultiByte(codePage, std::u16string(text, text + length));
}

// The first bytes of the file; empty when it cannot be read.
std::string Head(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char bytes[3];
    DWORD got = 0;
    if (!::ReadFile(file, bytes, sizeof bytes, &got, nullptr)) got = 0;
    ::CloseHandle(file);
    return std::string(bytes, got);
}

// Windows honours only the FF FE mark: a file that starts with FE FF or
// the UTF-8 mark is ANSI to it, the mark being letters of its first line.
// Wine reads both in their encoding. Asked once for each mark, of a scratch
// file whose only section header stands behind it.
bool AskWhetherMarkIsHonoured(const std::string& probe) {
    wchar_t folder[MAX_PATH], name[MAX_PATH];
    DWORD length = ::GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !::GetTempFileNameW(folder, L"vnt", 0, name)) return false;
    HANDLE file = ::CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    DWORD written = 0;
    bool made = file != INVALID_HANDLE_VALUE &&
                ::WriteFile(file, probe.data(), static_cast<DWORD>(probe.size()), &written, nullptr) &&
                written == probe.size();
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    wchar_t value[4] = L"";
    if (made) ::GetPrivateProfileStringW(L"s", L"k", L"", value, 4, name);
    ::DeleteFileW(name);
    return std::wcscmp(value, L"v") == 0;
}

bool Utf8MarkIsHonoured() {
    static const bool honoured = AskWhetherMarkIsHonoured("\xEF\xBB\xBF[s]\r\nk=v\r\n");
    return honoured;
}

bool BigEndianMarkIsHonoured() {
    static const bool honoured =
        AskWhetherMarkIsHonoured(std::string("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n", 22));
    return honoured;
}

// The code page the caller's names and values are in: UTF-8 for a file the
// system keeps in Unicode, otherwise the ANSI code page, whose conversion to
// UTF-16 and back gives every byte back as it was, as the A functions do.
unsigned CodePageOf(const std::wstring& path) {
    std::string head = Head(path);
    if (head.compare(0, 2, "\xFF\xFE") == 0) return kCodePageUtf8;
    if (head.compare(0, 2, "\xFE\xFF") == 0 && BigEndianMarkIsHonoured()) return kCodePageUtf8;
    if (head == "\xEF\xBB\xBF" && Utf8MarkIsHonoured()) return kCodePageUtf8;
    return kCodePageAnsi;
}

}  // namespace

std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, unsigned size, const std::string& path) {
    if (size == 0) return {};
    const std::wstring file = Wide(kCodePageUtf8, path);
    const unsigned codePage = CodePageOf(file);
    std::wstring buffer(size, L'\0');
    DWORD copied = ::GetPrivateProfileStringW(Wide(codePage, section).c_str(), Wide(codePage, key).c_str(),
                                              Wide(codePage, defaultValue).c_str(), buffer.data(), size, file.c_str());
    return Narrow(codePage, buffer.data(), wcsnlen(buffer.data(), copied < size ? copied : size - 1));
}

bool WritePrivateProfileStringW(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& path) {
    const std::wstring file = Wide(kCodePageUtf8, path);
    const unsigned codePage = CodePageOf(file);
    return ::WritePrivateProfileStringW(Wide(codePage, section).c_str(), Wide(codePage, key).c_str(),
                                        Wide(codePage, value).c_str(), file.c_str());
}

}  // namespace platform
