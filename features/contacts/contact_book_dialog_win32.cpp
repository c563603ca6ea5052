// The Contact Book: a simple combo box of contacts narrowed as the user
// types, whose edit field decides on each key release what the list shows
// and, on Enter, which link goes to the clipboard.
#include <windows.h>

#include <string>
#include <vector>

#include "app/dialog_kit_win32.h"
#include "features/contacts/contact_dialogs.h"
#include "features/contacts/contact_filter.h"
#include "features/contacts/contact_store.h"
#include "features/contacts/not_kept_message_win32.h"
#include "inject/html_clipboard.h"

namespace {

// The open book, made afresh by each opening (the dispatcher never opens a
// second book inside the first).
struct OpenBook {
    // The procedure the edit field had before ours.
    WNDPROC editProcedure;
    // Set once a link is on the clipboard: the only case that asks for a paste.
    bool linkPlaced;
    // What the list shows (UTF-8), item for item in its order: asking the
    // list for 10,000 items on every key would cost more than the filtering.
    std::vector<std::string> shown;
    // Every contact as the list sorted them when it opened.
    std::vector<std::string> listOrder;
    platform::IconHandle icon;
};
OpenBook gBook;

DialogSpec ContactBookSpec() {
    DialogSpec dialog{};
    dialog.caption = "Contact Book";
    dialog.x = kOwnerOffset.x;
    dialog.y = kOwnerOffset.y;
    dialog.cx = 297;
    dialog.cy = 201;
    dialog.controls = {
        {kContactCombo, "COMBOBOX", "", 8, 8, 280, 152,
         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SIMPLE | CBS_SORT, 0},
        {kContactHint, "STATIC", "--hint--", 6, 154, 280, 16, WS_CHILD | SS_LEFT, 0},
        {IDOK, "BUTTON", "OK", 224, 172, 64, 24, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0},
        {IDCANCEL, "BUTTON", "Cancel", 144, 172, 64, 24, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0},
    };
    return dialog;
}

std::vector<std::string> ListedItems(HWND combo) {
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    items.reserve(count > 0 ? count : 0);
    std::wstring item;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        item.assign(length > 0 ? length + 1 : 1, L'\0');
        LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(Utf8Of(item.data(), copied > 0 ? copied : 0));
    }
    return items;
}

LRESULT AddString(HWND combo, const std::string& item) {
    return SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(item).c_str()));
}

// A list that redraws after every change costs milliseconds an item; one
// redraw at the end costs nothing noticeable.
void SuspendRedraw(HWND combo) { SendMessageA(combo, WM_SETREDRAW, FALSE, 0); }

void ResumeRedraw(HWND combo) {
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo, nullptr, TRUE);
}

// Each sorted insert costs the list a binary search of string comparisons;
// the shown items are kept in step at the place the list chose.
void AddSorted(HWND combo, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        LRESULT at = AddString(combo, item);
        if (at >= 0 && static_cast<size_t>(at) <= gBook.shown.size())
            gBook.shown.insert(gBook.shown.begin() + at, item);
    }
}

// Refilled through the list box itself: the combo box's own reset would
// also empty the edit field the user is typing in. Items appended at the
// end keep the order given, with no comparison at all.
void Refill(HWND combo, std::vector<std::string> items, const std::vector<std::string>& unplaced) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(COMBOBOXINFO);
    GetComboBoxInfo(combo, &info);
    HWND list = info.hwndList;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    size_t bytes = 0;
    for (const std::string& item : items) bytes += (item.size() + 1) * sizeof(wchar_t);
    SendMessageW(list, LB_INITSTORAGE, items.size() + unplaced.size(), bytes);
    for (const std::string& item : items)
        SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(WideOf(item).c_str()));
    gBook.shown = std::move(items);
    AddSorted(combo, unplaced);
}

