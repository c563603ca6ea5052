// The log lines the desktop tests' other programs (the stand-in, the
// clipboard listener) write for the driver to read.
#pragma once

#include <windows.h>

#include <string>

// One line per call, written straight through so that a reader in another
// process sees it at once, even if this process is killed afterwards.
inline void LogTo(HANDLE file, const std::string& line) {
    std::string bytes = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

// Bytes as the log shows them, so that any byte survives a line.
inline std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
