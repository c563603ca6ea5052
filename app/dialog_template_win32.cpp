#include "app/dialog_template_win32.h"

namespace {

void AlignTo(std::vector<WORD>& buffer, size_t bytes) {
    while ((buffer.size() * sizeof(WORD)) % bytes != 0) buffer.push_back(0);
}

void AppendDword(std::vector<WORD>& buffer, DWORD value) {
    buffer.push_back(LOWORD(value));
    buffer.push_back(HIWORD(value));
}

void AppendText(std::vector<WORD>& buffer, const std::string& text, UINT codePage) {
    if (!text.empty()) {
        int units = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(units, L'\0');
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
        for (wchar_t unit : wide) buffer.push_back(static_cast<WORD>(unit));
    }
    buffer.push_back(0);
}

void AppendControl(std::vector<WORD>& buffer, const DialogControl& control, UINT codePage) {
    AlignTo(buffer, sizeof(DWORD));
    AppendDword(buffer, control.style);
    AppendDword(buffer, control.exStyle);
    buffer.push_back(static_cast<WORD>(control.x));
    buffer.push_back(static_cast<WORD>(control.y));
    buffer.push_back(static_cast<WORD>(control.cx));
    buffer.push_back(static_cast<WORD>(control.cy));
    buffer.push_back(control.id);
    AppendText(buffer, control.windowClass, CP_ACP);
    AppendText(buffer, control.text, codePage);
    buffer.push_back(0);  // no creation data
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogSpec& spec, UINT codePage) {
    std::vector<WORD> buffer;
    AppendDword(buffer, spec.style);
    AppendDword(buffer, spec.exStyle);
    buffer.push_back(static_cast<WORD>(spec.controls.size()));
    buffer.push_back(static_cast<WORD>(spec.x));
    buffer.push_back(static_cast<WORD>(spec.y));
    buffer.push_back(static_cast<WORD>(spec.cx));
    buffer.push_back(static_cast<WORD>(spec.cy));
    buffer.push_back(0);  // no menu
    buffer.push_back(0);  // the system dialog class
    AppendText(buffer, spec.caption, codePage);
    if (spec.style & DS_SETFONT) {
        buffer.push_back(spec.pointSize);
        AppendText(buffer, spec.fontName ? spec.fontName : "MS Sans Serif", CP_ACP);
    }
    for (const DialogControl& control : spec.controls) AppendControl(buffer, control, codePage);
    return buffer;
}

INT_PTR RunModalDialog(HWND owner, const DialogSpec& spec, DLGPROC handler, LPARAM parameter) {
    std::vector<WORD> dialogTemplate = BuildDialogTemplate(spec);
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner,
                                   handler, parameter);
}

INT_PTR RunModalDialogW(HWND owner, const DialogSpec& spec, DLGPROC handler, LPARAM parameter) {
    std::vector<WORD> dialogTemplate = BuildDialogTemplate(spec, CP_UTF8);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                   handler, parameter);
}

void ShowDialogIcon(HWND dialog, DialogIconKind kind) {
    HICON icon = static_cast<HICON>(DialogIcon(kind));
    if (icon == nullptr) return;
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

POINT OwnerClientOrigin(HWND owner) {
    POINT origin = {0, 0};
    if (owner != nullptr) ClientToScreen(owner, &origin);
    return origin;
}

WNDPROC SubclassControl(HWND control, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

DialogControl KeyCatcherControl(WORD id) {
    return {id, "EDIT", "", -1, -1, 0, 0, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0};
}

WNDPROC CatchKeys(HWND dialog, WORD id, WNDPROC procedure) {
    HWND edit = GetDlgItem(dialog, id);
    WNDPROC previous = SubclassControl(edit, procedure);
    SetFocus(edit);
    return previous;
}

void HandForegroundBack(HWND dialog, HWND window, DWORD timeoutMs) {
    ShowWindow(dialog, SW_HIDE);
    if (window == nullptr) return;
    SetForegroundWindow(window);
    for (DWORD waited = 0; GetForegroundWindow() != window && waited < timeoutMs; waited += 10) {
        // Let the messages other threads send us (activation) through, and
        // leave posted ones for the loop that owns them.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(10);
    }
}
