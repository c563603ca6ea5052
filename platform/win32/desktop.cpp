#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/codepage.h"
#include "platform/desktop.h"

namespace platform {

WindowHandle GetForegroundWindow() { return ::GetForegroundWindow(); }

std::string GetWindowTextA(WindowHandle window) {
    HWND handle = static_cast<HWND>(window);
    if (!handle) return {};
    int length = ::GetWindowTextLengthA(handle);
    if (length <= 0) return {};
    // The length may overstate the title (it can count bytes of another
    // encoding); what GetWindowTextA copies is what counts.
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(handle, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? copied : 0);
}

bool SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(static_cast<HWND>(window)); }

unsigned GetWindowProcessId(WindowHandle window) {
    DWORD process = 0;
    if (window) ::GetWindowThreadProcessId(static_cast<HWND>(window), &process);
    return process;
}

namespace {

BOOL CALLBACK AddChildProcess(HWND child, LPARAM list) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(child, &process);
    auto& processes = *reinterpret_cast<std::vector<unsigned>*>(list);
    if (process != 0 && std::find(processes.begin(), processes.end(), process) == processes.end())
        processes.push_back(process);
    return TRUE;
}

}  // namespace

std::vector<unsigned> ChildWindowProcessIds(WindowHandle window) {
    std::vector<unsigned> processes;
    if (window) ::EnumChildWindows(static_cast<HWND>(window), AddChildProcess, reinterpret_cast<LPARAM>(&processes));
    return processes;
}

void MessageBeep(unsigned type) { ::MessageBeep(type); }

int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) {
    return ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}

void ShellExecuteOpen(const std::string& path) {
    std::u16string wide = MultiByteToWideChar(kCodePageUtf8, 0, path);
    ::ShellExecuteW(nullptr, L"open", std::wstring(wide.begin(), wide.end()).c_str(), L"", L"", SW_SHOW);
}

}  // namespace platform
