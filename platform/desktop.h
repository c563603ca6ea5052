// Top-level windows, the foreground, and the few ways the program speaks to
// the user or the shell.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

WindowHandle GetForegroundWindow();

// GetWindowTextLengthA, then GetWindowTextA with room for the whole title.
// A null or vanished window has an empty title.
std::string GetWindowTextA(WindowHandle window);

bool SetForegroundWindow(WindowHandle window);

// GetWindowThreadProcessId: the process a window belongs to; 0 for none.
unsigned GetWindowProcessId(WindowHandle window);

// EnumChildWindows (which goes to every depth) and GetWindowThreadProcessId:
// the processes the window's child windows belong to, each once. A frame
// may show the content of another process in a child window (a Store app
// inside its host's frame). Empty for a null window or one without children.
std::vector<unsigned> ChildWindowProcessIds(WindowHandle window);

void MessageBeep(unsigned type);

// MessageBoxA; returns the button id.
int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style);

// ShellExecuteW(no owner, "open", path, "", "", SW_SHOW) of a UTF-8 path;
// does not wait.
void ShellExecuteOpen(const std::string& path);

}  // namespace platform
