// The program's modal dialogs open now, oldest first. The dialog runner
// notes each one as it opens and forgets it when it ends; the dispatcher
// finds here the dialog to bring forward when a feature already open is
// asked for again, so no feature has to report its own dialog.
#pragma once

#include <cstddef>

#include "platform/types.h"

void NoteDialogOpened(platform::WindowHandle dialog);
// Forgets every dialog noted after the first `count`.
void ForgetDialogsFrom(size_t count);
size_t OpenDialogCount();
// The newest dialog opened after the first `count`; null when none was.
platform::WindowHandle NewestDialogSince(size_t count);
