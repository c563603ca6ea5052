#include "app/hotkey_dispatcher.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "app/configuration_file.h"
#include "app/open_dialogs.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/hotkeys.h"
#include "platform/keyboard.h"

uint16_t gHotkeyAtoms[kFeatureCount] = {};
int32_t gHotkeysEnabled = 0;

namespace {

// Where the shortcuts are registered, and what became of each (by slot).
platform::WindowHandle gHotkeyWindow = nullptr;
unsigned gAtSignKey = 0x30;
bool gShortcutTaken[kFeatureCount];  // its last registration failed
bool gTakenToldOf[kFeatureCount];

// A feature's own hotkey, held (where the system repeats it) or pressed
// again while its dialog is behind another window, brings that dialog
// forward instead of opening a second one inside it.
struct OpenFeature {
    bool running;
    size_t dialogsBefore;  // the dialogs open when it started
};
OpenFeature gOpenFeatures[kFeatureCount];

constexpr unsigned kAtSignSettleMs = 150;
// Keys sent back reach the system's hotkey check after SendInput returns
// (Windows queues them): the shortcut is taken again only after that.
constexpr unsigned kGiveBackSettleMs = 50;
constexpr unsigned kAltGr = 6;  // VkKeyScanExA's Ctrl+Alt

const Feature* FeatureInSlot(int slot) {
    for (const Feature& feature : kFeatures)
        if (feature.slot == slot) return &feature;
    return nullptr;
}

int IndexOf(const Feature& feature) { return static_cast<int>(&feature - kFeatures); }

unsigned KeyOf(const Feature& feature) { return feature.virtualKey == kAtSignKey ? gAtSignKey : feature.virtualKey; }

// A held combination must not repeat (each repeat would open the feature
// again); a system that does not know that flag refuses it, and then the
// combination is taken without it.
void RegisterSlot(const Feature& feature) {
    const uint16_t atom = gHotkeyAtoms[feature.slot - 1];
    bool done =
        platform::RegisterHotKey(gHotkeyWindow, atom, feature.modifiers | platform::kModNoRepeat, KeyOf(feature)) ||
        platform::RegisterHotKey(gHotkeyWindow, atom, feature.modifiers, KeyOf(feature));
    gShortcutTaken[feature.slot - 1] = !done;
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
std::string ShortcutName(const Feature& feature) {
    if (feature.virtualKey != kAtSignKey) return std::string("Ctrl+") + static_cast<char>(feature.virtualKey);
    platform::LayoutHandle layout = platform::GetWindowKeyboardLayout(platform::GetForegroundWindow());
    if ((platform::VkKeyScanExA('@', layout) >> 8) != kAltGr) return "Ctrl+Alt+0";
    return "AltGr+" + KeyLabel(gAtSignKey, layout);
}

// The shortcut follows the layout of the window in front.
void FollowAtSignKey() {
    unsigned key = AtSignKeyOf(platform::GetWindowKeyboardLayout(platform::GetForegroundWindow()));
    if (key == gAtSignKey) return;
    gAtSignKey = key;
    if (!gHotkeysEnabled) return;
    for (const Feature& feature : kFeatures) {
        if (feature.virtualKey != kAtSignKey) continue;
        platform::UnregisterHotKey(gHotkeyWindow, gHotkeyAtoms[feature.slot - 1]);
        RegisterSlot(feature);
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

// As characters Ctrl+D and Ctrl+H would be control codes: the keys go back
// (a Ctrl and letter chord, as every fixed shortcut is), with the shortcut
// let go meanwhile so that they do not come back here.
void GiveBackKeys(const Feature& feature) {
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(feature.virtualKey)));
    platform::UnregisterHotKey(gHotkeyWindow, gHotkeyAtoms[feature.slot - 1]);
    SendKeyMacro(std::string("{CTRL_D}") + letter + "{CTRL_U}");
    platform::Sleep(kGiveBackSettleMs);
    if (gHotkeysEnabled) RegisterSlot(feature);
}

// Answers whether the feature left something to paste.
bool RunOpenFeature(OpenFeature& open, const Feature& feature, platform::WindowHandle target) {
    open = {true, OpenDialogCount()};
    bool done = feature.entry(target, DialogIcon(feature.icon)) != 0;
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

void RunFeature(const Feature& feature, platform::WindowHandle target) {
    OpenFeature& open = gOpenFeatures[IndexOf(feature)];
    if (open.running) {
        if (platform::WindowHandle dialog = NewestDialogSince(open.dialogsBefore))
            platform::SetForegroundWindow(dialog);
        return;
    }
    // Read only where the clipboard is used, so that Ctrl+M reads no file.
    if (*feature.pasteMacro) gRestoreClipboard = RestoreClipboardOption();
    bool done = RunOpenFeature(open, feature, target);
    bool restore = feature.restoreForeground == RestoreForeground::Always ||
                   (feature.restoreForeground == RestoreForeground::OnSuccess && done);
    if (restore && target) platform::SetForegroundWindow(target);
    if (done) PastePlacedResult(feature.pasteMacro, target);
}

// An atom that could not be added is 0, which names no atom to delete.
void DeleteHotkeyAtoms() {
    for (uint16_t& atom : gHotkeyAtoms) {
        if (atom != 0) platform::GlobalDeleteAtom(atom);
        atom = 0;
    }
}

}  // namespace

const Feature* FeatureOfCommand(int command) {
    for (const Feature& feature : kFeatures)
        if (feature.command == command) return &feature;
    return nullptr;
}

unsigned AtSignKeyOf(platform::LayoutHandle layout) {
    int16_t key = platform::VkKeyScanExA('@', layout);
    return key != -1 && (key >> 8) == kAltGr ? static_cast<unsigned>(key & 0xFF) : 0x30u;
}

std::string ShortcutMenuText(int command) {
    const Feature* feature = FeatureOfCommand(command);
    if (!feature) return "";
    if (gShortcutTaken[feature->slot - 1]) return " (" + ShortcutName(*feature) + " taken by another program)";
    return "\t" + ShortcutName(*feature);
}

std::string NewlyTakenShortcuts() {
    std::string lines;
    for (int slot = 1; slot <= kFeatureCount; ++slot) {
        if (!gShortcutTaken[slot - 1] || gTakenToldOf[slot - 1]) continue;
        gTakenToldOf[slot - 1] = true;
        const Feature& feature = *FeatureInSlot(slot);
        if (!lines.empty()) lines += "\n";
        lines += ShortcutName(feature) + " is taken by another program: " + feature.name + " is in the menu.";
    }
    return lines;
}

bool IsOneNoteTitle(const std::string& title) { return title.find("OneNote") != std::string::npos; }

RequestPlan PlanRequest(int code, const std::string& title) {
    if (const Feature* feature = FeatureInSlot(code)) {
        if (!feature->needsOneNote || IsOneNoteTitle(title)) return {RequestAction::RunFeature, feature, true};
        if (feature->virtualKey == kAtSignKey) return {RequestAction::TypeAtSign, feature, true};
        return {RequestAction::GiveBackKeys, feature, true};
    }
    if (const Feature* feature = FeatureOfCommand(code)) return {RequestAction::RunFeature, feature, false};
    return {RequestAction::Nothing, nullptr, false};
}

void DispatchRequest(int code) {
    platform::WindowHandle foreground = platform::GetForegroundWindow();
    RequestPlan plan = PlanRequest(code, platform::GetWindowTextA(foreground));
    switch (plan.action) {
        case RequestAction::TypeAtSign: TypeAtSign(foreground); break;
        case RequestAction::GiveBackKeys:
            if (foreground) GiveBackKeys(*plan.feature);
            break;
        case RequestAction::RunFeature: RunFeature(*plan.feature, plan.useTarget ? foreground : nullptr); break;
        case RequestAction::Nothing: break;
    }
}

void OnHotkey(uintptr_t identifier) {
    platform::Sleep(kHotkeySettleMs);
    for (int slot = 1; slot <= kFeatureCount; ++slot) {
        if (identifier == gHotkeyAtoms[slot - 1]) {
            DispatchRequest(slot);
            FollowAtSignKey();
            return;
        }
    }
}

void CreateHotkeyAtoms() {
    std::string base = BaseName();
    for (int slot = 1; slot <= kFeatureCount; ++slot)
        gHotkeyAtoms[slot - 1] = platform::GlobalAddAtomA(base + "_" + std::to_string(slot));
}

// A combination another program holds never arrives; the others still work,
// and the menu and a balloon say which is missing.
void EnableHotkeys(platform::WindowHandle window) {
    gHotkeysEnabled = 1;
    gHotkeyWindow = window;
    gAtSignKey = AtSignKeyOf(platform::GetWindowKeyboardLayout(platform::GetForegroundWindow()));
    for (int slot = 1; slot <= kFeatureCount; ++slot) RegisterSlot(*FeatureInSlot(slot));
}

void DisableHotkeys(platform::WindowHandle window) {
    gHotkeysEnabled = 0;
    for (uint16_t atom : gHotkeyAtoms) platform::UnregisterHotKey(window, atom);
}

void ToggleHotkeys(platform::WindowHandle window) {
    if (gHotkeysEnabled) DisableHotkeys(window);
    else EnableHotkeys(window);
}

// The end of a run: a later run tells again of what it finds taken.
void ReleaseHotkeys(platform::WindowHandle window) {
    for (uint16_t atom : gHotkeyAtoms) platform::UnregisterHotKey(window, atom);
    gHotkeysEnabled = 0;
    std::fill(std::begin(gShortcutTaken), std::end(gShortcutTaken), false);
    std::fill(std::begin(gTakenToldOf), std::end(gTakenToldOf), false);
    DeleteHotkeyAtoms();
}
