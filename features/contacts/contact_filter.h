// What the contact book's list does as the user types: which items go when
// a letter narrows it, which come back when Backspace or Delete widens it,
// the hint under it, and what Enter does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "features/contacts/contact_store.h"

// All texts here are UTF-8, as the contacts are stored and as the list shows
// them; they are compared in their match form (case and accents set aside).

// 0-based positions of the shown items that do not contain the typed text:
// last first, so each can be deleted in turn without moving the ones still
// to delete.
std::vector<size_t> NarrowContactList(const std::vector<std::string>& shownItems, const std::string& typed);

// The display keys of the contacts whose key contains the typed text, as
// narrowing decides it, and that the list does not already show in any
// case; in contact order, each once.
std::vector<std::string> WidenContactList(const std::vector<Contact>& contacts, const std::string& typed,
                                          const std::vector<std::string>& shownItems);

// A wholesale refill of the list: the items shown and the items added, in
// the order they hold in `listOrder` (the list's own sorting of every
// contact, read back when it opened), each as often as it is shown or added.
// Items that `listOrder` lacks (a contact stored since) go to `unplaced`,
// for the list to sort in itself.
std::vector<std::string> MergeInListOrder(const std::vector<std::string>& listOrder,
                                          const std::vector<std::string>& shown, const std::vector<std::string>& added,
                                          std::vector<std::string>& unplaced);

// The hint shown under the list for this many items left; none (the label is
// hidden) while items are left.
std::optional<std::string> ContactListHint(size_t itemCount, const std::string& typed);

enum class EnterAction {
    Nothing,           // empty text, or a name without a comma nobody has
    InsertLink,        // the typed text names a contact (apart from case and spaces)
    NewContact,        // a new "Name, Surname": ask for the company
    RefuseNewContact,  // a new name that cannot be stored as a key
};
struct EnterDecision {
    EnterAction action;
    size_t contact;  // position in gContacts, for InsertLink
};
// Against gContacts, for the text of the combo box.
EnterDecision DecideEnter(const std::string& typed);
