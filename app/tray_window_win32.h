// The hidden tray window and the state it holds for the whole run.
#pragma once

#include <windows.h>

#include <shellapi.h>

// The program's icons, loaded at start and destroyed at the end.
extern HICON gProgramIcon;       // large, SM_CXICON
extern HICON gProgramSmallIcon;  // SM_CXSMICON: notification area, captions

// The procedure to give the tray dialog. It initialises the tray on
// WM_INITDIALOG and only then attaches the tray's own message handler, so
// nothing that arrives during initialisation (timer ticks, icon clicks while
// the start-up notice is open) is handled.
INT_PTR CALLBACK TrayWindowStart(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
