#include "app/dialog_template_win32.h"

#include "app/open_dialogs.h"
#include "text/encoding.h"

namespace {

void AlignTo(std::vector<WORD>& buffer, size_t bytes) {
    while ((buffer.size() * sizeof(WORD)) % bytes != 0) buffer.push_back(0);
}

void AppendDword(std::vector<WORD>& buffer, DWORD value) {
    buffer.push_back(LOWORD(value));
    buffer.push_back(HIWORD(value));
}

void AppendText(std::vector<WORD>& buffer, const std::string& text, UINT codePage) {
    for (char16_t unit : codePage == CP_UTF8 ? Utf8ToUtf16(text) : AnsiToUtf16(text)) buffer.push_back(unit);
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

// The DLGTEMPLATE and DLGITEMTEMPLATE records, aligned as the dialog manager
// requires; the texts of the description read in `codePage`.
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

// The handler of the dialog being created. Until its WM_INITDIALOG has
// been seen the dialog's messages (WM_SETFONT comes first) go to it; after,
// each dialog's own handler is kept with the dialog, since one may open
// another.
DLGPROC gStartingHandler;

INT_PTR CALLBACK RunningDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto handler = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (handler == nullptr) {
        handler = gStartingHandler;
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(handler));
            NoteDialogOpened(dialog);
        }
    }
    return handler != nullptr ? handler(dialog, message, wParam, lParam) : FALSE;
}

// The dialogs a run opens are open until it returns. A UTF-8 description
// makes Unicode windows, which show and take any letter.
INT_PTR RunModalDialogIn(UINT codePage, HWND owner, const DialogSpec& spec, DLGPROC handler) {
    std::vector<WORD> dialogTemplate = BuildDialogTemplate(spec, codePage);
    const size_t before = OpenDialogCount();
    gStartingHandler = handler;
    const INT_PTR result = codePage == CP_UTF8
                               ? DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                         reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                                         owner, &RunningDialogProcedure, 0)
                               : DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                                         reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                                         owner, &RunningDialogProcedure, 0);
    ForgetDialogsFrom(before);
    return result;
}

}  // namespace

INT_PTR RunModalDialog(HWND owner, const DialogSpec& spec, DLGPROC handler) {
    return RunModalDialogIn(CP_ACP, owner, spec, handler);
}

INT_PTR RunModalDialogW(HWND owner, const DialogSpec& spec, DLGPROC handler) {
    return RunModalDialogIn(CP_UTF8, owner, spec, handler);
}
