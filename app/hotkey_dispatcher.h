// The four global hotkeys and the dispatch of a request, from a hotkey or a
// tray menu command, to a feature and the keys that follow it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

// What starts a request: one of the four hotkeys, or one of the tray menu's
// four feature commands (which skip the OneNote test and have no target).
enum RequestCode : int {
    kCtrlMRequest = 1,
    kCtrlDRequest = 2,
    kAtKeyRequest = 3,
    kCtrlHRequest = 4,
    kAccentsMenuRequest = 11,
    kDatePickerMenuRequest = 12,
    kContactBookMenuRequest = 13,
    kHighlightMenuRequest = 14,
};

// Outside OneNote a shortcut is given back: Ctrl+D and Ctrl+H as the keys
// themselves, the "@" chord as what it types in the window in front.
enum class RequestAction {
    Nothing, AccentedCapitals, DatePicker, ContactBook, LineHighlighter, TypeAtSign, GiveBackKeys
};
enum class RestoreForeground { Never, OnSuccess, Always };

struct RequestPlan {
    RequestAction action;
    bool useTarget;
    std::string pasteMacro;  // sent when the feature returns nonzero; empty: none
    RestoreForeground restoreForeground;
};

// Process-wide: the four atoms (slot 1 at index 0) and the enabled flag.
extern uint16_t gHotkeyAtoms[4];
extern int32_t gHotkeysEnabled;

// The "@" key of this layout: where "@" is AltGr and a key, that key; else
// the 0 key (Ctrl+Alt+0, AltGr+0 on French AZERTY).
unsigned AtSignKeyOf(platform::LayoutHandle layout);

// For the tray menu item of a feature request (11 to 14): its shortcut
// after a tab, or what became of it when another program holds it.
std::string ShortcutMenuText(int request);
// Shortcuts found taken since the last asking, each once a run: one line
// apiece for a balloon; empty when there is nothing new.
std::string NewlyTakenShortcuts();

bool IsOneNoteTitle(const std::string& title);
RequestPlan PlanRequest(int code, const std::string& title);
void DispatchRequest(int code);
void OnHotkey(uintptr_t identifier);

void CreateHotkeyAtoms();
void EnableHotkeys(platform::WindowHandle window);
void DisableHotkeys(platform::WindowHandle window);
void ToggleHotkeys(platform::WindowHandle window);
void ReleaseHotkeys(platform::WindowHandle window);

