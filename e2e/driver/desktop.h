// What a desktop test does to the programs it drives: start them, find their
// windows, type and click with real injected input, and read back what they
// left in their logs, on the clipboard and on disk.
//
// Every wait is bounded. One that runs out records a test failure that says
// what was awaited, and answers null, false or -1 so the test can stop.
// Every wait also dispatches the calling thread's messages, so a window of
// the test itself (the hotkey window) goes on receiving them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr unsigned kWait = 10000;

// The name of a parameterised case: the `name` its record carries.
template <typename Case>
std::string NameOfCase(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}  // ms: generous, the machine is shared

// Folder holding the running test program, with its trailing backslash.
std::string ProgramFolder();

// A new, empty folder under the temporary folder, with its trailing backslash.
std::string FreshFolder(const std::string& stem);

// Copies file into folder, keeping its name; the copy's path, empty on failure.
std::string CopyInto(const std::string& file, const std::string& folder);

// UTF-8 text (paths of any script) as the W functions take it.
std::wstring Wide(const std::string& utf8);

// CreateProcessW of a full command line, run in folder (both UTF-8); the
// process handle, or null (with a failure recorded).
HANDLE StartProgram(const std::string& commandLine, const std::string& folder);
bool WaitForExit(HANDLE process, unsigned timeoutMs);
DWORD ExitCodeOf(HANDLE process);
// Asks the window to close, waits, and kills the process if it stays.
void EndProgram(HANDLE process, HWND window);

// Runs the calling thread's messages for a while.
void Pump(unsigned ms);

// Pumps until the condition holds; false if it did not within the time.
template <typename Condition>
bool Eventually(Condition condition, unsigned timeoutMs = kWait) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Pump(20);
    }
    return true;
}

// Waits for a window to be destroyed; false (with a failure) if it stayed.
bool WaitUntilGone(HWND window, unsigned timeoutMs = kWait);

HWND WaitForWindow(const std::string& caption, unsigned timeoutMs = kWait);
HWND WaitForWindowContaining(const std::string& captionPart, const std::string& className,
                             unsigned timeoutMs = kWait);
bool WaitForForeground(HWND window, unsigned timeoutMs = kWait);
// Asks for the window to be in front, then waits for it to be.
bool BringToFront(HWND window, unsigned timeoutMs = kWait);

// Injected keyboard input, one SendInput call per helper.
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void Tap(WORD virtualKey);
// Presses the modifiers in order, taps the key, releases them in reverse:
// Chord({VK_CONTROL, VK_MENU}, '0').
void Chord(std::initializer_list<WORD> modifiers, WORD virtualKey);
// Printable ASCII through the current layout's keys.
void TypeText(const std::string& ascii);
// Any text (UTF-8) as characters rather than keys (KEYEVENTF_UNICODE): the
// window gets each as a VK_PACKET key carrying it, as from an input method.
void TypeUnicode(const std::string& utf8);
// A window's text by WM_GETTEXT, whatever its length: an edit control of
// another process keeps its text to itself when asked with GetWindowTextA.
std::string TextOf(HWND window);
// The items of a combo box's list, read with the wide messages, as UTF-8.
std::vector<std::string> ComboItems(HWND combo);
// A left click at a screen position.
void ClickAt(int x, int y);

// The DPI the system gives every program of the prefix (LOGPIXELSX).
int ScreenDpi();

// Every visible control of the dialog lies inside its client area, and the
// text of each text static fits it when drawn in `font`. Fonts of another
// process cannot be read, so the caller makes one like the dialog's own.
void ExpectNothingClipped(HWND dialog, HFONT font);

// A hidden window of the test that records the WM_HOTKEY identifiers it gets.
HWND CreateHotkeyWindow();
const std::vector<uintptr_t>& ReceivedHotkeys();
bool WaitForHotkey(uintptr_t identifier, unsigned timeoutMs = kWait);
// Whether another program holds the combination (trying it lets it go again).
bool HotkeyHeldElsewhere(UINT modifiers, UINT virtualKey);

// The stand-in's log: its lines without line ends.
std::vector<std::string> ReadLogLines(const std::string& path);
// Index of the first line at or after `from` that equals `line`; -1 (with a
// failure that shows the log) when none came in time.
int WaitForLogLine(const std::string& path, const std::string& line, size_t from = 0,
                   unsigned timeoutMs = kWait);
// Index of the first line at or after `from` that starts with `prefix`.
int WaitForLogLineStarting(const std::string& path, const std::string& prefix, size_t from = 0,
                           unsigned timeoutMs = kWait);
// The bytes of a hex line of the log ("HTML 3C68..."): what follows the
// first blank, decoded; nullopt for "NONE" or bad hex.
std::optional<std::string> HexPayload(const std::string& line);

// Clipboard content up to its first NUL; nullopt when the format is absent.
std::optional<std::string> ClipboardHtml();
std::optional<std::string> ClipboardText();
// A format's block whole (as GlobalSize gives it), NULs and all.
std::optional<std::string> ClipboardBlock(UINT format);
// Empties the clipboard so that what a test finds there afterwards is new.
void EmptyTheClipboard();

// The file at a UTF-8 path.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The whole screen as a 24-bit .bmp in the folder named by VANTOR_SHOTS
// (the current folder without it); the file's path, empty on failure.
std::string SaveScreenshot(const std::string& name);

}  // namespace e2e
