// A contact or company the configuration file did not take is still
// pasted, but the user must know it will not be offered next time.
#pragma once

#include <windows.h>

#include <string>

// Tells the user that `entry` (what the contact or company is called) did
// not reach the configuration file, which the box names; the caller goes
// on and pastes the link all the same.
void ReportNotKept(HWND owner, const std::string& entry);
