// The "HTML Format" clipboard document: read, offsets fixed, written, and
// built around a fragment.
#pragma once

#include <string>

#include "platform/types.h"

std::string ReadHtmlClipboard(platform::WindowHandle owner);
void FixHtmlOffsets(std::string& document);
void WriteHtmlClipboard(platform::WindowHandle owner, const std::string& document);
void PutHtmlFragment(platform::WindowHandle owner, const std::string& fragment);
