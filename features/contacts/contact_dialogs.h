// The two dialogs the contact book opens for a new contact: which company it
// belongs to, and a new company. Both are modal, placed at (0, 0) under the
// given parent window (the contact book's edit field).
#pragma once

#include <string>

#include "platform/types.h"

// 0 when abandoned; otherwise the 1-based position of the button chosen:
// 1 .. n the company at that position of gDomains, n + 1 "< New company >".
int NewContactDialog(platform::WindowHandle parent, const std::string& typedName);

// 0 when abandoned; otherwise the 1-based position in gDomains of the
// company just stored.
int NewCompanyDialog(platform::WindowHandle parent);
