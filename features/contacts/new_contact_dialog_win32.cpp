// New contact: one button per company, and "< New company >". The keyboard
// moves the focus between the buttons; Home, End and the page keys are
// turned into arrow presses that the dialog manager carries out. For a name
// that gives no address, an edit field above them asks for the part before
// the "@".
#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "app/dialog_kit_win32.h"
#include "features/contacts/contact_dialogs.h"
#include "features/contacts/contact_store.h"
#include "features/contacts/new_contact_layout.h"

namespace {

HWND gNewContactDialog;
int gCurrentButton = kFirstCompanyButton;
HACCEL gNewContactKeys;
HHOOK gNewContactFilter;
// Whether the part before the "@" is asked for, and what was taken.
bool gAsksLocalPart;
std::string gLocalPart;

DialogSpec NewContactSpec(const std::string& typedName) {
    DialogSpec dialog{};
    dialog.caption = "New contact";
    dialog.cx = 2;
    dialog.cy = 2;
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
    dialog.controls = {
        {kHiddenButton, "BUTTON", "", -2, -2, 0, 0, button, 0},
        // A name may hold "&", which a plain static would take for a mark.
        {kNewContactQuestion, "STATIC", NewContactQuestion(typedName), 6, 6, 268, 20,
         WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0},
    };
    if (gAsksLocalPart) {
        dialog.controls.push_back(
            {kLocalPartLabel, "STATIC", "Address before the @ :", 6, 31, 100, 12, WS_CHILD | WS_VISIBLE | SS_LEFT, 0});
        dialog.controls.push_back({kLocalPartEdit, "EDIT", "", 110, 29, 150, 14,
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0});
    }
    // One column here; the dialog moves them into more if the screen is
    // too short, once it knows its own units.
    NewContactLayout column = LayOutNewContact(gDomains.size(), INT_MAX, gAsksLocalPart);
    std::vector<std::string> labels = NewContactButtonLabels(gDomains);
    for (size_t i = 0; i < labels.size(); ++i) {
        ButtonPlace place = NewContactButtonPlace(i, column);
        dialog.controls.push_back({static_cast<WORD>(kFirstCompanyButton + i), "BUTTON", labels[i],
                                   static_cast<short>(place.x), static_cast<short>(place.y), 195, 24, button, 0});
    }
    return dialog;
}

void GiveFocus(HWND dialog, int id) {
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, id));
}

void PressKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

