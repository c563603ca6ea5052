// The contact book's dialogs. The book is the feature's entry, run by the
// dispatcher; it opens the other two for a new contact: which company it
// belongs to, and a new company, both modal under the book's edit field.
#pragma once

#include <string>

#include "platform/types.h"

// The book's and the new company's controls, as other programs find them;
// the new contact's are in new_contact_layout.h.
enum : unsigned short {
    kContactCombo = 1001,
    kContactHint = 102,
    kAcronymField = 201,
    kCompanyField = 202,
    kExtensionField = 203,
};

// Owned by `owner` (or by no window), showing `icon`; -1 when a contact's link waits on the
// clipboard to be pasted, 0 otherwise.
int ContactBookDialog(platform::WindowHandle owner, platform::IconHandle icon);

// 0 when abandoned; otherwise the 1-based position of the button chosen:
// 1 .. n the company at that position of gDomains, n + 1 "< New company >".
// An empty `localPart` (the name gives no address) is asked for, and holds
// what the user gave once a button was chosen.
int NewContactDialog(platform::WindowHandle parent, const std::string& typedName, std::string& localPart);

// 0 when abandoned; otherwise the length of gDomains once the company was
// taken (its position when it was stored).
int NewCompanyDialog(platform::WindowHandle parent);
