// Vantor.exe as the desktop tests drive it: a copy started in a fresh folder,
// its start-up notice answered, its hidden tray window found, and its end.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/driver/stand_in.h"

namespace e2e {

// Paths are UTF-8.
struct VantorRun {
    std::string folder;  // holds Vantor.exe (or the name given) and its .ini
    std::string name;    // the base name: "Vantor" or the name given
    std::string exe;
    std::string ini;
    HANDLE process = nullptr;
    HWND notice = nullptr;  // until answered
    HWND tray = nullptr;    // the hidden tray window (caption = base name)
};

// The program under test, built beside the tests' folder.
std::string VantorExecutable();

// Copies Vantor.exe into a fresh folder, or the empty one given (as `name` +
// ".exe"), writes `ini` there first when it is not empty, starts it and
// waits for its notice.
VantorRun StartVantor(const std::string& name = "Vantor", const std::string& ini = "",
                      const std::string& folder = "");

// A new folder of this name (UTF-8, any script) inside a fresh one, with its
// trailing backslash; empty (with a failure recorded) when it cannot be made.
std::string FreshFolderNamed(const std::string& name);

// Starts `name` + ".exe" in an existing folder (UTF-8), copying Vantor.exe there
// under that name first when it is missing; waits for its notice.
VantorRun StartVantorIn(const std::string& folder, const std::string& name = "Vantor");

// Sets the notice's box and presses OK; waits until the tray window exists
// and the notice is gone. False (with a failure recorded) otherwise.
bool AnswerNotice(VantorRun& run, bool catchKeys = true);

// Starts Vantor and answers its notice with the box ticked.
VantorRun StartVantorReady(const std::string& name = "Vantor", const std::string& ini = "",
                           const std::string& folder = "");

// Chooses a command of the tray menu without opening it (as the menu does,
// with WM_COMMAND to the tray window).
void ChooseMenuCommand(const VantorRun& run, WORD command);

// Chooses a command that returns at once (not a feature) and waits until
// the tray window has handled it. False when it did not answer in time.
bool SendMenuCommand(const VantorRun& run, WORD command);

// The tray window of a started copy, once its notice has gone (it exists,
// hidden, while the notice is open too).
HWND FindTrayWindow(const VantorRun& run);

// "Exit", then waits for the process; its exit code, or -1 (killed) if it
// did not end in time.
long ExitVantor(VantorRun& run, unsigned timeoutMs = 5000);

// Cancels the dialogs the program has open, the one in front first (a
// program in a modal dialog does not end on Exit), then ends it.
void CancelDialogsAndExit(VantorRun& run);

// The suites that drive one run of the program and one stand-in: each test
// starts both, and both end after it whatever it left open.
class ProgramSuite : public ::testing::Test {
protected:
    void TearDown() override {
        CancelDialogsAndExit(vantor);
        EndStandIn(standIn);
    }

    VantorRun vantor;
    StandIn standIn;
};

}  // namespace e2e
