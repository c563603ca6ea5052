// Start-up: one copy at a time, then the hidden tray window run as a modal
// dialog, whose message loop is the program's until the user chooses Exit.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/configuration_file.h"
#include "app/dialog_icons.h"
#include "app/dialog_template_win32.h"
#include "app/tray_window_win32.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

// DLLs loaded later (by the shell, the common controls, an icon library)
// come from the system folder only, never from the executable's folder or
// the current one. Older systems lack the call, and go on as before.
void LoadLibrariesFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return;
    auto call = reinterpret_cast<SetDefaultDllDirectoriesCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (call != nullptr) call(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void InitialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

// True when another copy already holds the mutex of this base name. Ours is
// kept, never closed, for the life of the process.
bool AnotherCopyRuns(const std::string& base) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, base.c_str());
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return false;
    CloseHandle(mutex);
    return true;
}

// The program icon at a size the system gives by its metrics, which follow
// the system DPI: the notification area and captions show the small one.
HICON LoadProgramIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
}

void ReleaseProgramIcons() {
    if (gProgramIcon != nullptr) DestroyIcon(gProgramIcon);
    if (gProgramSmallIcon != nullptr) DestroyIcon(gProgramSmallIcon);
    gProgramIcon = gProgramSmallIcon = nullptr;
}

DialogSpec TrayWindowSpec(const std::string& base) {
    DialogSpec dialog{};
    dialog.caption = base;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    dialog.exStyle = 0;
    dialog.cx = 2;
    dialog.cy = 2;
    return dialog;
}

}  // namespace

// Instance, command line and show state are not used: the module handle is
// asked for where needed, and arguments are ignored.
int Main(HINSTANCE, LPSTR, int) {
    const std::string base = BaseName();
    if (AnotherCopyRuns(base)) return 0;
    InitialiseCommonControls();
    gProgramIcon = LoadProgramIcon(SM_CXICON, SM_CYICON);
    gProgramSmallIcon = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
    RunModalDialog(nullptr, TrayWindowSpec(base), &TrayWindowStart);
    ReleaseDialogIcons();
    ReleaseProgramIcons();
    return 0;
}

// An exception nobody catches ends the program either way. The library's
// own handler would first print its demangled type to a console a tray
// program does not have, and its demangler alone is a tenth of the file.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    LoadLibrariesFromSystemFolderOnly();
    return Main(instance, commandLine, show);
}
