// The icons of the program's dialogs, borrowed from the system's libraries.
// Each is extracted on its dialog's first opening and kept for the life of
// the process: extracting one per opening took a handle that was never given
// back, and after enough openings no dialog could open.
#pragma once

#include "platform/types.h"

struct IconSource {
    const char* library;  // in the system folder
    int index;
};

// The same icon for the same source at every call until
// ReleaseDialogIcons(); null when the system lacks it.
platform::IconHandle DialogIcon(IconSource source);

// Destroys every icon taken; the next DialogIcon() extracts afresh.
void ReleaseDialogIcons();
