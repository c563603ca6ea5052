// The program's features, one row each: the tray menu, the hotkeys, the
// dispatcher and the dialog icons all read this table, so a feature is
// added here and in its own folder only. The menu shows the rows in this
// order; the hotkeys go by slot, which names each hotkey's atom (the base
// name, "_" and the slot) and so stays with its feature whatever the order.
#pragma once

#include <iterator>

#include "app/command_ids.h"
#include "app/dialog_icons.h"
#include "features/accents/accents_dialog.h"
#include "features/contacts/contact_dialogs.h"
#include "features/dates/date_picker_dialog.h"
#include "features/highlight/highlight_dialog.h"
#include "platform/hotkeys.h"
#include "platform/types.h"

enum class RestoreForeground { Never, OnSuccess, Always };

// The key of a hotkey that is not fixed: the one that types "@" with AltGr
// in the layout of the window in front, found again at each hotkey.
constexpr unsigned kAtSignKey = 0;

struct Feature {
    const char* name;  // the menu's caption and the balloon's, Windows-1252
    MenuCommand command;
    int slot;  // of its hotkey, 1 to kFeatureCount
    unsigned modifiers;
    unsigned virtualKey;  // or kAtSignKey
    // Outside OneNote its hotkey goes back to the window in front: the keys
    // themselves, or what the "@" chord types there.
    bool needsOneNote;
    const char* pasteMacro;               // sent when the entry returns nonzero; "" none
    RestoreForeground restoreForeground;  // the target, once the entry returns
    IconSource icon;
    // Owned by `owner` (or by no window), with the icon taken from `icon`.
    int (*entry)(platform::WindowHandle owner, platform::IconHandle icon);
};

inline constexpr char kPasteMacro[] = "{CTRL_D}v{CTRL_U}";

// A row a feature, two lines each, as a row reads best.
// clang-format off
inline constexpr Feature kFeatures[] = {
    {"Majuscules Accentu\xE9" "es", kAccentsCommand, 1, platform::kModControl, 'M', false, "",
     RestoreForeground::Never, {"shell32.dll", 73}, &AccentedCapitalsDialog},
    {"Highlight line", kHighlightCommand, 4, platform::kModControl, 'H', true, "{CTRL_D}v{CTRL_U}{END}{ESCAPE}",
     RestoreForeground::OnSuccess, {"shell32.dll", 133}, &HighlightLineDialog},
    {"Date Picker", kDatePickerCommand, 2, platform::kModControl, 'D', true, kPasteMacro, RestoreForeground::Always,
     {"imageres.dll", 272}, &DatePickerDialog},
    // AltGr reaches the system as Ctrl+Alt.
    {"Contact Book", kContactBookCommand, 3, platform::kModControl | platform::kModAlt, kAtSignKey, true,
     kPasteMacro, RestoreForeground::Always, {"shell32.dll", 160}, &ContactBookDialog},
};
// clang-format on
constexpr int kFeatureCount = static_cast<int>(std::size(kFeatures));

constexpr bool EachSlotHasOneFeature() {
    for (int slot = 1; slot <= kFeatureCount; ++slot) {
        int rows = 0;
        for (const Feature& feature : kFeatures) rows += feature.slot == slot;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(EachSlotHasOneFeature());

// A fixed key goes with Ctrl alone: so its shortcut is named, and so it is
// given back outside OneNote.
constexpr bool FixedKeysGoWithCtrl() {
    for (const Feature& feature : kFeatures)
        if (feature.virtualKey != kAtSignKey && feature.modifiers != platform::kModControl) return false;
    return true;
}
static_assert(FixedKeysGoWithCtrl());
