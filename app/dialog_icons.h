// The icons of the program's dialogs, borrowed from the system's libraries.
// Each is extracted on its dialog's first opening and kept for the life of
// the process: extracting one per opening took a handle that was never given
// back, and after enough openings no dialog could open.
#pragma once

#include "platform/types.h"

enum class DialogIconKind {
    AccentedCapitals,
    LineHighlighter,
    DatePicker,
    ContactBook,
    NewContact,
    NewCompany,
};
constexpr int kDialogIconKinds = 6;

// The same icon at every call until ReleaseDialogIcons(); null when the
// system lacks it.
platform::IconHandle DialogIcon(DialogIconKind kind);

// Destroys every icon taken; the next DialogIcon() extracts afresh.
void ReleaseDialogIcons();
