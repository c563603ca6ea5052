#include "e2e/driver/desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace e2e {

namespace {

std::vector<uintptr_t> gHotkeys;

template <typename Condition>
bool PollUntil(unsigned timeoutMs, Condition condition) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Pump(10);
    }
}

bool IsExtendedKey(WORD key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = (WORD)MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    if (inputs.empty()) return;
    UINT sent = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size()) << "SendInput refused some events";
}

void AddKeyStroke(std::vector<INPUT>& inputs, std::initializer_list<WORD> modifiers, WORD key) {
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(KeyInput(*it, true));
}

LRESULT CALLBACK HotkeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        gHotkeys.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct WindowSearch {
    std::string captionPart;
    std::string className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = (WindowSearch*)context;
    char caption[512] = "", className[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window) || !strstr(caption, search->captionPart.c_str())) return TRUE;
    if (!search->className.empty() && search->className != className) return TRUE;
    search->found = window;
    return FALSE;
}

bool OpenClipboardPatiently() {
    return PollUntil(2000, [] { return OpenClipboard(nullptr) != 0; });
}

// Up to the first NUL, or the whole block.
std::optional<std::string> ClipboardBytes(UINT format, bool whole = false) {
    if (!OpenClipboardPatiently()) {
        ADD_FAILURE() << "the clipboard stayed busy";
        return std::nullopt;
    }
    std::optional<std::string> bytes;
    HANDLE data = GetClipboardData(format);
    if (const char* locked = data ? (const char*)GlobalLock(data) : nullptr) {
        SIZE_T size = GlobalSize(data), length = 0;
        while (length < size && (whole || locked[length])) ++length;
        bytes.emplace(locked, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string LogForMessage(const std::string& path) {
    std::string text;
    for (const std::string& line : ReadLogLines(path)) text += "  " + line + "\n";
    return text.empty() ? "  (empty)\n" : text;
}

template <typename Match>
int WaitForMatchingLine(const std::string& path, size_t from, unsigned timeoutMs, Match match) {
    int found = -1;
    PollUntil(timeoutMs, [&] {
        std::vector<std::string> lines = ReadLogLines(path);
        for (size_t i = from; i < lines.size(); ++i)
            if (match(lines[i])) {
                found = (int)i;
                return true;
            }
        return false;
    });
    return found;
}

bool WriteBytes(const std::string& path, const std::vector<std::string>& pieces) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (const std::string& piece : pieces) {
        DWORD written = 0;
        ok = ok && WriteFile(file, piece.data(), (DWORD)piece.size(), &written, nullptr) && written == piece.size();
    }
    CloseHandle(file);
    return ok;
}

std::string ShotsFolder() {
    const char* folder = std::getenv("VANTOR_SHOTS");
    std::string path = folder && *folder ? folder : ".";
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string FreshFolder(const std::string& stem) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
        std::string folder = std::string(temp) + "vantor-e2e-" + stem + "-" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create a folder under " << temp;
            return "";
        }
    }
}

std::string CopyInto(const std::string& file, const std::string& folder) {
    std::string copy = folder + file.substr(file.find_last_of("\\/") + 1);
    if (CopyFileA(file.c_str(), copy.c_str(), FALSE)) return copy;
    ADD_FAILURE() << "cannot copy " << file << " to " << folder << " (error " << GetLastError() << ")";
    return "";
}

namespace {

// Every program a test starts, kept so that one a failed test left running
// (a program in a modal dialog does not end on "Exit") cannot hold Vantor's
// single-instance mutex against every test after it.
std::vector<HANDLE> gStartedPrograms;

class EndLeftoverPrograms : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (HANDLE process : gStartedPrograms) {
            if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 5000);
            }
            CloseHandle(process);
        }
        gStartedPrograms.clear();
    }
};

const bool gEndingLeftovers = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndLeftoverPrograms);
    return true;
}();

