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

enum class RequestAction { Nothing, AccentedCapitals, DatePicker, ContactBook, LineHighlighter, TypeAtSign };
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

bool IsOneNoteTitle(const std::string& title);
RequestPlan PlanRequest(int code, const std::string& title);
void DispatchRequest(int code);
void OnHotkey(uintptr_t identifier);

void CreateHotkeyAtoms();
void EnableHotkeys(platform::WindowHandle window);
void DisableHotkeys(platform::WindowHandle window);
void ToggleHotkeys(platform::WindowHandle window);
void ReleaseHotkeys(platform::WindowHandle window);

