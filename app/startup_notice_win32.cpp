// The start-up notice: a small window laid out in pixels, whose only answer
// is its check box.
#include "app/startup_notice.h"

#include <windows.h>

#include <iterator>
#include <vector>

#include "app/configuration_file.h"
#include "app/dialog_template_win32.h"
#include "app/display_scale_win32.h"
#include "app/tray_window_win32.h"

namespace {

// Set once the notice's answer has been taken, so that it is taken once.
int32_t gNoticeAnswered;

constexpr COLORREF kTeal = 0x00808000;

// Made for the DPI of the notice's monitor, replaced when it moves to another
// and released once the notice has gone.
HBITMAP gPicture;
HFONT gNoticeFont;
HICON gNoticeIcons[2];  // big, small; null where the program's own serve

// The template's units are replaced by pixels when the notice opens; these
// halves only keep the first frame close to the final one.
DialogControl PlacedControl(const PixelPlace& place, const char* windowClass, const char* text, DWORD style) {
    return DialogControl{static_cast<WORD>(place.id),
                         windowClass,
                         text,
                         static_cast<short>(place.x / 2),
                         static_cast<short>(place.y / 2),
                         static_cast<short>(place.cx / 2),
                         static_cast<short>(place.cy / 2),
                         WS_CHILD | WS_VISIBLE | style,
                         0};
}

DialogSpec NoticeSpec() {
    DialogSpec dialog{};
    dialog.caption = BaseName() + " 1.1";
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | DS_MODALFRAME;
    dialog.exStyle = WS_EX_CONTROLPARENT;
    dialog.cx = static_cast<short>(kNoticeLayout.client.cx / 2);
    dialog.cy = static_cast<short>(kNoticeLayout.client.cy / 2);
    dialog.controls = {
        PlacedControl(kNoticePlaces[0], "STATIC", "Vantor is running in the notification zone :", SS_LEFT),
        PlacedControl(kNoticePlaces[1], "STATIC", "#104", SS_BITMAP),
        PlacedControl(kNoticePlaces[2], "STATIC", "Click on its icon to access the program options.", SS_LEFT),
        PlacedControl(kNoticePlaces[3], "BUTTON", " Catch Ctrl+M/D/H and @ key in OneNote",
                      BS_AUTOCHECKBOX | WS_TABSTOP),
        PlacedControl(kNoticePlaces[4], "BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP),
    };
    return dialog;
}

// The GUI font at its 8 points of the monitor's DPI. The stock font is made
// for the system DPI, which another monitor does not share; Wine's is scaled
// from its 96 DPI pixels and rounds half a pixel up, which pushed the hint
// past the end of its label.
HFONT MakeNoticeFont(int dpi) {
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA font{};
    if (GetObjectA(stock, sizeof font, &font) == 0) return nullptr;
    font.lfHeight = -MulDiv(8, dpi, 72);
    font.lfWidth = 0;
    return CreateFontIndirectA(&font);
}

// The text's extent as the control draws it, in the font it is given.
SIZE TextExtent(HWND control, HFONT font) {
    wchar_t text[128] = L"";
    const int length = GetWindowTextW(control, text, static_cast<int>(std::size(text)));
    SIZE extent{};
    HDC context = GetDC(control);
    HGDIOBJ previous = SelectObject(context, font);
    GetTextExtentPoint32W(context, text, length, &extent);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return extent;
}

// What a control shows at `dpi`: its text, and a check box's box and the gap
// after it too.
PixelSize ContentOf(HWND control, const PixelPlace& place, HFONT font, int dpi) {
    if (!place.growsWithText || control == nullptr) return {0, 0};
    SIZE text = TextExtent(control, font);
    if (place.id == kNoticeCatchKeysBox) text.cx += SystemMetricAt(SM_CXMENUCHECK, dpi) + ScalePixels(8, dpi);
    return {static_cast<int>(text.cx), static_cast<int>(text.cy)};
}

// A bitmap static takes the size of its bitmap, so the picture is only
// moved. The answer is the client's size.
PixelSize PlaceControls(HWND dialog, int dpi) {
    HFONT font = MakeNoticeFont(dpi);
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<PixelSize> content;
    for (const PixelPlace& place : kNoticePlaces)
        content.push_back(ContentOf(GetDlgItem(dialog, place.id), place, font, dpi));
    const PlacedDialog placed = LayOutPixelDialog(kNoticeLayout, kNoticePlaces, content, dpi);
    for (size_t i = 0; i < kNoticePlaces.size(); ++i) {
        HWND control = GetDlgItem(dialog, kNoticePlaces[i].id);
        if (control == nullptr) continue;
        const PixelRect& at = placed.controls[i];
        const UINT keepSize = kNoticePlaces[i].id == kNoticePicture ? SWP_NOSIZE : 0;
        SetWindowPos(control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (gNoticeFont != nullptr) DeleteObject(gNoticeFont);
    gNoticeFont = font != GetStockObject(DEFAULT_GUI_FONT) ? font : nullptr;
    return placed.client;
}

// The bitmap at the monitor's scale; at 96 DPI as it is stored.
HBITMAP LoadNoticePicture(int dpi) {
    HANDLE stored = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(104), IMAGE_BITMAP, 0, 0, 0);
    BITMAP size{};
    if (stored == nullptr || dpi == kDefaultDpi || GetObjectA(stored, sizeof size, &size) == 0)
        return static_cast<HBITMAP>(stored);
    return static_cast<HBITMAP>(CopyImage(stored, IMAGE_BITMAP, ScalePixels(size.bmWidth, dpi),
                                          ScalePixels(size.bmHeight, dpi), LR_COPYDELETEORG));
}

// The static loads "#104" itself on most systems, at the bitmap's own size:
// at 96 DPI that is kept. At other scales, or when it has not, it is given
// the bitmap here (what the static loaded stays the static's).
void ShowPicture(HWND dialog, int dpi) {
    const bool loaded = SendDlgItemMessageA(dialog, kNoticePicture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    if (loaded && gPicture == nullptr && dpi == kDefaultDpi) return;
    HBITMAP picture = LoadNoticePicture(dpi);
    if (picture == nullptr) return;
    SendDlgItemMessageA(dialog, kNoticePicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (gPicture != nullptr) DeleteObject(gPicture);
    gPicture = picture;
}

void ReleaseNoticeIcons() {
    for (HICON& icon : gNoticeIcons) {
        if (icon != nullptr) DestroyIcon(icon);
        icon = nullptr;
    }
}

// The program's icons at the icon sizes of the notice's monitor, so that its
// caption and task button are sharp there; the ones loaded at start serve
// on a monitor of the system's DPI.
void SetNoticeIcons(HWND dialog, int dpi) {
    ReleaseNoticeIcons();
    HICON big = gProgramIcon, small = gProgramSmallIcon;
    if (dpi != SystemDpi()) {
        auto load = [dpi](int width, int height) {
            return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5), IMAGE_ICON,
                                                 SystemMetricAt(width, dpi), SystemMetricAt(height, dpi), 0));
        };
        gNoticeIcons[0] = load(SM_CXICON, SM_CYICON);
        gNoticeIcons[1] = load(SM_CXSMICON, SM_CYSMICON);
        if (gNoticeIcons[0] != nullptr) big = gNoticeIcons[0];
        if (gNoticeIcons[1] != nullptr) small = gNoticeIcons[1];
    }
    if (big != nullptr) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small != nullptr) SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// Everything drawn in pixels, at `dpi`; the answer is the frame's size.
PixelSize ScaleNotice(HWND dialog, int dpi) {
    SetNoticeIcons(dialog, dpi);
    const PixelSize client = PlaceControls(dialog, dpi);
    ShowPicture(dialog, dpi);
    return SizeOf(FrameAround(dialog, client, dpi));
}

// The notice has no owner: it opens centred in the work area of the monitor
// the system made it on, at that monitor's DPI.
void InitialiseNotice(HWND dialog) {
    KeepSystemScalingOff(dialog);
    RECT made{};
    GetWindowRect(dialog, &made);
    const PixelSize frame = ScaleNotice(dialog, DpiOf(dialog));
    MoveWindowTo(dialog, CentredIn(frame, WorkAreaAround(PixelRectOf(made))));
    SendDlgItemMessageA(dialog, kNoticeCatchKeysBox, BM_SETCHECK, BST_CHECKED, 0);
    SetForegroundWindow(dialog);
}

void MoveNoticeToDpi(HWND dialog, int dpi, const RECT& suggested) {
    MoveToSuggested(dialog, suggested, ScaleNotice(dialog, dpi));
}

// OK, Esc, the close box and the window's destruction all come here; only
// the first of them decides the answer.
void TakeNoticeAnswer(HWND dialog) {
    if (gNoticeAnswered != 0) return;
    gNoticeAnswered = 1;
    const bool ticked = SendDlgItemMessageA(dialog, kNoticeCatchKeysBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    EndDialog(dialog, ticked ? -1 : 0);
}

INT_PTR ColourHint(HDC context, HWND control) {
    if (GetDlgCtrlID(control) != kNoticeHintLabel) return FALSE;
    SetTextColor(context, kTeal);
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK NoticeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: InitialiseNotice(dialog); return TRUE;
        case WM_CTLCOLORSTATIC: return ColourHint(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED:
            MoveNoticeToDpi(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) TakeNoticeAnswer(dialog);
            return TRUE;
        case WM_DESTROY: TakeNoticeAnswer(dialog); return TRUE;
        default: return FALSE;
    }
}

void ReleaseNoticeImages() {
    if (gPicture != nullptr) DeleteObject(gPicture);
    if (gNoticeFont != nullptr) DeleteObject(gNoticeFont);
    gPicture = nullptr;
    gNoticeFont = nullptr;
    ReleaseNoticeIcons();
}

}  // namespace

int ShowStartupNotice() {
    const INT_PTR result = RunModalDialog(nullptr, NoticeSpec(), &NoticeProc);
    ReleaseNoticeImages();
    return result != 0 ? -1 : 0;
}
