// New company: acronym, name and e-mail extension, stored as soon as all
// three hold. A field that does not is only signalled: the caption flashes
// and the field gets the focus.
#include <windows.h>

#include <string>

#include "app/dialog_template_win32.h"
#include "features/contacts/company_validation.h"
#include "features/contacts/contact_dialogs.h"
#include "features/contacts/contact_store.h"
#include "features/contacts/dialog_text_win32.h"

namespace {

enum : WORD { kAcronymField = 201, kCompanyField = 202, kExtensionField = 203 };

DialogSpec NewCompanySpec() {
    DialogSpec dialog{};
    dialog.caption = "New company";
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | DS_MODALFRAME | DS_3DLOOK |
                   DS_SETFONT | DS_NOFAILCREATE;
    dialog.exStyle = WS_EX_CONTROLPARENT;
    dialog.cx = 300;
    dialog.cy = 155;
    dialog.fontName = "MS Sans Serif";
    dialog.pointSize = 8;
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT;
    const DWORD field = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    dialog.controls = {
        {101, "STATIC", "Company Acronym (e.g. MS, Y!) :", 8, 16, 208, 16, label, 0},
        {kAcronymField, "EDIT", "", 224, 12, 64, 20, field, 0},
        {102, "STATIC", "Company Name (Microsoft, Yahoo) :", 8, 48, 184, 16, label, 0},
        {kCompanyField, "EDIT", "", 192, 44, 96, 20, field, 0},
        {103, "STATIC", "Email extension (\"@yahoo.com\") :", 8, 80, 184, 16, label, 0},
        {kExtensionField, "EDIT", "@", 192, 76, 96, 20, field, 0},
        {IDCANCEL, "BUTTON", "Cancel", 120, 120, 72, 24, button | BS_PUSHBUTTON, 0},
        {IDOK, "BUTTON", "OK", 216, 120, 72, 24, button | BS_DEFPUSHBUTTON, 0},
    };
    return dialog;
}

std::string FieldText(HWND dialog, int id) { return WindowTextUtf8(GetDlgItem(dialog, id)); }

void SignalField(HWND dialog, int id) {
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, id));
    FLASHWINFO flash{};
    flash.cbSize = sizeof(FLASHWINFO);
    flash.hwnd = dialog;
    flash.dwFlags = FLASHW_CAPTION;
    flash.uCount = 2;
    flash.dwTimeout = 100;
    FlashWindowEx(&flash);
}

void StoreCompany(HWND dialog) {
    CompanyInput input = ValidateNewCompany(FieldText(dialog, kAcronymField), FieldText(dialog, kCompanyField),
                                            FieldText(dialog, kExtensionField), gDomains);
    if (input.failed != CompanyField::None) {
        SignalField(dialog, static_cast<int>(input.failed));
        return;
    }
    if (!AddDomainEntry(input.acronym, input.companyName, input.emailExtension))
        ReportNotKept(dialog, input.companyName + " (" + input.acronym + ")");
    EndDialog(dialog, static_cast<INT_PTR>(gDomains.size()));
}

void InitialiseNewCompany(HWND dialog) {
    ShowDialogIcon(dialog, DialogIconKind::NewCompany);
    SetForegroundWindow(dialog);
}

INT_PTR CALLBACK NewCompanyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: InitialiseNewCompany(dialog); return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) > 1) return FALSE;
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        if (LOWORD(wParam) == IDOK) StoreCompany(dialog);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int NewCompanyDialog(platform::WindowHandle parent) {
    INT_PTR result = RunModalDialogW(static_cast<HWND>(parent), NewCompanySpec(), NewCompanyProc);
    return result > 0 ? static_cast<int>(result) : 0;
}
