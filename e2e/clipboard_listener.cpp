// Other programs on the clipboard of the desktop tests.
//
//   clipboard_listener.exe --log PATH [--hold MS] [--history [--ignore-marks]] [--copy]
//
// --hold: after every change it opens the clipboard and holds it for a
// while, as clipboard history and remote-desktop tools do, so that every
// other program meets a clipboard that is busy for a moment after each copy.
// The log gets "HELD" when it took the clipboard and "FREE" when it let go.
// --history: a clipboard history as Windows' own behaves: every format of
// every change read at once, except content that carries
// "ExcludeClipboardContentFromMonitorProcessing" or a
// "CanIncludeInClipboardHistory" of 0 ("SKIPPED"); logs "RECORD" and the
// text it recorded (hex of UTF-8). --ignore-marks: an older manager that
// reads those too.
// --copy: the user's copy, as a browser or an Office program makes it:
// CF_UNICODETEXT, "HTML Format", a small CF_DIB and "Vantor Bench Private"
// (binary bytes, promised and rendered only when read, "RENDERED"). Logs
// "BLOCK <format> <hex>" for each, then "COPIED"; it stays the owner.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "bench_log.h"

namespace {

int gHoldMs = 0;
bool gHistory = false;
bool gHonoursMarks = true;
bool gCopy = false;
HANDLE gLog = INVALID_HANDLE_VALUE;

void Log(const std::string& line) { LogTo(gLog, line); }

UINT Format(const char* name) { return RegisterClipboardFormatA(name); }

std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

// ---- The user's copy ------------------------------------------------------

const wchar_t kCopiedText[] = L"Paragraphe copi\u00E9 \u2014 \u00BD";

std::string UserBlock(UINT format) {
    if (format == CF_UNICODETEXT)
        return std::string((const char*)kCopiedText, sizeof kCopiedText);
    if (format == CF_DIB) {
        BITMAPINFOHEADER header{sizeof header, 2, 2, 1, 24, BI_RGB, 16, 2835, 2835, 0, 0};
        std::string pixels = std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8) +
                             std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8);
        return std::string((const char*)&header, sizeof header) + pixels;
    }
    if (format == Format("HTML Format"))  // a browser's document; its offsets matter to nobody here
        return "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000190\r\nStartFragment:0000000139\r\n"
               "EndFragment:0000000171\r\n<html><body>\r\n<!--StartFragment--><p>" + Utf8(kCopiedText) +
               "</p><!--EndFragment-->\r\n</body>\r\n</html>" + '\0';
    return std::string("\x00\x01\x02\xFF\x00\x80Vantor\x00\x7F", 12);
}

std::vector<UINT> UserFormats() { return {CF_UNICODETEXT, Format("HTML Format"), CF_DIB, Format("Vantor Bench Private")}; }

void Place(UINT format) {
    std::string bytes = UserBlock(format);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    SetClipboardData(format, block);
}

void CopyAsTheUser(HWND window) {
    for (int attempt = 0; attempt < 100 && !OpenClipboard(window); ++attempt) Sleep(10);
    EmptyClipboard();
    for (UINT format : UserFormats()) {
        if (format == Format("Vantor Bench Private")) SetClipboardData(format, nullptr);
        else Place(format);
        Log("BLOCK " + std::to_string(format) + " " + Hex(UserBlock(format)));
    }
    CloseClipboard();
    Log("COPIED");
}

// ---- The history ----------------------------------------------------------

bool Marked() {
    if (IsClipboardFormatAvailable(Format("ExcludeClipboardContentFromMonitorProcessing"))) return true;
    HANDLE can = GetClipboardData(Format("CanIncludeInClipboardHistory"));
    const DWORD* value = can ? (const DWORD*)GlobalLock(can) : nullptr;
    bool refused = value && *value == 0;
    if (value) GlobalUnlock(can);
    return refused;
}

// Every format read, as a history keeps it whole; the text is what it logs.
void Record(HWND window) {
    for (int attempt = 0; attempt < 100 && !OpenClipboard(window); ++attempt) Sleep(5);
    if (gHonoursMarks && Marked()) {
        CloseClipboard();
        Log("SKIPPED");
        return;
    }
    std::string text;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (format == CF_BITMAP || format == CF_ENHMETAFILE || format == CF_METAFILEPICT || format == CF_PALETTE)
            continue;
        HANDLE data = GetClipboardData(format);
        if (format == CF_UNICODETEXT && data) {
            if (const wchar_t* wide = (const wchar_t*)GlobalLock(data)) {
                text = Utf8(wide);
                GlobalUnlock(data);
            }
        }
    }
    CloseClipboard();
    Log("RECORD " + Hex(text));
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
    switch (message) {
    case WM_CLIPBOARDUPDATE:
        if (gHistory) Record(window);
        if (gHoldMs) HoldClipboard(window);
        return 0;
    case WM_RENDERFORMAT:
        Place((UINT)wParam);
        Log("RENDERED");
        return 0;
    case WM_RENDERALLFORMATS:
        if (OpenClipboard(window)) {
            if (GetClipboardOwner() == window) Place(Format("Vantor Bench Private"));
            CloseClipboard();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ReadOptions() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        std::wstring name = args[i];
        bool hasValue = i + 1 < count;
        if (name == L"--hold" && hasValue) gHoldMs = _wtoi(args[++i]);
        else if (name == L"--history") gHistory = true;
        else if (name == L"--ignore-marks") gHonoursMarks = false;
        else if (name == L"--copy") gCopy = true;
        else if (name == L"--log" && hasValue)
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
    if (!window) return 1;
    if (gCopy) CopyAsTheUser(window);
    if ((gHistory || gHoldMs) && !AddClipboardFormatListener(window)) return 1;
    Log("LISTENING");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    RemoveClipboardFormatListener(window);
    return 0;
}
