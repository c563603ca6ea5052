// Files and the program's own module.
#pragma once

#include <string>

namespace platform {

// GetModuleFileNameA of the program's own module (at most 260 characters).
std::string GetModuleFileNameA();

// GetFileAttributesA succeeds: a file or a folder of that name exists.
bool PathExists(const std::string& path);

bool DeleteFileA(const std::string& path);

// Creates (or truncates) the file and writes exactly these bytes.
bool WriteNewFile(const std::string& path, const std::string& bytes);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// The bytes of the program's RT_RCDATA resource with this numeric id, exactly
// as stored; empty when there is none.
std::string LoadRcData(unsigned id);

}  // namespace platform