void Remember(HANDLE process) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        gStartedPrograms.push_back(copy);
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(units > 0 ? units : 0, L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return wide;
}

HANDLE StartProgram(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::wstring wideFolder = Wide(folder);
    // Wine on a loaded machine was seen to refuse a start now and then with
    // ERROR_INTERNAL_ERROR before the program ran at all; a second try then
    // starts it, and tests the same thing.
    for (int attempt = 0;; ++attempt) {
        std::wstring line = Wide(commandLine);  // CreateProcessW may write into it
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.empty() ? nullptr : wideFolder.c_str(), &startup, &process))
            break;
        const DWORD error = GetLastError();
        if (error == ERROR_INTERNAL_ERROR && attempt < 2) {
            Sleep(500);
            continue;
        }
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << error << ")";
        return nullptr;
    }
    CloseHandle(process.hThread);
    Remember(process.hProcess);
    return process.hProcess;
}

bool WaitForExit(HANDLE process, unsigned timeoutMs) {
    bool ended = PollUntil(timeoutMs, [&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    if (!ended) ADD_FAILURE() << "the program did not end within " << timeoutMs << " ms";
    return ended;
}

DWORD ExitCodeOf(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    return code;
}

void EndProgram(HANDLE process, HWND window) {
    if (!process) return;
    if (window && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!PollUntil(5000, [&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; })) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

void Pump(unsigned ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    LRESULT copied = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

namespace {

std::string ControlName(HWND control) {
    char windowClass[64] = "";
    GetClassNameA(control, windowClass, sizeof windowClass);
    return std::string(windowClass) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + TextOf(control) + "\"";
}

// The static's text as its own drawing lays it out: wrapped to its width
// unless it is a one-line kind.
void ExpectTextFits(HWND control, HFONT font) {
    char windowClass[16] = "";
    GetClassNameA(control, windowClass, sizeof windowClass);
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    const LONG_PTR kind = style & SS_TYPEMASK;
    if (_stricmp(windowClass, "Static") != 0 || (kind > SS_RIGHT && kind != SS_SIMPLE && kind != SS_LEFTNOWORDWRAP))
        return;
    std::wstring text(static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    if (text.empty()) return;
    RECT client{}, needed{};
    GetClientRect(control, &client);
    needed.right = client.right;
    UINT format = DT_CALCRECT | DT_EXPANDTABS | (kind <= SS_RIGHT ? DT_WORDBREAK : DT_SINGLELINE);
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    HDC context = GetDC(nullptr);
    HGDIOBJ old = SelectObject(context, font);
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &needed, format);
    SelectObject(context, old);
    ReleaseDC(nullptr, context);
    EXPECT_LE(needed.right, client.right) << ControlName(control) << ": its text is wider than it";
    EXPECT_LE(needed.bottom, client.bottom) << ControlName(control) << ": its text is taller than it";
}

}  // namespace

void ExpectNothingClipped(HWND dialog, HFONT font) {
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    int checked = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        RECT place{};
        GetWindowRect(control, &place);
        if (IsRectEmpty(&place)) continue;  // a key catcher, a hidden default button: nothing shows
        EXPECT_TRUE(place.left >= client.left && place.top >= client.top && place.right <= client.right &&
                    place.bottom <= client.bottom)
            << ControlName(control) << " at (" << place.left - client.left << ", " << place.top - client.top << ")-("
            << place.right - client.left << ", " << place.bottom - client.top << ") leaves the client area of "
            << client.right - client.left << " x " << client.bottom - client.top;
        ExpectTextFits(control, font);
        ++checked;
    }
    EXPECT_GT(checked, 0) << "the dialog shows no control";
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    for (LRESULT i = 0, count = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        int units = (int)SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        std::string utf8(units > 0 ? units * 3 : 0, '\0');
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, item.data(), units, utf8.data(), (int)utf8.size(), nullptr, nullptr));
        items.push_back(utf8);
    }
    return items;
}

bool WaitUntilGone(HWND window, unsigned timeoutMs) {
    bool gone = Eventually([&] { return !IsWindow(window); }, timeoutMs);
    if (!gone) ADD_FAILURE() << "a window stayed open";
    return gone;
}

HWND WaitForWindow(const std::string& caption, unsigned timeoutMs) {
    HWND window = nullptr;
    if (!PollUntil(timeoutMs, [&] { return (window = FindWindowA(nullptr, caption.c_str())) != nullptr; }))
        ADD_FAILURE() << "no window \"" << caption << "\" within " << timeoutMs << " ms";
    return window;
}

HWND WaitForWindowContaining(const std::string& captionPart, const std::string& className, unsigned timeoutMs) {
    WindowSearch search{captionPart, className, nullptr};
    auto found = [&] {
        EnumWindows(MatchWindow, (LPARAM)&search);
        return search.found != nullptr;
    };
    if (!PollUntil(timeoutMs, found))
        ADD_FAILURE() << "no visible window of class \"" << className << "\" whose caption holds \"" << captionPart
                      << "\" within " << timeoutMs << " ms";
    return search.found;
}

bool WaitForForeground(HWND window, unsigned timeoutMs) {
    if (PollUntil(timeoutMs, [&] { return GetForegroundWindow() == window; })) return true;
    char caption[256] = "";
    GetWindowTextA(GetForegroundWindow(), caption, sizeof caption);
    ADD_FAILURE() << "the window did not come to the front within " << timeoutMs << " ms; in front: \"" << caption
                  << "\"";
    return false;
}

bool BringToFront(HWND window, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        SetForegroundWindow(window);
        if (PollUntil(200, [&] { return GetForegroundWindow() == window; })) return true;
    }
    return WaitForForeground(window, 0);
}