void RemoveItems(HWND combo, const std::vector<size_t>& positions) {
    std::vector<bool> gone(gBook.shown.size(), false);
    for (size_t position : positions) gone[position] = true;
    std::vector<std::string> kept;
    kept.reserve(gBook.shown.size() - positions.size());
    for (size_t i = 0; i < gBook.shown.size(); ++i)
        if (!gone[i]) kept.push_back(std::move(gBook.shown[i]));
    SuspendRedraw(combo);
    if (positions.size() > kept.size()) {
        Refill(combo, std::move(kept), {});
    } else {
        for (size_t position : positions) SendMessageA(combo, CB_DELETESTRING, position, 0);
        gBook.shown = std::move(kept);
    }
    ResumeRedraw(combo);
}

// Many items coming back are cheaper merged in the order the list sorted
// them at the start than inserted one by one.
void AddItems(HWND combo, const std::vector<std::string>& added) {
    SuspendRedraw(combo);
    if (added.size() * 16 > gBook.shown.size() + added.size()) {
        std::vector<std::string> unplaced;
        Refill(combo, MergeInListOrder(gBook.listOrder, gBook.shown, added, unplaced), unplaced);
    } else {
        AddSorted(combo, added);
    }
    ResumeRedraw(combo);
}

// The keys go in as they are stored: the list shows any letter.
void FillContactList(HWND combo) {
    size_t bytes = 0;
    for (const Contact& contact : gContacts) bytes += (contact.displayKey.size() + 1) * sizeof(wchar_t);
    SendMessageW(combo, CB_INITSTORAGE, gContacts.size(), bytes);
    SuspendRedraw(combo);
    for (const Contact& contact : gContacts) AddString(combo, contact.displayKey);
    ResumeRedraw(combo);
    gBook.listOrder = ListedItems(combo);
    gBook.shown = gBook.listOrder;
}

void ShowHint(HWND dialog, size_t itemsLeft, const std::string& typed) {
    HWND label = GetDlgItem(dialog, kContactHint);
    std::optional<std::string> hint = ContactListHint(itemsLeft, typed);
    if (hint) SetWindowTextA(label, hint->c_str());
    ShowWindow(label, hint ? SW_SHOW : SW_HIDE);
}

void NarrowList(HWND dialog, HWND combo) {
    std::string typed = WindowTextUtf8(combo);
    std::vector<size_t> gone = NarrowContactList(gBook.shown, typed);
    if (!gone.empty()) RemoveItems(combo, gone);
    ShowHint(dialog, gBook.shown.size(), typed);
}

void WidenList(HWND dialog, HWND combo) {
    std::string typed = WindowTextUtf8(combo);
    std::vector<std::string> added = WidenContactList(gContacts, typed, gBook.shown);
    if (!added.empty()) AddItems(combo, added);
    ShowHint(dialog, gBook.shown.size(), typed);
}

// The dialog goes out of sight before anything else happens, so that the
// window behind it is the one in front when the paste keys arrive.
void HideBook(HWND dialog, HWND combo) {
    ShowWindow(dialog, SW_HIDE);
    SendMessageA(combo, WM_SETFOCUS, 0, 0);
}

void PlaceLinkAndEnd(HWND dialog, const std::string& displayKey, const std::string& mailtoValue) {
    // A link the clipboard would not take ends the book as if abandoned.
    gBook.linkPlaced = PutHtmlFragment(BuildContactLink(displayKey, mailtoValue));
    EndDialogForOwner(dialog, gBook.linkPlaced ? -1 : 0);
}

// The company's e-mail extension, asked for with the two dialogs (and the
// part before the "@" when it is empty); empty when the user abandoned either.
std::string AskForExtension(HWND edit, const std::string& typed, std::string& localPart) {
    int chosen = NewContactDialog(edit, typed, localPart);
    if (chosen > static_cast<int>(gDomains.size())) chosen = NewCompanyDialog(edit);
    if (chosen < 1 || chosen > static_cast<int>(gDomains.size())) return "";
    return gDomains[chosen - 1].emailExtension;
}

