// The tray window: a hidden dialog that owns the notification icon, the
// popup menu, the hotkeys and the timer that hides it. Its message handling
// is the program's event loop.
#include "app/tray_window_win32.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/command_ids.h"
#include "app/configuration_file.h"
#include "app/hotkey_dispatcher.h"
#include "app/startup_notice.h"
#include "app/startup_shortcut.h"
#include "features/dates/date_configuration.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "platform/files.h"

#if defined(__i386__)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the shell expects the 88-byte notification record");
static_assert(sizeof(MENUITEMINFOA) == 48, "menu item record of the 32-bit layout");
#endif

HICON gProgramIcon;
HICON gProgramSmallIcon;

namespace {

// Process-wide, from start to end.
HMENU gPopupMenu;
NOTIFYICONDATAA gNotifyIconData;

constexpr UINT_PTR kHideTimer = 1;

struct MenuEntry {
    WORD command;
    const char* caption;  // "-" makes a separator
};

// Windows-1252 captions. The features (app/features.h) come after the first
// separator, each with its shortcut after its caption (ShortcutMenuText).
constexpr MenuEntry kMenuBefore[] = {{kEnableCommand, "Enable Vantor"}, {0, "-"}};
constexpr MenuEntry kMenuAfter[] = {
    {0, "-"},
    {kStartWithWindowsCommand, "Start with Windows"},
    {kConfigureCommand, "Configure Vantor"},
    {kExitCommand, "Exit"},
};

// The shell broadcasts this when it has rebuilt the notification area
// (after a restart of Explorer); the icon must then be added again or the
// program cannot be reached.
UINT gTaskbarCreatedMessage;

void SetClassIcons(HWND window) {
    SetClassLongPtrA(window, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(gProgramSmallIcon));
    SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(gProgramIcon));
}

void AddTrayIcon(HWND window) {
    gNotifyIconData = NOTIFYICONDATAA{};
    gNotifyIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gNotifyIconData.hWnd = window;
    gNotifyIconData.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)));
    gNotifyIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    gNotifyIconData.uCallbackMessage = kIconCallback;
    gNotifyIconData.hIcon = gProgramSmallIcon;
    const std::string base = BaseName();
    // The 88-byte record holds a 64-byte tip; the build's own record has a
    // longer field, which the shell would read past the 63rd character.
    constexpr size_t kTipField = 64;
    const size_t length = std::min(base.size(), kTipField - 1);
    std::memcpy(gNotifyIconData.szTip, base.data(), length);
    gNotifyIconData.szTip[length] = '\0';
    Shell_NotifyIconA(NIM_ADD, &gNotifyIconData);
}

void RemoveTrayIcon() { Shell_NotifyIconA(NIM_DELETE, &gNotifyIconData); }

void AppendMenuEntry(HMENU menu, const MenuEntry& entry) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE;
    item.fType = std::strcmp(entry.caption, "-") == 0 ? MFT_SEPARATOR : MFT_STRING;
    item.fState = MFS_ENABLED | MFS_UNCHECKED;
    item.wID = entry.command;
    item.dwTypeData = const_cast<char*>(entry.caption);
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

// The shortcuts' state changes with each registration and the "@" key with
// the layout, so the captions are written again before each showing.
void ShowShortcutCaptions() {
    for (const Feature& feature : kFeatures) {
        std::string caption = feature.name + ShortcutMenuText(feature.command);
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE;
        item.fType = MFT_STRING;
        item.dwTypeData = caption.data();
        SetMenuItemInfoA(gPopupMenu, feature.command, FALSE, &item);
    }
}

// Once a run for each shortcut found taken; the record's first version has
// no balloon, so this one goes with the size of the version that does.
void ShowTakenShortcuts() {
    const std::string lines = NewlyTakenShortcuts();
    if (lines.empty()) return;
    NOTIFYICONDATAA balloon = gNotifyIconData;
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    lstrcpynA(balloon.szInfo, lines.c_str(), sizeof balloon.szInfo);
    lstrcpynA(balloon.szInfoTitle, BaseName().c_str(), sizeof balloon.szInfoTitle);
    Shell_NotifyIconA(NIM_MODIFY, &balloon);
}

void ShowCheckMark(WORD command, bool checked) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = checked ? MFS_CHECKED : 0;
    SetMenuItemInfoA(gPopupMenu, command, FALSE, &item);
}

