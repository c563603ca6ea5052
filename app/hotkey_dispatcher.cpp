#include "app/hotkey_dispatcher.h"

#include <algorithm>
#include <iterator>

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
#include "platform/keyboard.h"

uint16_t gHotkeyAtoms[4] = {};
int32_t gHotkeysEnabled = 0;

namespace {

struct HotkeySlot {
    const char* suffix;  // appended to the base name: "_1" .. "_4"
    unsigned modifiers;
    unsigned virtualKey;
    RequestCode request;
};
// Slot 3's key follows the layout (AtSignKeyOf); AltGr reaches the system as
// Ctrl+Alt, so on AZERTY this is the "@" key.
const HotkeySlot kHotkeySlots[4] = {
    {"_1", platform::kModControl, 0x4D, kCtrlMRequest},
    {"_2", platform::kModControl, 0x44, kCtrlDRequest},
    {"_3", platform::kModControl | platform::kModAlt, 0x30, kAtKeyRequest},
    {"_4", platform::kModControl, 0x48, kCtrlHRequest},
};

// Where the shortcuts are registered, and what became of each.
platform::WindowHandle gHotkeyWindow = nullptr;
unsigned gAtSignKey = 0x30;
bool gShortcutTaken[4];  // its last registration failed
bool gTakenToldOf[4];

// Feature names for the balloon, in slot order.
const char* const kFeatureNames[4] = {"Majuscules Accentu\xE9" "es", "Date Picker", "Contact Book", "Highlight line"};
// The keys given back in place of a shortcut outside OneNote, in slot order.
const char* const kGiveBackMacros[4] = {"", "{CTRL_D}d{CTRL_U}", "", "{CTRL_D}h{CTRL_U}"};

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
// Keys sent back reach the system's hotkey check after SendInput returns
// (Windows queues them): the shortcut is taken again only after that.
constexpr unsigned kGiveBackSettleMs = 50;
constexpr unsigned kAltGr = 6;  // VkKeyScanExA's Ctrl+Alt

int SlotOf(int request) {
    for (int slot = 0; slot < 4; ++slot)
        if (kHotkeySlots[slot].request == request) return slot;
    return -1;
}

unsigned KeyOf(int slot) { return slot == 2 ? gAtSignKey : kHotkeySlots[slot].virtualKey; }

// A held combination must not repeat (each repeat would open the feature
// again); a system that does not know that flag refuses it, and then the
// combination is taken without it.
void RegisterSlot(int slot) {
    const HotkeySlot& hotkey = kHotkeySlots[slot];
    bool done = platform::RegisterHotKey(gHotkeyWindow, gHotkeyAtoms[slot], hotkey.modifiers | platform::kModNoRepeat,
                                         KeyOf(slot)) ||
                platform::RegisterHotKey(gHotkeyWindow, gHotkeyAtoms[slot], hotkey.modifiers, KeyOf(slot));
    gShortcutTaken[slot] = !done;
}

// What the key types alone, as its label: "0", "Q", "\xF2".
std::string KeyLabel(unsigned virtualKey, platform::LayoutHandle layout) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    std::u16string typed = platform::ToUnicodeEx(virtualKey, 0, layout);
    if (typed.size() == 1 && typed[0] >= 0x20 && typed[0] < 0x100) return std::string(1, static_cast<char>(typed[0]));
    return "?";
}

// Where "@" needs no AltGr (US: Shift+2) the chord is Ctrl+Alt+0, and named so.
std::string ShortcutName(int slot) {
    if (slot != 2) return std::string("Ctrl+") + static_cast<char>(kHotkeySlots[slot].virtualKey);
    platform::LayoutHandle layout = platform::GetWindowKeyboardLayout(platform::GetForegroundWindow());
    if ((platform::VkKeyScanExA('@', layout) >> 8) != kAltGr) return "Ctrl+Alt+0";
    return "AltGr+" + KeyLabel(gAtSignKey, layout);
}

// The shortcut follows the layout of the window in front.
void FollowAtSignKey() {
    unsigned key = AtSignKeyOf(platform::GetWindowKeyboardLayout(platform::GetForegroundWindow()));
    if (key == gAtSignKey) return;
    if (gHotkeysEnabled) platform::UnregisterHotKey(gHotkeyWindow, gHotkeyAtoms[2]);
    gAtSignKey = key;
    if (gHotkeysEnabled) RegisterSlot(2);
}

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
        case RequestAction::GiveBackKeys:
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

