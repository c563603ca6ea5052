#include "app/hotkey_dispatcher.h"

#include "app/configuration_file.h"
#include "app/open_dialogs.h"
#include "features/accents/accents_dialog.h"
#include "features/contacts/contact_dialogs.h"
#include "features/dates/date_picker_dialog.h"
#include "features/highlight/highlight_dialog.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/hotkeys.h"

uint16_t gHotkeyAtoms[4] = {};
int32_t gHotkeysEnabled = 0;

namespace {

struct HotkeySlot {
    const char* suffix;  // appended to the base name: "_1" .. "_4"
    unsigned modifiers;
    unsigned virtualKey;
    RequestCode request;
};
// Slot 3 is Ctrl+Alt+0 whatever the layout: AltGr reaches the system as
// Ctrl+Alt, so on AZERTY this is the "@" key.
const HotkeySlot kHotkeySlots[4] = {
    {"_1", platform::kModControl, 0x4D, kCtrlMRequest},
    {"_2", platform::kModControl, 0x44, kCtrlDRequest},
    {"_3", platform::kModControl | platform::kModAlt, 0x30, kAtKeyRequest},
    {"_4", platform::kModControl, 0x48, kCtrlHRequest},
};

const char kPasteMacro[] = "{CTRL_D}v{CTRL_U}";
const char kHighlightPasteMacro[] = "{CTRL_D}v{CTRL_U}{END}{ESCAPE}";

// A feature's own hotkey, held (where the system repeats it) or pressed
// again while its dialog is behind another window, brings that dialog
// forward instead of opening a second one inside it.
struct OpenFeature {
    bool running;
    size_t dialogsBefore;  // the dialogs open when it started
};
OpenFeature gOpenFeatures[static_cast<int>(RequestAction::TypeAtSign) + 1];

constexpr unsigned kHotkeySettleMs = 100;
constexpr unsigned kAtSignSettleMs = 150;

RequestPlan PlanFor(RequestAction action, bool useTarget) {
    switch (action) {
        case RequestAction::AccentedCapitals:
            return {action, useTarget, "", RestoreForeground::Never};
        case RequestAction::DatePicker:
        case RequestAction::ContactBook:
            return {action, useTarget, kPasteMacro, RestoreForeground::Always};
        case RequestAction::LineHighlighter:
            return {action, useTarget, kHighlightPasteMacro, RestoreForeground::OnSuccess};
        case RequestAction::TypeAtSign:
            return {action, useTarget, "", RestoreForeground::Never};
        case RequestAction::Nothing:
            break;
    }
    return {RequestAction::Nothing, useTarget, "", RestoreForeground::Never};
}

int RunFeature(RequestAction action, platform::WindowHandle owner) {
    switch (action) {
        case RequestAction::AccentedCapitals: return AccentedCapitalsDialog(owner);
        case RequestAction::DatePicker: return DatePickerDialog(owner);
        case RequestAction::ContactBook: return ContactBookDialog(owner);
        case RequestAction::LineHighlighter: return HighlightLineDialog(owner);
        default: return 0;
    }
}

// The "@" typed outside OneNote was swallowed by the hotkey; it comes back
// as a character of its own, which no hotkey catches and which leaves the
// user's clipboard alone.
void TypeAtSign() {
    platform::Sleep(kAtSignSettleMs);
    TypeCharacter(u'@');
}

// Answers whether the feature left something to paste.
bool RunOpenFeature(OpenFeature& open, RequestAction action, platform::WindowHandle target) {
    open = {true, OpenDialogCount()};
    bool done = RunFeature(action, target) != 0;
    open = {false, 0};
    return done;
}

// The feature's result is on the clipboard; the note program's own paste
// takes it in, and its reads from then on tell when the user's clipboard
// may go back.
void PastePlacedResult(const std::string& macro, platform::WindowHandle target) {
    if (macro.empty()) return;
    LetClipboardSettle();
    // Before the keys: the note program may read while they are still being
    // sent, and the program answers it from inside the wait that follows.
    NotePasteSent(target);
    SendKeyMacro(macro);
}

// An atom that could not be added is 0, which names no atom to delete.
void DeleteHotkeyAtoms() {
    for (uint16_t& atom : gHotkeyAtoms) {
        if (atom != 0) platform::GlobalDeleteAtom(atom);
        atom = 0;
    }
}

}  // namespace

