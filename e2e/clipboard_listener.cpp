// A clipboard history of the desktop tests: after every change of the
// clipboard it opens the clipboard and holds it for a while, as clipboard
// history and remote-desktop tools do, so that every other program meets a
// clipboard that is busy for a moment after each copy.
//
//   clipboard_listener.exe --hold MS --log PATH
//
// The log gets "HELD" when it took the clipboard and "FREE" when it let go.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

int gHoldMs = 300;
HANDLE gLog = INVALID_HANDLE_VALUE;

void Log(const char* line) {
    std::string bytes = std::string(line) + "\r\n";
    DWORD written = 0;
    WriteFile(gLog, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

// Its own opening is itself no change, so it never wakes itself.
void HoldClipboard(HWND window) {
    for (int attempt = 0; attempt < 100 && !OpenClipboard(window); ++attempt) Sleep(5);
    Log("HELD");
    Sleep(gHoldMs);
    CloseClipboard();
    Log("FREE");
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLIPBOARDUPDATE) {
        HoldClipboard(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ReadOptions() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i + 1 < count; ++i) {
        std::wstring name = args[i];
        if (name == L"--hold") gHoldMs = _wtoi(args[++i]);
        else if (name == L"--log")
            gLog = CreateFileW(args[++i], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    LocalFree(args);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ReadOptions();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ListenerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VantorClipboardListener";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Clipboard listener", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (!window || !AddClipboardFormatListener(window)) return 1;
    Log("LISTENING");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    RemoveClipboardFormatListener(window);
    return 0;
}
