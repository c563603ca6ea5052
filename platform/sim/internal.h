// What the simulated services share among themselves: the call log, the
// reset of each service, the conversions and the file store used by the
// profile functions. Tests use sim.h instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/types.h"

namespace sim {

void Log(const std::string& name, const std::string& detail = "");
std::string Hex(unsigned value);
std::string HandleText(platform::WindowHandle window);

void ResetLog();
void ResetClock();
void ResetKeyboard();
void ResetDesktop();
void ResetClipboard();
void ResetHotkeys();
void ResetFiles();
void ResetIcons();

// Conversions without a log entry.
std::u16string DecodeAnsi(const std::string& bytes);
std::string EncodeAnsi(const std::u16string& text);
std::u16string DecodeUtf8(const std::string& bytes);
std::string EncodeUtf8(const std::u16string& text);
char16_t LowerUnit(char16_t unit);

// Ctrl+C reached the window in front: its copy, if it answers, is due.
void CopyKeysArrived();
// The window in front, without a log entry.
platform::WindowHandle Foreground();
// Ctrl+V reached the window in front: its reads, if it is told to read, are due.
void PasteKeysArrived();

// Another program's action, due when the clock reaches `when`: run by
// waits (Sleep) and by the message loop.
void At(unsigned when, std::function<void()> action);
// The clock moves on by this much, the actions due meanwhile run.
void PassTime(unsigned milliseconds);

// The file store without a log entry.
enum class PathKind { Missing, File, Folder };
PathKind KindOfPath(const std::string& path);
bool LoadFile(const std::string& path, std::string& bytes);
// The stored bytes themselves (null when there is no such file), valid until
// the next change to the files; the count of changes so far tells when.
const std::string* StoredBytes(const std::string& path);
unsigned FileChanges();
// Creates or replaces a file; false when the folder is missing or either the
// file or its folder is read-only, and then nothing changes.
bool StoreFile(const std::string& path, const std::string& bytes);
// Whether an existing file, or a new one at this path, may be written.
bool MayWrite(const std::string& path);

}  // namespace sim
