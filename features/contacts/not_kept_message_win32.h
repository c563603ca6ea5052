// A contact or company the configuration file did not take is still
// pasted, but the user must know it will not be offered next time, and why.
#pragma once

#include <windows.h>

#include <string>

#include "features/contacts/contact_store.h"

// Tells the user that `entry` (what the contact or company is called) did
// not reach the configuration file, which the box names, and why: the file
// could not be written, another line holds the key, or the file keeps a
// mark Windows does not read; the caller goes on and pastes the link all
// the same.
void ReportNotKept(HWND owner, const std::string& entry, const StoreResult& result);
