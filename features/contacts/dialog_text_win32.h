// What the three contact dialogs share at the Windows edge: their controls
// are Unicode windows, the program's text is UTF-8.
#pragma once

#include <windows.h>

#include <string>

std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const wchar_t* text, size_t units);

std::string WindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& utf8);

// Tells the user that `entry` (what the contact or company is called) did
// not reach the configuration file, which the box names; the caller goes
// on and pastes the link all the same.
void ReportNotKept(HWND owner, const std::string& entry);
