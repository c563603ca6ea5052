// Modal dialogs built from a fixed description in memory, so that every
// dialog of the program is one table of controls and one message handler.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogControl {
    WORD id;
    const char* windowClass;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "SysMonthCal32"...
    std::string text;         // ANSI
    short x, y, cx, cy;       // dialog units
    DWORD style;              // WS_CHILD and WS_VISIBLE are the caller's to give
    DWORD exStyle;
};

// The look every dialog of the program shares, unless its description says
// otherwise: a modal frame with a caption and a close box, "MS Sans Serif" 8.
constexpr DWORD kStandardDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_NOFAILCREATE;
static_assert(kStandardDialogStyle == 0x84C800D4);

struct DialogSpec {
    std::string caption;  // ANSI, or UTF-8 for RunModalDialogW
    DWORD style = kStandardDialogStyle;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    short x = 0, y = 0, cx = 0, cy = 0;      // dialog units
    const char* fontName = "MS Sans Serif";  // used when style has DS_SETFONT
    WORD pointSize = 8;
    std::vector<DialogControl> controls;
};

// DialogBoxIndirectParamA over the built template. The dialog is among the
// open ones (app/open_dialogs.h) from its WM_INITDIALOG until it returns.
INT_PTR RunModalDialog(HWND owner, const DialogSpec& spec, DLGPROC handler);
// The same for a spec whose texts are UTF-8, with DialogBoxIndirectParamW:
// its controls are Unicode windows, so they show and take any letter.
INT_PTR RunModalDialogW(HWND owner, const DialogSpec& spec, DLGPROC handler);
