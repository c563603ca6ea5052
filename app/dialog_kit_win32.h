// The chores every dialog of the program shares, written once: where it
// opens, the text of its controls, how it signals a refusal, the key
// catcher of the keyboard dialogs, and how it ends before keys are sent.
// Each dialog file then holds its own layout and handler.
#pragma once

#include <windows.h>

#include <string>

#include "app/dialog_icons.h"
#include "app/dialog_template_win32.h"

// ---- Placement ----

// Dialogs open at this offset from their owner's client corner, in the
// dialog's own units (or in pixels for a dialog laid out in pixels): over
// the note, below and right of where the user was typing.
constexpr POINT kOwnerOffset = {310, 210};

POINT DialogUnitsToPixels(HWND dialog, POINT units);

// Puts the dialog's frame corner at `offset` pixels from its owner's client
// corner (the screen's corner when it has none), then keeps it inside the
// work area of the owner's screen: an owner that is not maximised would
// otherwise push the dialog partly off screen.
void PlaceOverOwner(HWND dialog, POINT offset);

// Moves the dialog, as little as it must, so that it lies inside the work
// area of its owner's screen (its own when it has no owner); one larger
// than the work area keeps its top-left corner in it.
void KeepInsideWorkArea(HWND dialog);

// The work area of the screen that holds most of `window`.
RECT WorkAreaOf(HWND window);

// ---- Icon ----
// The dialog's own icon, small and large, given to this window alone: the
// dialog class, and so its icon, is shared by every dialog of the process,
// the hidden tray window included. A missing icon leaves the class icon.
void ShowDialogIcon(HWND dialog, platform::IconHandle icon);

// ---- Text ----

// The program's UTF-8 text and the controls' UTF-16.
std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const wchar_t* text, size_t units);
std::string WindowTextUtf8(HWND window);
std::string ControlTextUtf8(HWND dialog, int id);

// ---- Signals ----

// A refused entry: the caption flashes twice, no sound, no box.
void FlashCaption(HWND dialog);

// ---- The keyboard dialogs (accented capitals, highlighter) ----

// Their style and the invisible edit control that catches their keys.
constexpr DWORD kKeyboardDialogStyle = kStandardDialogStyle | WS_VISIBLE;
static_assert(kKeyboardDialogStyle == 0x94C800D4);
constexpr DWORD kKeyboardDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
static_assert(kKeyboardDialogExStyle == 0x10100);
DialogControl KeyCatcherControl(WORD id);
// Subclasses the dialog's key catcher with `procedure`, gives it the focus
// and returns the procedure it had.
WNDPROC CatchKeys(HWND dialog, WORD id, WNDPROC procedure);

// ---- Ending ----

// Ends the dialog with `result` and puts its owner back in front before
// the caller goes on to send keys: a dialog ended from its own handling
// keeps the focus until that handling returns, and keys injected meanwhile
// would reach the dying dialog instead of the note. The dialog is hidden at
// once; the owner is waited for (at most half a second).
void EndDialogForOwner(HWND dialog, INT_PTR result);
