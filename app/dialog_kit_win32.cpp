#include "app/dialog_kit_win32.h"

#include <algorithm>

#include "app/display_scale_win32.h"
#include "text/encoding.h"

namespace {

constexpr DWORD kForegroundWaitMs = 500;

POINT OwnerClientOrigin(HWND owner) {
    POINT origin = {0, 0};
    if (owner != nullptr) ClientToScreen(owner, &origin);
    return origin;
}

// Timed by the clock: a wait of 10 ms lasts a whole timer tick.
void WaitUntilInFront(HWND window) {
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; GetForegroundWindow() != window && waited < kForegroundWaitMs;
         waited = GetTickCount() - start) {
        // Let the messages other threads send us (activation) through, and
        // leave posted ones for the loop that owns them.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(std::min<DWORD>(10, kForegroundWaitMs - waited));
    }
}

}  // namespace

POINT DialogUnitsToPixels(HWND dialog, POINT units) {
    RECT place = {units.x, units.y, 0, 0};
    MapDialogRect(dialog, &place);
    return {place.left, place.top};
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(MONITORINFO);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return {0, 0, 0, 0};
    return monitor.rcWork;
}

void KeepInsideWorkArea(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT work = WorkAreaOf(owner != nullptr ? owner : dialog), place;
    if (work.bottom <= work.top || !GetWindowRect(dialog, &place)) return;
    const PixelRect kept = KeepInside(PixelRectOf(place), PixelRectOf(work));
    if (kept.left != place.left || kept.top != place.top)
        SetWindowPos(dialog, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceOverOwner(HWND dialog, POINT offset) {
    const POINT origin = OwnerClientOrigin(GetWindow(dialog, GW_OWNER));
    SetWindowPos(dialog, nullptr, origin.x + offset.x, origin.y + offset.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepInsideWorkArea(dialog);
}

void ShowDialogIcon(HWND dialog, platform::IconHandle icon) {
    if (icon == nullptr) return;
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

std::wstring WideOf(const std::string& utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Utf8Of(const wchar_t* text, size_t units) {
    return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), units));
}

std::string WindowTextUtf8(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return Utf8Of(text.data(), copied > 0 ? copied : 0);
}

std::string ControlTextUtf8(HWND dialog, int id) { return WindowTextUtf8(GetDlgItem(dialog, id)); }

void FlashCaption(HWND dialog) {
    FLASHWINFO flash{};
    flash.cbSize = sizeof(FLASHWINFO);
    flash.hwnd = dialog;
    flash.dwFlags = FLASHW_CAPTION;
    flash.uCount = 2;
    flash.dwTimeout = 100;
    FlashWindowEx(&flash);
}

DialogControl KeyCatcherControl(WORD id) {
    return {id, "EDIT", "", -1, -1, 0, 0, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0};
}

WNDPROC CatchKeys(HWND dialog, WORD id, WNDPROC procedure) {
    HWND edit = GetDlgItem(dialog, id);
    auto previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    SetFocus(edit);
    return previous;
}

void EndDialogForOwner(HWND dialog, INT_PTR result) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    EndDialog(dialog, result);
    ShowWindow(dialog, SW_HIDE);
    if (owner == nullptr) return;
    SetForegroundWindow(owner);
    WaitUntilInFront(owner);
}
