// The date picker: a month calendar in a small window laid out in pixels. A
// date clicked twice is formatted, left on the clipboard as HTML, and the
// dialog ends so that the dispatcher pastes it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/dialog_kit_win32.h"
#include "app/display_scale_win32.h"
#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#include "features/dates/date_picker_dialog.h"
#include "features/dates/two_click_rule.h"
#include "inject/html_clipboard.h"
#include "platform/clock.h"

namespace {

// Posted on NM_RELEASEDCAPTURE: Windows reports the new selection before the
// end of the click, Wine after it. Deciding once the calendar has finished
// with the click sees the same order on both.
constexpr UINT kClickEnded = WM_APP + 1;

// Set afresh by each dialog; the last clicked text (gLastClickedText) is not.
std::string gSelectedText;
std::string gViewText;
std::string gPreviousViewText;
SYSTEMTIME gMonthRange[2];
// Only a date actually placed on the clipboard makes the dialog answer -1: a
// dialog that failed to open also gives -1, and must not make the caller paste.
bool gInserted;
platform::IconHandle gIcon;

std::string FormatDay(const SYSTEMTIME& day) { return FormatDate(day.wYear, day.wMonth, day.wDay, gDateFormat); }

// The template's units are replaced by pixels when the dialog opens; these
// halves only keep the first frame close to the final one.
DialogSpec DatePickerSpec() {
    DialogSpec dialog{};
    dialog.caption = "Date Picker";
    dialog.style = kStandardDialogStyle | WS_VISIBLE;
    dialog.cx = static_cast<short>(kDatePickerLayout.client.cx / 2);
    dialog.cy = static_cast<short>(kDatePickerLayout.client.cy / 2);
    dialog.controls = {
        {IDCANCEL, "BUTTON", "Cancel", 0, 0, 0, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0},
        {kDatePickerCalendar, "SysMonthCal32", "", 0, 0, dialog.cx, dialog.cy, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
         WS_EX_CLIENTEDGE},
    };
    return dialog;
}

PlacedDialog LayOut(int dpi) { return LayOutPixelDialog(kDatePickerLayout, kDatePickerPlaces, {}, dpi); }

void PlaceControls(HWND dialog, const PlacedDialog& placed) {
    SetWindowPos(GetDlgItem(dialog, IDCANCEL), nullptr, -2, -2, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    const PixelRect& calendar = placed.controls[0];
    SetWindowPos(GetDlgItem(dialog, kDatePickerCalendar), nullptr, calendar.left, calendar.top,
                 calendar.right - calendar.left, calendar.bottom - calendar.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Laid out in pixels at the dialog's own DPI: the system makes it at its
// owner's client corner, so on the owner's monitor, where it stays. The
// owner's DPI would not do: a program that is not per-monitor aware is told
// 96 or the system's whatever its monitor. The client's corner, not the
// frame's, sits at the owner's offset counted in pixels.
void PlaceDialog(HWND dialog, int dpi) {
    const PlacedDialog placed = LayOut(dpi);
    PlaceControls(dialog, placed);
    const PixelRect frame = FrameAround(dialog, placed.client, dpi);
    const PixelSize size = SizeOf(frame);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A move onto another monitor lays it out again (WM_DPICHANGED).
    PlaceOverOwner(dialog,
                   {ScalePixels(kOwnerOffset.x, dpi) + frame.left, ScalePixels(kOwnerOffset.y, dpi) + frame.top});
}

// Dragged to a monitor of another DPI: the calendar takes the pixels of the
// new one.
void MoveToDpi(HWND dialog, int dpi, const RECT& suggested) {
    const PlacedDialog placed = LayOut(dpi);
    MoveToSuggested(dialog, suggested, SizeOf(FrameAround(dialog, placed.client, dpi)));
    PlaceControls(dialog, placed);
}

std::string FetchViewText(HWND dialog) {
    SendDlgItemMessageA(dialog, kDatePickerCalendar, MCM_GETMONTHRANGE, GMR_VISIBLE,
                        reinterpret_cast<LPARAM>(gMonthRange));
    return FormatDay(gMonthRange[0]);
}

void InitialiseDatePicker(HWND dialog) {
    KeepSystemScalingOff(dialog);
    PlaceDialog(dialog, DpiOf(dialog));
    ShowDialogIcon(dialog, gIcon);
    platform::LocalDate today = platform::GetLocalTime();
    gSelectedText = FormatDate(today.year, today.month, today.day, gDateFormat);
    gViewText = FetchViewText(dialog);
    gPreviousViewText = gViewText;
}

void TakeSelection(const NMSELCHANGE& change) { gSelectedText = FormatDay(change.stSelStart); }

void FinishClick(HWND dialog) {
    gViewText = FetchViewText(dialog);
    if (DecideClickEnd(gSelectedText, gViewText, gPreviousViewText, gLastClickedText) != ClickEnd::Insert) return;
    // A date the clipboard would not take (held by another program past the
    // wait) ends the picker as if abandoned: a paste would bring back
    // whatever the user copied last.
    gInserted = PutHtmlFragment(gSelectedText);
    EndDialogForOwner(dialog, gInserted ? -1 : 0);
}

void HandleNotification(HWND dialog, const NMHDR& header) {
    if (header.idFrom != kDatePickerCalendar) return;
    switch (header.code) {
        case MCN_SELCHANGE: TakeSelection(reinterpret_cast<const NMSELCHANGE&>(header)); break;
        case NM_RELEASEDCAPTURE: PostMessageA(dialog, kClickEnded, 0, 0); break;
        default: break;
    }
}

INT_PTR CALLBACK DatePickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: InitialiseDatePicker(dialog); return TRUE;
        case WM_DPICHANGED: MoveToDpi(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
        case WM_NOTIFY: HandleNotification(dialog, *reinterpret_cast<const NMHDR*>(lParam)); return TRUE;
        case kClickEnded: FinishClick(dialog); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int DatePickerDialog(platform::WindowHandle owner, platform::IconHandle icon) {
    ReadDateConfiguration();
    gIcon = icon;
    gInserted = false;
    RunModalDialog(static_cast<HWND>(owner), DatePickerSpec(), &DatePickerProc);
    return gInserted ? -1 : 0;
}
