#include "e2e/driver/unix_process.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace e2e {

namespace {

std::string ReadProcFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// "Name:   1234 kB" in a status file.
unsigned long long StatusValue(const std::string& status, const std::string& name) {
    size_t at = status.find("\n" + name + ":");
    if (at == std::string::npos) return 0;
    return std::strtoull(status.c_str() + at + name.size() + 2, nullptr, 10);
}

}  // namespace

int UnixProcessWith(const std::string& commandLinePart) {
    const std::string wanted = Lowered(commandLinePart);
    for (const std::string& pid : Entries("Z:\\proc")) {
        std::string commandLine = ReadProcFile("Z:\\proc\\" + pid + "\\cmdline");
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (Lowered(commandLine).find(wanted) != std::string::npos) return std::atoi(pid.c_str());
    }
    return -1;
}

int UnixProcessStartedIn(const std::string& folder) {
    std::string trimmed = folder.substr(0, folder.find_last_not_of('\\') + 1);
    return UnixProcessWith(trimmed.substr(trimmed.find_last_of('\\') + 1));
}

UnixFigures ReadUnixFigures(int unixProcess) {
    UnixFigures figures;
    if (unixProcess <= 0) return figures;
    const std::string folder = "Z:\\proc\\" + std::to_string(unixProcess);
    const std::string status = "\n" + ReadProcFile(folder + "\\status");
    figures.residentKb = StatusValue(status, "VmRSS");
    figures.privateKb = StatusValue(status, "RssAnon");
    for (const std::string& task : Entries(folder + "\\task")) {
        const std::string taskFolder = folder + "\\task\\" + task;
        const std::string taskStatus = "\n" + ReadProcFile(taskFolder + "\\status");
        const unsigned long long switches = StatusValue(taskStatus, "voluntary_ctxt_switches") +
                                            StatusValue(taskStatus, "nonvoluntary_ctxt_switches");
        figures.wakeUps += switches;
        if (std::atoi(task.c_str()) == unixProcess) figures.mainThreadWakeUps = switches;
        figures.cpuNs += std::strtoull(ReadProcFile(taskFolder + "\\schedstat").c_str(), nullptr, 10);
    }
    figures.read = figures.residentKb > 0;
    return figures;
}

namespace {

struct Counting {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++reinterpret_cast<Counting*>(data)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    Counting* counting = reinterpret_cast<Counting*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counting->processId) return TRUE;
    ++counting->count;
    EnumChildWindows(window, CountChild, data);
    return TRUE;
}

}  // namespace

int WindowCount(DWORD processId) {
    Counting counting{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
}

}  // namespace e2e