void KeyDown(WORD virtualKey) { Send({KeyInput(virtualKey, false)}); }
void KeyUp(WORD virtualKey) { Send({KeyInput(virtualKey, true)}); }
void Tap(WORD virtualKey) { Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)}); }

void Chord(std::initializer_list<WORD> modifiers, WORD virtualKey) {
    std::vector<INPUT> inputs;
    AddKeyStroke(inputs, modifiers, virtualKey);
    Send(inputs);
}

void TypeUnicode(const std::string& utf8) {
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring wide(units > 0 ? units : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), wide.data(), units);
    std::vector<INPUT> inputs;
    for (wchar_t unit : wide)
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    Send(inputs);
}

void TypeText(const std::string& ascii) {
    std::vector<INPUT> inputs;
    for (char c : ascii) {
        SHORT key = VkKeyScanA(c);
        if (key == -1) {
            ADD_FAILURE() << "no key types '" << c << "'";
            continue;
        }
        WORD shift = HIBYTE(key), vk = LOBYTE(key);
        if (shift & 1) inputs.push_back(KeyInput(VK_SHIFT, false));
        if (shift & 2) inputs.push_back(KeyInput(VK_CONTROL, false));
        if (shift & 4) inputs.push_back(KeyInput(VK_MENU, false));
        AddKeyStroke(inputs, {}, vk);
        if (shift & 4) inputs.push_back(KeyInput(VK_MENU, true));
        if (shift & 2) inputs.push_back(KeyInput(VK_CONTROL, true));
        if (shift & 1) inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    Send(inputs);
}

// The position travels in the same batch as the button: a separate
// SetCursorPos was seen to click where the pointer had been before.
void ClickAt(int x, int y) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = (LONG)(((long long)x * 65535 + (width - 1) / 2) / (width - 1));
        inputs[i].mi.dy = (LONG)(((long long)y * 65535 + (height - 1) / 2) / (height - 1));
        inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
    }
    // A move and its buttons in one batch were seen, now and then, to click
    // where the pointer had been: let the pointer arrive first.
    Send({inputs[0]});
    PollUntil(1000, [&] {
        POINT at;
        return GetCursorPos(&at) && at.x == x && at.y == y;
    });
    Send({inputs[1], inputs[2]});
}

