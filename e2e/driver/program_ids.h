// The program's numbers the desktop tests address it by, each from where the program takes it.
#pragma once

#include "app/command_ids.h"                       // the tray menu's commands, the tray icon's message
#include "app/hotkey_dispatcher.h"                 // kHotkeySettleMs, the wait after every hotkey
#include "app/startup_notice.h"                    // the start-up notice's controls
#include "features/accents/accents_dialog.h"       // the accented capitals dialog's controls
#include "features/contacts/contact_dialogs.h"     // the contact book's and the new company's
#include "features/contacts/new_contact_layout.h"  // the new contact's
#include "features/dates/date_picker_dialog.h"     // the date picker's calendar
#include "features/highlight/highlight_dialog.h"   // the colour strip