// Answers whether the key release goes on to the edit field.
bool MakeNewContact(HWND dialog, HWND combo, HWND edit, const std::string& typed) {
    HideBook(dialog, combo);
    std::string localPart = ComposeAddress(typed, "");
    std::string extension = AskForExtension(edit, typed, localPart);
    if (extension.empty()) {
        EndDialog(dialog, 0);
        return false;
    }
    std::string address = localPart + extension;
    StoreResult stored = AddContact(typed, address);
    if (stored.outcome != StoreOutcome::Written) ReportNotKept(dialog, typed, stored);
    PlaceLinkAndEnd(dialog, typed, "mailto:" + address);
    return true;
}

bool OnEnter(HWND dialog, HWND combo, HWND edit) {
    std::string typed = WindowTextUtf8(combo);
    EnterDecision decision = DecideEnter(typed);
    switch (decision.action) {
        case EnterAction::InsertLink: {
            HideBook(dialog, combo);
            const Contact& contact = gContacts[decision.contact];
            PlaceLinkAndEnd(dialog, contact.displayKey, contact.mailtoValue);
            return true;
        }
        case EnterAction::NewContact: return MakeNewContact(dialog, combo, edit, typed);
        case EnterAction::RefuseNewContact: FlashCaption(dialog); return false;
        case EnterAction::Nothing: return false;
    }
    return false;
}

// Answers whether the key release goes on to the edit field.
bool OnContactKeyUp(HWND edit, WPARAM key) {
    HWND combo = GetParent(edit);
    HWND dialog = GetParent(combo);
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (count < 0) count = 0;
    // A letter typed as a character (VK_PACKET: an input method, a
    // character map, a remote session) narrows as a letter key does.
    if ((key >= 'A' && key <= 'Z') || key == VK_PACKET) {
        NarrowList(dialog, combo);
        return true;
    }
    switch (key) {
        case VK_BACK:
        case VK_DELETE: WidenList(dialog, combo); return true;
        case VK_HOME: SendMessageA(combo, CB_SETCURSEL, 0, 0); return true;
        case VK_END: SendMessageA(combo, CB_SETCURSEL, count - 1, 0); return true;
        case VK_RETURN: return OnEnter(dialog, combo, edit);
        default: return true;
    }
}

LRESULT CALLBACK ContactEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP && !OnContactKeyUp(edit, wParam)) return 0;
    return CallWindowProcW(gBook.editProcedure, edit, message, wParam, lParam);
}

// A Unicode procedure: an ANSI one would have the characters typed into
// the field converted to the ANSI code page on their way through it.
void CatchEditKeys(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(COMBOBOXINFO);
    GetComboBoxInfo(combo, &info);
    if (info.hwndItem != nullptr)
        gBook.editProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(info.hwndItem, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ContactEditProc)));
}

void InitialiseContactBook(HWND dialog) {
    // The template's position would be taken from whatever window the
    // dialog manager picks; the book belongs at a fixed place over its owner.
    PlaceOverOwner(dialog, DialogUnitsToPixels(dialog, kOwnerOffset));
    ShowDialogIcon(dialog, gBook.icon);
    HWND combo = GetDlgItem(dialog, kContactCombo);
    SendMessageA(combo, CB_SETEXTENDEDUI, 1, 0);
    LoadContactBook();
    FillContactList(combo);
    ShowWindow(GetDlgItem(dialog, kContactHint), SW_HIDE);
    CatchEditKeys(combo);
    SetForegroundWindow(dialog);
}

INT_PTR CALLBACK ContactBookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: InitialiseContactBook(dialog); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int ContactBookDialog(platform::WindowHandle owner, platform::IconHandle icon) {
    gBook = {};
    gBook.icon = icon;
    INT_PTR result = RunModalDialogW(static_cast<HWND>(owner), ContactBookSpec(), ContactBookProc);
    return result == -1 && gBook.linkPlaced ? -1 : 0;
}