bool IsOneNoteTitle(const std::string& title) { return title.find("OneNote") != std::string::npos; }

RequestPlan PlanRequest(int code, const std::string& title) {
    bool oneNote = IsOneNoteTitle(title);
    switch (code) {
        case kCtrlMRequest: return PlanFor(RequestAction::AccentedCapitals, true);
        case kCtrlDRequest: return PlanFor(oneNote ? RequestAction::DatePicker : RequestAction::Nothing, true);
        case kAtKeyRequest: return PlanFor(oneNote ? RequestAction::ContactBook : RequestAction::TypeAtSign, true);
        case kCtrlHRequest: return PlanFor(oneNote ? RequestAction::LineHighlighter : RequestAction::Nothing, true);
        case kAccentsMenuRequest: return PlanFor(RequestAction::AccentedCapitals, false);
        case kDatePickerMenuRequest: return PlanFor(RequestAction::DatePicker, false);
        case kContactBookMenuRequest: return PlanFor(RequestAction::ContactBook, false);
        case kHighlightMenuRequest: return PlanFor(RequestAction::LineHighlighter, false);
        default: return PlanFor(RequestAction::Nothing, false);
    }
}

void DispatchRequest(int code) {
    platform::WindowHandle foreground = platform::GetForegroundWindow();
    RequestPlan plan = PlanRequest(code, platform::GetWindowTextA(foreground));
    platform::WindowHandle target = plan.useTarget ? foreground : nullptr;
    if (plan.action == RequestAction::Nothing) return;
    if (plan.action == RequestAction::TypeAtSign) {
        TypeAtSign();
        return;
    }
    OpenFeature& open = gOpenFeatures[static_cast<int>(plan.action)];
    if (!open.running) gRestoreClipboard = RestoreClipboardOption();
    if (open.running) {
        if (platform::WindowHandle dialog = NewestDialogSince(open.dialogsBefore))
            platform::SetForegroundWindow(dialog);
        return;
    }
    bool done = RunOpenFeature(open, plan.action, target);
    bool restore = plan.restoreForeground == RestoreForeground::Always ||
                   (plan.restoreForeground == RestoreForeground::OnSuccess && done);
    if (restore && target) platform::SetForegroundWindow(target);
    if (done) PastePlacedResult(plan.pasteMacro, target);
}

void OnHotkey(uintptr_t identifier) {
    platform::Sleep(kHotkeySettleMs);
    for (int slot = 0; slot < 4; ++slot) {
        if (identifier == gHotkeyAtoms[slot]) {
            DispatchRequest(kHotkeySlots[slot].request);
            return;
        }
    }
}

void CreateHotkeyAtoms() {
    std::string base = BaseName();
    for (int slot = 0; slot < 4; ++slot)
        gHotkeyAtoms[slot] = platform::GlobalAddAtomA(base + kHotkeySlots[slot].suffix);
}


// A combination another program holds simply never arrives; the others
// still work, so the results are not examined. A held combination must not
// repeat (each repeat would open the feature again); a system that does not
// know that flag refuses it, and then the combination is taken without it.
void EnableHotkeys(platform::WindowHandle window) {
    gHotkeysEnabled = 1;
    for (int slot = 0; slot < 4; ++slot) {
        const HotkeySlot& hotkey = kHotkeySlots[slot];
        if (!platform::RegisterHotKey(window, gHotkeyAtoms[slot], hotkey.modifiers | platform::kModNoRepeat,
                                      hotkey.virtualKey))
            platform::RegisterHotKey(window, gHotkeyAtoms[slot], hotkey.modifiers, hotkey.virtualKey);
    }
}

void DisableHotkeys(platform::WindowHandle window) {
    gHotkeysEnabled = 0;
    for (uint16_t atom : gHotkeyAtoms) platform::UnregisterHotKey(window, atom);
}

void ToggleHotkeys(platform::WindowHandle window) {
    if (gHotkeysEnabled)
        DisableHotkeys(window);
    else
        EnableHotkeys(window);
}

void ReleaseHotkeys(platform::WindowHandle window) {
    for (uint16_t atom : gHotkeyAtoms) platform::UnregisterHotKey(window, atom);
    gHotkeysEnabled = 0;
    DeleteHotkeyAtoms();
}
