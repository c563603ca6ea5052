// What the Linux kernel knows of a program running under Wine, read through
// drive Z: (the root of the Unix file system): its threads' wake-ups, the
// CPU time they used and its resident memory. Wine's own answers to
// GetProcessMemoryInfo and GetGuiResources are zero, so these stand in.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

struct UnixFigures {
    bool read = false;
    unsigned long long wakeUps = 0;  // context switches of all its threads
    unsigned long long mainThreadWakeUps = 0;  // of the thread that runs its windows
    unsigned long long cpuNs = 0;    // time its threads ran
    unsigned long long residentKb = 0;
    unsigned long long privateKb = 0;  // anonymous resident memory: its own data
};

// The Unix process whose command line holds `commandLinePart` (case-blind),
// or -1 when none does.
int UnixProcessWith(const std::string& commandLinePart);

// The Unix process of the program started from `folder` (with its
// trailing backslash), found by the folder's own name.
int UnixProcessStartedIn(const std::string& folder);

UnixFigures ReadUnixFigures(int unixProcess);

// Top-level and child windows of the process: what Wine gives of its USER objects.
int WindowCount(DWORD processId);

}  // namespace e2e