void ShowEnabledMark() { ShowCheckMark(kEnableCommand, gHotkeysEnabled); }

// The shortcut is the setting, and the user may delete it or move the
// program's folder at any time: it is looked at again before each showing.
void ShowStartupMark() {
    ShowCheckMark(kStartWithWindowsCommand,
                  ShortcutStartsProgram(StartupShortcutPath(), platform::GetModuleFileNameW()));
}

void ToggleStartWithWindows() {
    ShowCheckMark(kStartWithWindowsCommand,
                  ToggleStartupShortcut(StartupShortcutPath(), platform::GetModuleFileNameW()));
}

void BuildTrayMenu() {
    gPopupMenu = CreatePopupMenu();
    for (const MenuEntry& entry : kMenuBefore) AppendMenuEntry(gPopupMenu, entry);
    for (const Feature& feature : kFeatures) AppendMenuEntry(gPopupMenu, {feature.command, feature.name});
    for (const MenuEntry& entry : kMenuAfter) AppendMenuEntry(gPopupMenu, entry);
    ShowEnabledMark();
}

void ShowTrayMenu(HWND window) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ShowShortcutCaptions();
    ShowStartupMark();
    // In front, the menu closes when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(gPopupMenu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

void InitialiseTray(HWND window) {
    gClipboardOwner = window;
    EnsureConfigurationFile();
    MendConfigurationMark();
    ReadDateConfiguration();
    CreateHotkeyAtoms();
    AddTrayIcon(window);
    BuildTrayMenu();
    SetTimer(window, kHideTimer, 0, nullptr);
    if (ShowStartupNotice()) {
        EnableHotkeys(window);
        ShowEnabledMark();
        ShowTakenShortcuts();
    }
}

// The modal loop shows the dialog only when its queue first runs empty, and
// a tick that fell due during the start-up notice is delivered before that:
// hiding then would be undone at once and leave the window on screen. So the
// timer runs on until a tick finds the window shown.
void HideTrayWindow(HWND window) {
    if (!IsWindowVisible(window)) return;
    KillTimer(window, kHideTimer);
    ShowWindow(window, SW_HIDE);
}

void OnIconMouse(HWND window, LPARAM lParam) {
    const UINT event = LOWORD(lParam);
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN) ShowTrayMenu(window);
}

void OnTrayCommand(HWND window, WORD command) {
    if (FeatureOfCommand(command)) {
        DispatchRequest(command);
        return;
    }
    switch (command) {
        case kConfigureCommand: OpenConfigurationForEditing(); break;
        case kStartWithWindowsCommand: ToggleStartWithWindows(); break;
        case kExitCommand: EndDialog(window, 0); break;
        case kEnableCommand:
            ToggleHotkeys(window);
            ShowEnabledMark();
            ShowTakenShortcuts();
            break;
        default: break;
    }
}

void OnTrayDestroy(HWND window) {
    PutBackBeforeExit();
    ReleaseHotkeys(window);
    RemoveTrayIcon();
    DestroyMenu(gPopupMenu);
    gPopupMenu = nullptr;
}

INT_PTR CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (gTaskbarCreatedMessage != 0 && message == gTaskbarCreatedMessage) {
        Shell_NotifyIconA(NIM_ADD, &gNotifyIconData);
        return TRUE;
    }
    switch (message) {
        case WM_TIMER:
            if (!OnClipboardTimer(wParam)) HideTrayWindow(window);
            return TRUE;
        case WM_RENDERFORMAT:
        case WM_RENDERALLFORMATS:
        case WM_DESTROYCLIPBOARD: OnClipboardOwnerMessage(message, static_cast<unsigned>(wParam)); return TRUE;
        case WM_HOTKEY:
            OnHotkey(wParam);
            ShowTakenShortcuts();
            return TRUE;
        case kIconCallback: OnIconMouse(window, lParam); return TRUE;
        case WM_COMMAND: OnTrayCommand(window, LOWORD(wParam)); return TRUE;
        case WM_DESTROY: OnTrayDestroy(window); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK TrayWindowStart(HWND window, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    gTaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    SetClassIcons(window);
    InitialiseTray(window);
    SetWindowLongPtrA(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc));
    return TRUE;
}
