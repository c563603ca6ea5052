// Files and the program's own module. Paths are UTF-8: a folder may hold any
// letter, and the system is reached through its UTF-16 (W) functions.
#pragma once

#include <string>

namespace platform {

// GetModuleFileNameW of the program's own module (at most 260 UTF-16
// characters), in UTF-8.
std::string GetModuleFileNameW();

// GetFileAttributesW succeeds: a file or a folder of that name exists.
bool PathExists(const std::string& path);

bool DeleteFileW(const std::string& path);

// Creates (or truncates) the file and writes exactly these bytes.
bool WriteNewFile(const std::string& path, const std::string& bytes);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// At most the first `count` bytes of a file; empty when it cannot be read.
std::string ReadFileStart(const std::string& path, unsigned count);

// The bytes of the program's RT_RCDATA resource with this numeric id, exactly
// as stored; empty when there is none.
std::string LoadRcData(unsigned id);

}  // namespace platform
