// Files and folders in memory. Paths compare without regard to case and
// slashes; a drive root always exists.
#include <map>
#include <set>

#include "platform/files.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

extern const unsigned char kDefaultConfigurationBytes[];
extern const std::size_t kDefaultConfigurationBytesSize;

namespace sim {

namespace {

std::map<std::string, std::string> gFiles;  // by PathKey
std::set<std::string> gFolders;
std::set<std::string> gReadOnly;
std::map<unsigned, std::string> gRcData;
std::string gModulePath;
unsigned gChanges = 0;

// Paths are UTF-8. Lower case, backslashes, no trailing backslash; a bare
// name lives in the Windows folder, as the profile functions take it.
std::string PathKey(const std::string& path) {
    std::u16string text = DecodeUtf8(path);
    for (char16_t& unit : text) unit = unit == '/' ? u'\\' : LowerUnit(unit);
    std::string key = EncodeUtf8(text);
    while (!key.empty() && key.back() == '\\') key.pop_back();
    if (!key.empty() && key.find('\\') == std::string::npos && key.find(':') == std::string::npos)
        key = "c:\\windows\\" + key;
    return key;
}

std::string ParentKey(const std::string& key) {
    size_t slash = key.rfind('\\');
    return slash == std::string::npos ? "" : key.substr(0, slash);
}

bool IsDriveRoot(const std::string& key) { return key.size() == 2 && key[1] == ':'; }

bool FolderExists(const std::string& key) { return IsDriveRoot(key) || gFolders.count(key) > 0; }

void AddFolderKey(std::string key) {
    for (; !key.empty() && !IsDriveRoot(key); key = ParentKey(key)) gFolders.insert(key);
}

}  // namespace

void ResetFiles() {
    ++gChanges;
    gFiles.clear();
    gFolders.clear();
    gReadOnly.clear();
    gRcData.clear();
    gRcData[10].assign(reinterpret_cast<const char*>(kDefaultConfigurationBytes), kDefaultConfigurationBytesSize);
    SetModuleFileName("C:\\Vantor\\Vantor.exe");
}

PathKind KindOfPath(const std::string& path) {
    std::string key = PathKey(path);
    if (gFiles.count(key)) return PathKind::File;
    return FolderExists(key) ? PathKind::Folder : PathKind::Missing;
}

const std::string* StoredBytes(const std::string& path) {
    auto found = gFiles.find(PathKey(path));
    return found == gFiles.end() ? nullptr : &found->second;
}

unsigned FileChanges() { return gChanges; }

bool LoadFile(const std::string& path, std::string& bytes) {
    const std::string* stored = StoredBytes(path);
    if (stored) bytes = *stored;
    return stored != nullptr;
}

bool MayWrite(const std::string& path) {
    std::string key = PathKey(path);
    std::string parent = ParentKey(key);
    return !key.empty() && !FolderExists(key) && FolderExists(parent) && !gReadOnly.count(key) &&
           !gReadOnly.count(parent);
}

bool StoreFile(const std::string& path, const std::string& bytes) {
    if (!MayWrite(path)) return false;
    ++gChanges;
    gFiles[PathKey(path)] = bytes;
    return true;
}

void SetModuleFileName(const std::string& path) {
    gModulePath = path;
    AddFolderKey(ParentKey(PathKey(path)));
}

void SetFile(const std::string& path, const std::string& bytes) {
    std::string key = PathKey(path);
    AddFolderKey(ParentKey(key));
    ++gChanges;
    gFiles[key] = bytes;
}

bool GetFile(const std::string& path, std::string& bytes) { return LoadFile(path, bytes); }

void AddFolder(const std::string& path) { AddFolderKey(PathKey(path)); }

void SetReadOnly(const std::string& path) { gReadOnly.insert(PathKey(path)); }

void SetRcData(unsigned id, const std::string& bytes) { gRcData[id] = bytes; }

}  // namespace sim

namespace platform {

std::string GetModuleFileNameW() {
    // A buffer of 260 characters holds 259 and the NUL.
    std::string path = sim::EncodeUtf8(sim::DecodeUtf8(sim::gModulePath).substr(0, 259));
    sim::Log("GetModuleFileNameW", path);
    return path;
}

bool PathExists(const std::string& path) {
    bool exists = sim::KindOfPath(path) != sim::PathKind::Missing;
    sim::Log("GetFileAttributesW", path + (exists ? "" : " missing"));
    return exists;
}

bool DeleteFileW(const std::string& path) {
    bool done = sim::KindOfPath(path) == sim::PathKind::File && sim::MayWrite(path);
    if (done) {
        ++sim::gChanges;
        sim::gFiles.erase(sim::PathKey(path));
    }
    sim::Log("DeleteFileW", path + (done ? "" : " failed"));
    return done;
}

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    bool done = sim::StoreFile(path, bytes);
    sim::Log("WriteFile", path + " " + std::to_string(bytes.size()) + " bytes" + (done ? "" : " failed"));
    return done;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bool done = sim::LoadFile(path, bytes);
    sim::Log("ReadFile", path + (done ? "" : " failed"));
    return done;
}

std::string ReadFileStart(const std::string& path, unsigned count) {
    const std::string* stored = sim::StoredBytes(path);
    sim::Log("ReadFile", path + " " + std::to_string(count) + " bytes" + (stored ? "" : " failed"));
    return stored ? stored->substr(0, count) : std::string();
}

std::string LoadRcData(unsigned id) {
    auto found = sim::gRcData.find(id);
    std::string bytes = found == sim::gRcData.end() ? "" : found->second;
    std::string detail = std::to_string(id);
    detail.append(" ").append(std::to_string(bytes.size())).append(" bytes");
    sim::Log("FindResourceA", detail);
    return bytes;
}

}  // namespace platform
