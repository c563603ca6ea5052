// The line highlighter's dialog: a strip of numbered swatches, one for each
// colour, and an invisible edit control that catches the keypad key
// choosing one.
#include <windows.h>

#include <iterator>
#include <string>

#include "app/dialog_kit_win32.h"
#include "app/display_scale_win32.h"
#include "features/highlight/highlight_dialog.h"
#include "features/highlight/highlight_line.h"

namespace {

constexpr int kSwatchStep = 40;
constexpr int kSwatches = static_cast<int>(std::size(kHighlightColours));
constexpr COLORREF kSwatchBorder = RGB(201, 201, 201);
constexpr COLORREF kCrossLine = RGB(200, 0, 0);

WNDPROC gEditProcedure;
// Whether the last colour key got its line onto the clipboard: only then is
// there anything to paste.
bool gLinePlaced;
// The colour chosen by the last key-down, or empty.
std::string gPendingColour;
platform::IconHandle gIcon;

DialogSpec HighlightDialogSpec() {
    DialogSpec dialog{};
    dialog.caption = "Highlight line";
    dialog.style = kKeyboardDialogStyle | DS_CENTER;
    dialog.exStyle = kKeyboardDialogExStyle;
    // The control, in dialog units, is at least as wide as the strip drawn in it.
    dialog.cx = kSwatchStep * kSwatches + 4;
    dialog.cy = 32;
    dialog.controls = {
        {kHighlightStrip, "STATIC", "", 2, 7, kSwatchStep * kSwatches, 20, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0},
        KeyCatcherControl(kHighlightKeyCatcher),
    };
    return dialog;
}

// The strip is drawn in the pixels of a 96 DPI screen, scaled to the DPI of
// the monitor it is on (the system sizes the control itself, as every
// control of a dialog in dialog units): a point of the strip at `x`, `y` from
// its corner.
POINT StripPoint(POINT origin, int dpi, int x, int y) {
    return {origin.x + ScalePixels(x, dpi), origin.y + ScalePixels(y, dpi)};
}

void DrawSwatch(HDC context, POINT origin, int dpi, int k) {
    const HighlightColour& colour = kHighlightColours[k];
    const int left = kSwatchStep * k;
    const char label[3] = {static_cast<char>('0' + k), ':', 0};
    const POINT labelAt = StripPoint(origin, dpi, left + 5, 5);
    TextOutA(context, labelAt.x, labelAt.y, label, 2);

    HPEN border = CreatePen(PS_SOLID, ScalePixels(1, dpi), kSwatchBorder);
    HBRUSH fill = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    HGDIOBJ oldPen = SelectObject(context, border);
    HGDIOBJ oldBrush = SelectObject(context, fill);
    const POINT topLeft = StripPoint(origin, dpi, left + 15, 0), bottomRight = StripPoint(origin, dpi, left + 35, 20);
    Rectangle(context, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    SelectObject(context, oldBrush);
    SelectObject(context, oldPen);
    DeleteObject(fill);
    DeleteObject(border);
}

// "Transparent" is shown as white struck through in red.
void DrawCross(HDC context, POINT origin, int dpi) {
    HPEN cross = CreatePen(PS_SOLID, ScalePixels(3, dpi), kCrossLine);
    HGDIOBJ oldPen = SelectObject(context, cross);
    const POINT from = StripPoint(origin, dpi, 15, 20), to = StripPoint(origin, dpi, 35, 0);
    MoveToEx(context, from.x, from.y, nullptr);
    LineTo(context, to.x, to.y);
    SelectObject(context, oldPen);
    DeleteObject(cross);
}

INT_PTR DrawStrip(const DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlID != kHighlightStrip) return FALSE;
    HDC context = item->hDC;
    const POINT origin = {item->rcItem.left, item->rcItem.top};
    const int saved = SaveDC(context);
    FillRect(context, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(item->hwndItem), WM_GETFONT, 0, 0));
    if (font != nullptr) SelectObject(context, font);
    SetTextColor(context, RGB(0, 0, 0));
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetBkMode(context, OPAQUE);
    const int dpi = DpiOf(item->hwndItem);
    for (int k = 0; k < kSwatches; ++k) DrawSwatch(context, origin, dpi, k);
    DrawCross(context, origin, dpi);
    RestoreDC(context, saved);
    return TRUE;
}

void HighlightWithPendingColour(HWND edit) {
    const std::string colour = gPendingColour;
    HWND dialog = GetParent(edit);
    HWND owner = GetParent(dialog);
    EndDialogForOwner(dialog, -1);
    gLinePlaced = HighlightCurrentLine(owner, colour);
    gPendingColour.clear();
}

LRESULT CALLBACK KeyCatcherProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN: gPendingColour = HighlightColourForKey(static_cast<unsigned>(wParam)); break;
        case WM_KEYUP:
            if (!gPendingColour.empty()) HighlightWithPendingColour(edit);
            break;
        default: break;
    }
    return CallWindowProcA(gEditProcedure, edit, message, wParam, lParam);
}

INT_PTR InitialiseHighlightDialog(HWND dialog) {
    ShowDialogIcon(dialog, gIcon);
    gEditProcedure = CatchKeys(dialog, kHighlightKeyCatcher, &KeyCatcherProcedure);
    return FALSE;  // the focus is set
}

// A colour whose key went down but never came up in this dialog (Esc
// pressed while holding it) must not be applied by the next dialog's first
// key-up: the user chose nothing there.
void CancelHighlight(HWND dialog) {
    gPendingColour.clear();
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK HighlightDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return InitialiseHighlightDialog(dialog);
        case WM_DRAWITEM: return DrawStrip(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            CancelHighlight(dialog);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int HighlightLineDialog(platform::WindowHandle owner, platform::IconHandle icon) {
    gLinePlaced = false;
    gIcon = icon;
    const INT_PTR result = RunModalDialog(static_cast<HWND>(owner), HighlightDialogSpec(), &HighlightDialogProcedure);
    return result == -1 && gLinePlaced ? -1 : 0;
}
