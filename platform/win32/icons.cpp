#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/codepage.h"
#include "platform/icons.h"

namespace platform {

IconHandle ExtractSystemIcon(const std::string& library, int index) {
    wchar_t folder[MAX_PATH];
    UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    // Without the system folder a bare name would be searched for beside the
    // program, where anybody may have put a file of that name.
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::u16string name = MultiByteToWideChar(kCodePageUtf8, 0, library);
    std::wstring path = std::wstring(folder, length) + L"\\" + std::wstring(name.begin(), name.end());
    HICON icon = ::ExtractIconW(::GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(index));
    return icon == reinterpret_cast<HICON>(1) ? nullptr : icon;
}

bool DestroyIcon(IconHandle icon) { return icon != nullptr && ::DestroyIcon(static_cast<HICON>(icon)); }

}  // namespace platform