bool HotkeyHeldElsewhere(UINT modifiers, UINT virtualKey) {
    if (!RegisterHotKey(nullptr, 0x7FF0, modifiers, virtualKey)) return true;
    UnregisterHotKey(nullptr, 0x7FF0);
    return false;
}

HWND CreateHotkeyWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HotkeyProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VantorE2EHotkeys";
    RegisterClassA(&windowClass);  // fails harmlessly the second time
    gHotkeys.clear();
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!window) ADD_FAILURE() << "cannot create the hotkey window (error " << GetLastError() << ")";
    return window;
}

const std::vector<uintptr_t>& ReceivedHotkeys() { return gHotkeys; }

bool WaitForHotkey(uintptr_t identifier, unsigned timeoutMs) {
    auto arrived = [&] {
        for (uintptr_t id : gHotkeys)
            if (id == identifier) return true;
        return false;
    };
    if (PollUntil(timeoutMs, arrived)) return true;
    ADD_FAILURE() << "no WM_HOTKEY 0x" << std::hex << identifier << std::dec << " within " << timeoutMs << " ms ("
                  << gHotkeys.size() << " others)";
    return false;
}

std::vector<std::string> ReadLogLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(path).value_or("");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) break;  // a line still being written
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

int WaitForLogLine(const std::string& path, const std::string& line, size_t from, unsigned timeoutMs) {
    int found = WaitForMatchingLine(path, from, timeoutMs, [&](const std::string& l) { return l == line; });
    if (found < 0)
        ADD_FAILURE() << "no line \"" << line << "\" from line " << from << " of " << path << " within "
                      << timeoutMs << " ms; the log holds:\n"
                      << LogForMessage(path);
    return found;
}

int WaitForLogLineStarting(const std::string& path, const std::string& prefix, size_t from, unsigned timeoutMs) {
    int found = WaitForMatchingLine(path, from, timeoutMs,
                                    [&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; });
    if (found < 0)
        ADD_FAILURE() << "no line starting \"" << prefix << "\" from line " << from << " of " << path
                      << " within " << timeoutMs << " ms; the log holds:\n"
                      << LogForMessage(path);
    return found;
}

std::optional<std::string> HexPayload(const std::string& line) {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    std::string hex = line.substr(blank + 1);
    if (hex == "NONE" || hex.size() % 2) return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        char* end = nullptr;
        long value = std::strtol(pair, &end, 16);
        if (end != pair + 2) return std::nullopt;
        bytes += (char)value;
    }
    return bytes;
}

std::optional<std::string> ClipboardHtml() { return ClipboardBytes(RegisterClipboardFormatA("HTML Format")); }
std::optional<std::string> ClipboardText() { return ClipboardBytes(CF_TEXT); }
std::optional<std::string> ClipboardBlock(UINT format) { return ClipboardBytes(format, true); }

void EmptyTheClipboard() {
    if (!OpenClipboardPatiently()) {
        ADD_FAILURE() << "the clipboard stayed busy";
        return;
    }
    EmptyClipboard();
    CloseClipboard();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::string SaveScreenshot(const std::string& name) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as .bmp files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, picture);
    BOOL copied = picture && BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::string path = ShotsFolder() + name + ".bmp";
    bool written = false;
    if (copied) {
        DWORD rowBytes = ((DWORD)width * 3 + 3) & ~3u;
        DWORD size = rowBytes * (DWORD)height;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + size;
        written = WriteBytes(path, {std::string((const char*)&file, sizeof file),
                                    std::string((const char*)&header, sizeof header),
                                    std::string((const char*)bits, size)});
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (picture) DeleteObject(picture);
    ReleaseDC(nullptr, screen);
    if (!written) {
        ADD_FAILURE() << "cannot save the screenshot " << path;
        return "";
    }
    return path;
}

}  // namespace e2e
