// The accented capitals dialog: a prompt and an invisible edit control whose
// first key-down closes the dialog and types the capital of that key.
#include <windows.h>

#include "app/dialog_kit_win32.h"
#include "features/accents/accents_dialog.h"
#include "features/accents/capital_table.h"
#include "inject/key_macro.h"
#include "platform/keyboard.h"

namespace {

// The M of the Ctrl+M that opens the dialog.
constexpr WPARAM kOpeningKey = 0x4D;

WNDPROC gEditProcedure;
// The layout of the window the capital is for, which decides what its keys type.
platform::LayoutHandle gOwnerLayout;
platform::IconHandle gIcon;

DialogSpec AccentsDialogSpec() {
    DialogSpec dialog{};
    dialog.caption = "Accents Majuscules";
    dialog.style = kKeyboardDialogStyle;
    dialog.exStyle = kKeyboardDialogExStyle;
    dialog.cx = 180;
    dialog.cy = 32;
    dialog.controls = {
        {kAccentsPrompt, "STATIC", "Tapez le caract\xE8re accentu\xE9 \xE0 convertir en majuscule...", 2, 10, 176, 20,
         WS_CHILD | WS_VISIBLE | SS_LEFT, 0},
        KeyCatcherControl(kAccentsKeyCatcher),
    };
    return dialog;
}

void TypeCapitalForKey(HWND edit, unsigned virtualKey) {
    EndDialogForOwner(GetParent(edit), -1);
    SendKeyMacro(CapitalForKey(virtualKey, gOwnerLayout));
}

// The keyboard repeating the M of a Ctrl+M still held: the hotkey itself
// does not repeat, so the repeats come here, and they are not a choice.
bool IsOpeningChordRepeating(WPARAM key, LPARAM lParam) {
    const bool wasDown = (lParam >> 30) & 1;
    return key == kOpeningKey && (wasDown || GetAsyncKeyState(VK_CONTROL) < 0);
}

LRESULT CALLBACK KeyCatcherProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && !IsOpeningChordRepeating(wParam, lParam))
        TypeCapitalForKey(edit, static_cast<unsigned>(wParam));
    return CallWindowProcA(gEditProcedure, edit, message, wParam, lParam);
}

INT_PTR InitialiseAccentsDialog(HWND dialog) {
    // Placed by hand: the dialog manager's own placement relative to an
    // owner is not the same on every system, and an owner may be missing.
    PlaceOverOwner(dialog, DialogUnitsToPixels(dialog, kOwnerOffset));
    ShowDialogIcon(dialog, gIcon);
    gEditProcedure = CatchKeys(dialog, kAccentsKeyCatcher, &KeyCatcherProcedure);
    return FALSE;  // the focus is set
}

INT_PTR CALLBACK AccentsDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return InitialiseAccentsDialog(dialog);
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            EndDialog(dialog, 0);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int AccentedCapitalsDialog(platform::WindowHandle owner, platform::IconHandle icon) {
    gOwnerLayout = platform::GetWindowKeyboardLayout(owner);
    gIcon = icon;
    const INT_PTR result = RunModalDialog(static_cast<HWND>(owner), AccentsDialogSpec(), &AccentsDialogProcedure);
    return result == -1 ? -1 : 0;
}
