// Accented capitals: the key of a French accented lower-case letter and the
// capital it types.
#pragma once

#include <string>

#include "platform/types.h"

// The key macro typing the capital for this virtual-key code, or "": the
// capital of the é, à, ç, è or ù the key types alone in this layout, else
// the capital of the French AZERTY key with this code.
std::string CapitalForKey(unsigned virtualKey, platform::LayoutHandle layout);
