// Modal dialogs built from a fixed description in memory, so that every
// dialog of the program is one table of controls and one message handler.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/dialog_icons.h"

struct DialogControl {
    WORD id;
    const char* windowClass;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "SysMonthCal32"...
    std::string text;         // ANSI
    short x, y, cx, cy;       // dialog units
    DWORD style;              // WS_CHILD and WS_VISIBLE are the caller's to give
    DWORD exStyle;
};

struct DialogSpec {
    std::string caption;  // ANSI
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;      // dialog units
    const char* fontName;    // used when style has DS_SETFONT
    WORD pointSize;
    std::vector<DialogControl> controls;
};

// The DLGTEMPLATE and DLGITEMTEMPLATE records, aligned as the dialog manager
// requires; the texts of the description read in `codePage`.
std::vector<WORD> BuildDialogTemplate(const DialogSpec& spec, UINT codePage = CP_ACP);

// DialogBoxIndirectParamA over the built template.
INT_PTR RunModalDialog(HWND owner, const DialogSpec& spec, DLGPROC handler, LPARAM parameter = 0);
// The same for a spec whose texts are UTF-8, with DialogBoxIndirectParamW:
// its controls are Unicode windows, so they show and take any letter.
INT_PTR RunModalDialogW(HWND owner, const DialogSpec& spec, DLGPROC handler, LPARAM parameter = 0);

// The dialog's own icon, small and large, given to this window alone: the
// dialog class, and so its icon, is shared by every dialog of the process,
// the hidden tray window included. A missing icon leaves the class icon.
void ShowDialogIcon(HWND dialog, DialogIconKind kind);

// The screen position of the top-left corner of the owner's client area, or
// (0, 0) when there is no owner: dialogs are placed relative to it.
POINT OwnerClientOrigin(HWND owner);

// Subclasses a control and returns its previous procedure.
WNDPROC SubclassControl(HWND control, WNDPROC procedure);

// The keyboard dialogs (accented capitals, highlighter): their shared style
// and the invisible edit control that catches their keys.
constexpr DWORD kKeyboardDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU |
                                       DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
static_assert(kKeyboardDialogStyle == 0x94C800D4);
constexpr DWORD kKeyboardDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
static_assert(kKeyboardDialogExStyle == 0x10100);
DialogControl KeyCatcherControl(WORD id);
// Subclasses the dialog's key catcher with `procedure`, gives it the focus
// and returns the procedure it had.
WNDPROC CatchKeys(HWND dialog, WORD id, WNDPROC procedure);

// Hides an ended dialog and gives the foreground back to `window`, waiting
// (at most `timeoutMs`) until it is in front: keys injected while a dying
// dialog still has the focus would reach the dialog instead.
void HandForegroundBack(HWND dialog, HWND window, DWORD timeoutMs = 500);
