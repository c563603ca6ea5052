// The features' hotkeys and the dispatch of a request, from a hotkey or a
// tray menu command, to a feature and the keys that follow it.
#pragma once

#include <cstdint>
#include <string>

#include "app/features.h"
#include "platform/types.h"

// A request's code names its feature: the slot of its hotkey, or its menu
// command, which skips the OneNote test and has no target.
enum class RequestAction { Nothing, RunFeature, TypeAtSign, GiveBackKeys };

struct RequestPlan {
    RequestAction action;
    const Feature* feature;  // null when Nothing
    bool useTarget;
};

// Every hotkey waits this long before its request is planned.
constexpr unsigned kHotkeySettleMs = 100;

// Process-wide: the atoms (slot 1 at index 0) and the enabled flag.
extern uint16_t gHotkeyAtoms[kFeatureCount];
extern int32_t gHotkeysEnabled;

// The feature a menu command starts, or null.
const Feature* FeatureOfCommand(int command);

// The "@" key of this layout: where "@" is AltGr and a key, that key; else
// the 0 key (Ctrl+Alt+0, AltGr+0 on French AZERTY).
unsigned AtSignKeyOf(platform::LayoutHandle layout);

// For the tray menu item of a feature's command: its shortcut after a tab,
// or what became of it when another program holds it.
std::string ShortcutMenuText(int command);
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
