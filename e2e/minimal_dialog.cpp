// The smallest program of Vantor's kind: one modal dialog from a template in
// memory, ended by OK or its close box. It is what the start-up benchmark
// measures Vantor against.
#include <windows.h>

#include <cstddef>

namespace {

// DLGTEMPLATE, no menu, the dialog class, its caption, then one button.
struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    wchar_t caption[15];
    DLGITEMTEMPLATE button;
    WORD buttonClass[2];
    wchar_t buttonText[3];
    WORD extra;
};
// The dialog manager reads the records as packed WORDs, items on DWORDs.
static_assert(offsetof(Template, caption) == sizeof(DLGTEMPLATE) + 4);
static_assert(offsetof(Template, button) % 4 == 0);
static_assert(offsetof(Template, buttonClass) == offsetof(Template, button) + sizeof(DLGITEMTEMPLATE));

INT_PTR CALLBACK MinimalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Template t{};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.dialog.cdit = 1;
    t.dialog.cx = 135;
    t.dialog.cy = 92;
    lstrcpyW(t.caption, L"Minimal dialog");
    t.button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    t.button.x = 83;
    t.button.y = 75;
    t.button.cx = 41;
    t.button.cy = 12;
    t.button.id = IDOK;
    t.buttonClass[0] = 0xFFFF;
    t.buttonClass[1] = 0x0080;  // BUTTON
    lstrcpyW(t.buttonText, L"OK");
    DialogBoxIndirectParamW(instance, &t.dialog, nullptr, MinimalProc, 0);
    return 0;
}
