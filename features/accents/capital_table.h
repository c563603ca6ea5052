// Accented capitals: the key of a French accented lower-case letter and the
// capital it types.
#pragma once

#include <string>

// The key macro typing the capital for this virtual-key code, or "".
std::string CapitalForKey(unsigned virtualKey);
