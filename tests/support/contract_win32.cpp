#include <windows.h>

#include <string>

#include "app/configuration_file.h"
#include "platform/codepage.h"
#include "tests/support/contract.h"

namespace {
HANDLE gHolder = INVALID_HANDLE_VALUE;
void (*gOwnerHandler)(unsigned, unsigned);

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_RENDERFORMAT:
        case WM_RENDERALLFORMATS:
        case WM_DESTROYCLIPBOARD: gOwnerHandler(message, static_cast<unsigned>(wParam)); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void ClearPlace(const std::string& path) {
    if (gHolder != INVALID_HANDLE_VALUE) CloseHandle(gHolder);
    gHolder = INVALID_HANDLE_VALUE;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    RemoveDirectoryA(path.c_str());
    ::DeleteFileA((path + ".bak").c_str());  // of a file the program made Unicode
}

std::string PlaceOfConfiguration() {
    std::string path = ConfigurationPath();
    ClearPlace(path);
    return path;
}

// Wine running as root lets a read-only file be written all the same; a
// handle that shares no writing then makes every write fail, as the
// attribute alone does on Windows.
bool MakeReadOnly(const std::string& path) {
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) return false;
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return true;
    CloseHandle(probe);
    gHolder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return gHolder != INVALID_HANDLE_VALUE;
}

// Paths are UTF-8, as the program holds them.
bool MakeFolder(const std::string& path) {
    std::u16string wide = platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, path);
    return CreateDirectoryW(std::wstring(wide.begin(), wide.end()).c_str(), nullptr);
}

void ResetPlatform() {}

std::string FreshFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
        std::string folder = std::string(temp) + "vantor-test-" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
    }
}

bool RunningOnSimulation() { return false; }

void* MakeClipboardOwner(void (*handler)(unsigned message, unsigned format)) {
    gOwnerHandler = handler;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VantorContractOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Clipboard owner", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

void DestroyClipboardOwner(void* window) { DestroyWindow(static_cast<HWND>(window)); }

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"); }

void* MakeWindow(void* parent) {
    return CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 1, 1, (HWND)parent, 0, 0, 0);
}
