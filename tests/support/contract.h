// What a contract test needs from whichever platform it runs against.
#pragma once

#include <string>

// A platform as new: the simulation is reset; the real system has nothing
// to reset.
void ResetPlatform();

// A new, empty folder for this test, with its trailing backslash.
std::string FreshFolder();

// True when the cases run against the simulation.
bool RunningOnSimulation();
// True when the real system is Wine (whose profile functions honour marks
// that Windows does not).
bool RunningUnderWine();

// The configuration file's path for a case that needs a file of its own
// there, with whatever an earlier case left in that place removed. The real
// program's file lies beside contract_tests.exe, so every case uses that one
// place; the simulated program is moved into a new folder for each case.
std::string PlaceOfConfiguration();
void ClearPlace(const std::string& path);

// The file at path made read-only for the program; a folder made at path.
bool MakeReadOnly(const std::string& path);
bool MakeFolder(const std::string& path);

// A window of the program's own that owns the clipboard: the system's
// messages to the owner go to `handler`. Destroying it is the program's end.
void* MakeClipboardOwner(void (*handler)(unsigned message, unsigned format));
void DestroyClipboardOwner(void* window);
void* MakeWindow(void* parent);  // the program's own; a child unless parent is null
