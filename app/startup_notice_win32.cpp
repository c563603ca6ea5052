// The start-up notice: a small window laid out in pixels, whose only answer
// is its check box.
#include "app/startup_notice.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "app/configuration_file.h"
#include "app/dialog_template_win32.h"
#include "app/display_scale_win32.h"
#include "app/tray_window_win32.h"

namespace {

// Set once the notice's answer has been taken, so that it is taken once.
int32_t gNoticeAnswered;

constexpr int kClientWidth = 270;
constexpr int kClientHeight = 184;
constexpr int kRightMargin = 6;  // right of the labels, which end at 264
constexpr COLORREF kTeal = 0x00808000;

enum : WORD {
    kOkButton = IDOK,
    kCancel = IDCANCEL,
};

struct PixelPlace {
    WORD id;
    int x, y, cx, cy;
};

constexpr PixelPlace kPlaces[] = {
    {kRunningLabel, 8, 8, 256, 16},
    {kPicture, 24, 32, 187, 31},
    {kHintLabel, 8, 90, 256, 16},
    {kCatchKeysBox, 8, 118, 256, 16},
    {kOkButton, 166, 150, 82, 24},
};

// Released once the notice has gone.
HBITMAP gPicture;
HFONT gScaledFont;

// The template's units are replaced by pixels when the notice opens; these
// halves only keep the first frame close to the final one.
DialogControl PlacedControl(const PixelPlace& place, const char* windowClass, const char* text,
                            DWORD style) {
    return DialogControl{place.id,
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
    dialog.cx = kClientWidth / 2;
    dialog.cy = kClientHeight / 2;
    dialog.controls = {
        PlacedControl(kPlaces[0], "STATIC", "Vantor is running in the notification zone :", SS_LEFT),
        PlacedControl(kPlaces[1], "STATIC", "#104", SS_BITMAP),
        PlacedControl(kPlaces[2], "STATIC", "Click on its icon to access the program options.", SS_LEFT),
        PlacedControl(kPlaces[3], "BUTTON", " Catch Ctrl+M/D/H and @ key in OneNote",
                      BS_AUTOCHECKBOX | WS_TABSTOP),
        PlacedControl(kPlaces[4], "BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP),
    };
    return dialog;
}

void CentreClientInWorkArea(HWND dialog, int clientWidth) {
    RECT frame = {0, 0, clientWidth, ScaledPixels(kClientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The GUI font, at other scales than 96 DPI made at its 8 points of the
// system DPI: Wine's stock font is scaled from its 96 DPI pixels and rounds
// half a pixel up, which pushes the hint past the end of its label.
HFONT NoticeFont() {
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA font{};
    if (SystemDpi() == kDefaultDpi || GetObjectA(stock, sizeof font, &font) == 0) return static_cast<HFONT>(stock);
    font.lfHeight = -MulDiv(8, SystemDpi(), 72);
    gScaledFont = CreateFontIndirectA(&font);
    return gScaledFont != nullptr ? gScaledFont : static_cast<HFONT>(stock);
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

// A text is never cut: its control grows past its place to the text's
// width (the check box's by its box and the gap after it too) and height.
SIZE NeededSize(HWND control, const PixelPlace& place, HFONT font) {
    SIZE size = {ScaledPixels(place.cx), ScaledPixels(place.cy)};
    if (place.id == kPicture || place.id == kOkButton) return size;
    SIZE text = TextExtent(control, font);
    if (place.id == kCatchKeysBox) text.cx += GetSystemMetrics(SM_CXMENUCHECK) + ScaledPixels(8);
    return SIZE{std::max(size.cx, text.cx), std::max(size.cy, text.cy)};
}

// A bitmap static takes the size of its bitmap, so the picture is only moved.
// The client widens for the widest text, and the OK button keeps its place
// from the right edge. The answer is the client's width.
int PlaceControls(HWND dialog) {
    HFONT font = NoticeFont();
    SIZE sizes[std::size(kPlaces)] = {};
    int clientWidth = ScaledPixels(kClientWidth);
    for (size_t i = 0; i < std::size(kPlaces); ++i) {
        sizes[i] = NeededSize(GetDlgItem(dialog, kPlaces[i].id), kPlaces[i], font);
        clientWidth = std::max(clientWidth, ScaledPixels(kPlaces[i].x) + static_cast<int>(sizes[i].cx) + ScaledPixels(kRightMargin));
    }
    const int shift = clientWidth - ScaledPixels(kClientWidth);
    for (size_t i = 0; i < std::size(kPlaces); ++i) {
        const PixelPlace& place = kPlaces[i];
        HWND control = GetDlgItem(dialog, place.id);
        if (control == nullptr) continue;
        const UINT keepSize = place.id == kPicture ? SWP_NOSIZE : 0;
        const int x = ScaledPixels(place.x) + (place.id == kOkButton ? shift : 0);
        SetWindowPos(control, nullptr, x, ScaledPixels(place.y), sizes[i].cx, sizes[i].cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return clientWidth;
}

// The bitmap at the system's scale; at 96 DPI as it is stored.
HBITMAP LoadNoticePicture() {
    HANDLE stored = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(104), IMAGE_BITMAP, 0, 0, 0);
    BITMAP size{};
    if (stored == nullptr || SystemDpi() == kDefaultDpi || GetObjectA(stored, sizeof size, &size) == 0)
        return static_cast<HBITMAP>(stored);
    return static_cast<HBITMAP>(CopyImage(stored, IMAGE_BITMAP, ScaledPixels(size.bmWidth),
                                          ScaledPixels(size.bmHeight), LR_COPYDELETEORG));
}

// The static loads "#104" itself on most systems, at the bitmap's own size:
// at 96 DPI that is kept. At other scales, or when it has not, it is given
// the bitmap here (what the static loaded stays the static's).
void ShowPicture(HWND dialog) {
    const bool loaded = SendDlgItemMessageA(dialog, kPicture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    if (loaded && SystemDpi() == kDefaultDpi) return;
    gPicture = LoadNoticePicture();
    if (gPicture != nullptr)
        SendDlgItemMessageA(dialog, kPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(gPicture));
}

// The program's own icons, already loaded at the system's icon sizes, so
// that the notice's caption and task button are sharp at any display scale.
void SetNoticeIcons(HWND dialog) {
    if (gProgramIcon != nullptr) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(gProgramIcon));
    if (gProgramSmallIcon != nullptr)
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(gProgramSmallIcon));
}

void InitialiseNotice(HWND dialog) {
    SetNoticeIcons(dialog);
    CentreClientInWorkArea(dialog, PlaceControls(dialog));
    ShowPicture(dialog);
    SendDlgItemMessageA(dialog, kCatchKeysBox, BM_SETCHECK, BST_CHECKED, 0);
    SetForegroundWindow(dialog);
}

// OK, Esc, the close box and the window's destruction all come here; only
// the first of them decides the answer.
void TakeNoticeAnswer(HWND dialog) {
    if (gNoticeAnswered != 0) return;
    gNoticeAnswered = 1;
    const bool ticked = SendDlgItemMessageA(dialog, kCatchKeysBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    EndDialog(dialog, ticked ? -1 : 0);
}

INT_PTR ColourHint(HDC context, HWND control) {
    if (GetDlgCtrlID(control) != kHintLabel) return FALSE;
    SetTextColor(context, kTeal);
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK NoticeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitialiseNotice(dialog);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return ColourHint(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            if (LOWORD(wParam) == kOkButton || LOWORD(wParam) == kCancel) TakeNoticeAnswer(dialog);
            return TRUE;
        case WM_DESTROY:
            TakeNoticeAnswer(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

void ReleaseNoticeImages() {
    if (gPicture != nullptr) DeleteObject(gPicture);
    if (gScaledFont != nullptr) DeleteObject(gScaledFont);
    gPicture = nullptr;
    gScaledFont = nullptr;
}

}  // namespace

int ShowStartupNotice() {
    const INT_PTR result = RunModalDialog(nullptr, NoticeSpec(), &NoticeProc);
    ReleaseNoticeImages();
    return result != 0 ? -1 : 0;
}
