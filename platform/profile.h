// INI files through the Windows profile functions, on a file named by its
// UTF-8 path.
//
// What names and values are depends on the file, as the system keeps it:
// - a file the system reads as Unicode (the FF FE mark; Windows honours no
//   other, Wine also FE FF and the UTF-8 mark): UTF-8 text, which the system
//   stores in the file's own encoding;
// - any other file, a missing one included: the file's own bytes, passed
//   through unchanged both ways, as the ANSI functions pass them.
// Either way a UTF-8 text written in reads back as itself.
#pragma once

#include <string>

namespace platform {

// GetPrivateProfileStringW with a buffer of `size` characters: at most
// size - 1 of them come back.
std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, unsigned size, const std::string& path);

// False when the file did not take the value (a read-only file, a folder the
// user cannot write to, a folder in the file's place).
bool WritePrivateProfileStringW(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& path);

}  // namespace platform