// The chord typed outside OneNote was swallowed by the hotkey; what it types
// in that window's layout comes back as characters of their own, which no
// hotkey catches and which leave the user's clipboard alone. A chord that
// types nothing there gives nothing back.
void TypeAtSign(platform::WindowHandle front) {
    platform::Sleep(kAtSignSettleMs);
    for (char16_t character : platform::ToUnicodeEx(gAtSignKey, kAltGr, platform::GetWindowKeyboardLayout(front)))
        if (character >= 0x20) TypeCharacter(character);
}

// As characters Ctrl+D and Ctrl+H would be control codes: the keys go back,
// with the shortcut let go meanwhile so that they do not come back here.
void GiveBackKeys(int request) {
    int slot = SlotOf(request);
    if (slot < 0) return;
    platform::UnregisterHotKey(gHotkeyWindow, gHotkeyAtoms[slot]);
    SendKeyMacro(kGiveBackMacros[slot]);
    platform::Sleep(kGiveBackSettleMs);
    if (gHotkeysEnabled) RegisterSlot(slot);
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

unsigned AtSignKeyOf(platform::LayoutHandle layout) {
    int16_t key = platform::VkKeyScanExA('@', layout);
    return key != -1 && (key >> 8) == kAltGr ? static_cast<unsigned>(key & 0xFF) : 0x30u;
}

std::string ShortcutMenuText(int request) {
    int slot = SlotOf(request - kAccentsMenuRequest + kCtrlMRequest);
    if (slot < 0) return "";
    if (gShortcutTaken[slot]) return " (" + ShortcutName(slot) + " taken by another program)";
    return "\t" + ShortcutName(slot);
}

std::string NewlyTakenShortcuts() {
    std::string lines;
    for (int slot = 0; slot < 4; ++slot) {
        if (!gShortcutTaken[slot] || gTakenToldOf[slot]) continue;
        gTakenToldOf[slot] = true;
        if (!lines.empty()) lines += "\n";
        lines += ShortcutName(slot) + " is taken by another program: " + kFeatureNames[slot] + " is in the menu.";
    }
    return lines;
}

bool IsOneNoteTitle(const std::string& title) { return title.find("OneNote") != std::string::npos; }

RequestPlan PlanRequest(int code, const std::string& title) {
    bool oneNote = IsOneNoteTitle(title);
    switch (code) {
        case kCtrlMRequest: return PlanFor(RequestAction::AccentedCapitals, true);
        case kCtrlDRequest: return PlanFor(oneNote ? RequestAction::DatePicker : RequestAction::GiveBackKeys, true);
        case kAtKeyRequest: return PlanFor(oneNote ? RequestAction::ContactBook : RequestAction::TypeAtSign, true);
        case kCtrlHRequest: return PlanFor(oneNote ? RequestAction::LineHighlighter : RequestAction::GiveBackKeys, true);
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
        TypeAtSign(foreground);
        return;
    }
    if (plan.action == RequestAction::GiveBackKeys) {
        if (foreground) GiveBackKeys(code);
        return;
    }
    OpenFeature& open = gOpenFeatures[static_cast<int>(plan.action)];
    // Read only where the clipboard is used, so that Ctrl+M reads no file.
    if (!open.running && !plan.pasteMacro.empty()) gRestoreClipboard = RestoreClipboardOption();
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
            FollowAtSignKey();
            return;
        }
    }
}

void CreateHotkeyAtoms() {
    std::string base = BaseName();
    for (int slot = 0; slot < 4; ++slot)
        gHotkeyAtoms[slot] = platform::GlobalAddAtomA(base + kHotkeySlots[slot].suffix);
}

// A combination another program holds never arrives; the others still work,
// and the menu and a balloon say which is missing.
void EnableHotkeys(platform::WindowHandle window) {
    gHotkeysEnabled = 1;
    gHotkeyWindow = window;
    gAtSignKey = AtSignKeyOf(platform::GetWindowKeyboardLayout(platform::GetForegroundWindow()));
    for (int slot = 0; slot < 4; ++slot) RegisterSlot(slot);
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

// The end of a run: a later run tells again of what it finds taken.
void ReleaseHotkeys(platform::WindowHandle window) {
    for (uint16_t atom : gHotkeyAtoms) platform::UnregisterHotKey(window, atom);
    gHotkeysEnabled = 0;
    std::fill(std::begin(gShortcutTaken), std::end(gShortcutTaken), false);
    std::fill(std::begin(gTakenToldOf), std::end(gTakenToldOf), false);
    DeleteHotkeyAtoms();
}
