#include "features/contacts/dialog_text_win32.h"

#include "app/configuration_file.h"

namespace {

std::wstring Widened(const std::string& text, UINT codePage, DWORD flags) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    int units = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(units, L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), units);
    return wide;
}

// A path made from an ANSI module name is no UTF-8; one made from a wide
// one is. Either shows right.
std::wstring WidePath(const std::string& path) {
    std::wstring wide = Widened(path, CP_UTF8, MB_ERR_INVALID_CHARS);
    return wide.empty() ? Widened(path, CP_ACP, 0) : wide;
}

}  // namespace

std::wstring WideOf(const std::string& utf8) { return Widened(utf8, CP_UTF8, 0); }

std::string Utf8Of(const wchar_t* text, size_t units) {
    if (units == 0) return {};
    const int count = static_cast<int>(units);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, count, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string WindowTextUtf8(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return Utf8Of(text.data(), copied > 0 ? copied : 0);
}

void SetWindowTextUtf8(HWND window, const std::string& utf8) { SetWindowTextW(window, WideOf(utf8).c_str()); }

void ReportNotKept(HWND owner, const std::string& entry) {
    std::wstring text = L"\u201C" + WideOf(entry) + L"\u201D was not kept: it could not be written to\r\n\r\n" +
                        WidePath(ConfigurationPath()) +
                        L"\r\n\r\nThe link is pasted all the same. Check that the file and its folder "
                        L"can be written to, then add the entry again.";
    MessageBoxW(owner, text.c_str(), L"Not kept", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
