// New company: acronym, name and e-mail extension, stored as soon as all
// three hold. A field that does not is only signalled: the caption flashes
// and the field gets the focus.
#include <windows.h>

#include <string>

#include "app/dialog_kit_win32.h"
#include "features/contacts/company_validation.h"
#include "features/contacts/contact_dialogs.h"
#include "features/contacts/contact_store.h"
#include "features/contacts/not_kept_message_win32.h"

namespace {

DialogSpec NewCompanySpec() {
    DialogSpec dialog{};
    dialog.caption = "New company";
    dialog.cx = 300;
    dialog.cy = 155;
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

void SignalField(HWND dialog, int id) {
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, id));
    FlashCaption(dialog);
}

void StoreCompany(HWND dialog) {
    CompanyInput input =
        ValidateNewCompany(ControlTextUtf8(dialog, kAcronymField), ControlTextUtf8(dialog, kCompanyField),
                           ControlTextUtf8(dialog, kExtensionField), gDomains);
    if (input.failed != CompanyField::None) {
        SignalField(dialog, static_cast<int>(input.failed));
        return;
    }
    StoreResult stored = AddDomainEntry(input.acronym, input.companyName, input.emailExtension);
    if (stored.outcome != StoreOutcome::Written)
        ReportNotKept(dialog, input.companyName + " (" + input.acronym + ")", stored);
    EndDialog(dialog, static_cast<INT_PTR>(gDomains.size()));
}

void InitialiseNewCompany(HWND dialog) {
    ShowDialogIcon(dialog, DialogIcon({"shell32.dll", 57}));
    KeepInsideWorkArea(dialog);
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