// Moving the focus with the dialog manager's own keys makes the focused
// button the default one, which a plain SetFocus does not.
void TabForwardAndBack() {
    PressKey(VK_TAB);
    keybd_event(VK_SHIFT, 0, 0, 0);
    PressKey(VK_TAB);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

void FocusFirstCompany(HWND dialog) {
    GiveFocus(dialog, kFirstCompanyButton);
    TabForwardAndBack();
}

// The height of the work area of the dialog's screen, in its own units.
int ScreenHeightInDialogUnits(HWND dialog) {
    RECT work = WorkAreaOf(dialog), hundred = {0, 0, 0, 100};
    MapDialogRect(dialog, &hundred);
    if (work.bottom <= work.top || hundred.bottom <= 0) return INT_MAX;
    return MulDiv(work.bottom - work.top, 100, hundred.bottom);
}

void MoveInDialogUnits(HWND control, int x, int y) {
    RECT place = {x, y, 0, 0};
    MapDialogRect(GetParent(control), &place);
    SetWindowPos(control, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitToButtons(HWND dialog) {
    NewContactLayout layout = LayOutNewContact(gDomains.size(), ScreenHeightInDialogUnits(dialog), gAsksLocalPart);
    if (layout.columns > 1)
        for (size_t i = 0; i <= gDomains.size(); ++i) {
            ButtonPlace place = NewContactButtonPlace(i, layout);
            MoveInDialogUnits(GetDlgItem(dialog, kFirstCompanyButton + static_cast<int>(i)), place.x, place.y);
        }
    RECT size = {0, 0, layout.width, layout.height};
    MapDialogRect(dialog, &size);
    SetWindowPos(dialog, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // It opens over the contact book, well down the screen: grown to its
    // buttons it may reach past the bottom.
    KeepInsideWorkArea(dialog);
}

void InitialiseNewContact(HWND dialog) {
    gNewContactDialog = dialog;
    ShowDialogIcon(dialog, DialogIcon({"shell32.dll", 158}));
    FitToButtons(dialog);
    if (gAsksLocalPart) GiveFocus(dialog, kLocalPartEdit);
    else FocusFirstCompany(dialog);
    gCurrentButton = kFirstCompanyButton;
}

// False, with the field in focus, all of it selected and the caption
// flashing, while what it holds is no part of an address.
bool TakeLocalPart(HWND dialog) {
    if (!gAsksLocalPart) return true;
    gLocalPart = UsableLocalPart(ControlTextUtf8(dialog, kLocalPartEdit));
    if (!gLocalPart.empty()) return true;
    GiveFocus(dialog, kLocalPartEdit);
    SendDlgItemMessageW(dialog, kLocalPartEdit, EM_SETSEL, 0, -1);
    FlashCaption(dialog);
    return false;
}

bool IsButtonOfDialog(int id) {
    return id == kHiddenButton ||
           (id >= kFirstCompanyButton && id <= kFirstCompanyButton + static_cast<int>(gDomains.size()));
}

void OnNewContactCommand(HWND dialog, int id, int notification) {
    ArrowPresses presses = ArrowPressesFor(id, gCurrentButton, gDomains.size());
    if (id == kCommandHome || id == kCommandEnd || id == kCommandPageUp || id == kCommandPageDown) {
        for (int i = 0; i < presses.count; ++i) PressKey(static_cast<BYTE>(presses.virtualKey));
        return;
    }
    if (notification == BN_SETFOCUS) {
        gCurrentButton = id;
        if (id == kHiddenButton) FocusFirstCompany(dialog);
        return;
    }
    // Enter with no button focused names IDOK, which is none of ours; in the
    // field it hands on to the companies once the field holds an address part.
    if (notification != 0 && notification != 1) return;
    if (id == IDOK && gAsksLocalPart && TakeLocalPart(dialog)) FocusFirstCompany(dialog);
    if (IsButtonOfDialog(id) && (id == kHiddenButton || TakeLocalPart(dialog))) EndDialog(dialog, NewContactResult(id));
}

INT_PTR CALLBACK NewContactProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: InitialiseNewContact(dialog); return FALSE;
        case WM_COMMAND: OnNewContactCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

// A modal dialog's loop has no place for an accelerator table; its
// message filter does.
LRESULT CALLBACK NewContactKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    MSG* message = reinterpret_cast<MSG*>(lParam);
    HWND dialog = gNewContactDialog;
    // In the field, Home and End move the caret.
    if (code == MSGF_DIALOGBOX && dialog != nullptr && message != nullptr &&
        (message->hwnd == dialog || IsChild(dialog, message->hwnd)) &&
        message->hwnd != GetDlgItem(dialog, kLocalPartEdit) && TranslateAcceleratorW(dialog, gNewContactKeys, message))
        return 1;
    return CallNextHookEx(gNewContactFilter, code, wParam, lParam);
}

void AttachAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY, VK_HOME, kCommandHome},
        {FVIRTKEY, VK_END, kCommandEnd},
        {FVIRTKEY, VK_PRIOR, kCommandPageUp},
        {FVIRTKEY, VK_NEXT, kCommandPageDown},
    };
    gNewContactKeys = CreateAcceleratorTableW(keys, 4);
    gNewContactFilter = SetWindowsHookExA(WH_MSGFILTER, NewContactKeyFilter, nullptr, GetCurrentThreadId());
}

void DetachAccelerators() {
    if (gNewContactFilter != nullptr) UnhookWindowsHookEx(gNewContactFilter);
    if (gNewContactKeys != nullptr) DestroyAcceleratorTable(gNewContactKeys);
    gNewContactFilter = nullptr;
    gNewContactKeys = nullptr;
}

}  // namespace

int NewContactDialog(platform::WindowHandle parent, const std::string& typedName, std::string& localPart) {
    gAsksLocalPart = localPart.empty();
    gLocalPart = localPart;
    AttachAccelerators();
    INT_PTR result = RunModalDialogW(static_cast<HWND>(parent), NewContactSpec(typedName), NewContactProc);
    DetachAccelerators();
    gNewContactDialog = nullptr;
    if (result > 0) localPart = gLocalPart;
    return result > 0 ? static_cast<int>(result) : 0;
}
