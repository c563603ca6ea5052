// Top-level windows with titles, the foreground, and what the program shows
// the user or hands to the shell.
#include <algorithm>
#include <map>

#include "platform/desktop.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

struct Window {
    std::string title;
    bool open;
    unsigned process;
    WindowHandle parent;
};

std::map<WindowHandle, Window> gWindows;
uintptr_t gNextWindow = 0x10010;
unsigned gNextProcess = kProgramProcess + 1;
WindowHandle gForeground = nullptr;
std::vector<MessageBoxShown> gMessageBoxes;
std::vector<unsigned> gBeeps;
std::vector<std::string> gShellOpened;
int gMessageBoxAnswer = 1;  // IDOK

const Window* OpenWindow(WindowHandle window) {
    auto found = gWindows.find(window);
    return found != gWindows.end() && found->second.open ? &found->second : nullptr;
}

}  // namespace

void ResetDesktop() {
    gWindows.clear();
    gNextWindow = 0x10010;
    gNextProcess = kProgramProcess + 1;
    gForeground = nullptr;
    gMessageBoxes.clear();
    gBeeps.clear();
    gShellOpened.clear();
    gMessageBoxAnswer = 1;
}

WindowHandle AddWindow(const std::string& title, unsigned process) {
    WindowHandle window = reinterpret_cast<WindowHandle>(gNextWindow);
    gNextWindow += 0x10;
    gWindows[window] = {title, true, process ? process : gNextProcess++, nullptr};
    return window;
}

WindowHandle AddChildWindow(WindowHandle parent, unsigned process) {
    WindowHandle child = AddWindow("", process);
    gWindows[child].parent = parent;
    return child;
}

void SetForeground(WindowHandle window) { gForeground = window; }

WindowHandle Foreground() { return gForeground; }

void CloseWindow(WindowHandle window) {
    auto found = gWindows.find(window);
    if (found != gWindows.end()) found->second.open = false;
    if (gForeground == window) gForeground = nullptr;
}

void SetMessageBoxAnswer(int button) { gMessageBoxAnswer = button; }

const std::vector<MessageBoxShown>& MessageBoxes() { return gMessageBoxes; }
const std::vector<unsigned>& Beeps() { return gBeeps; }
const std::vector<std::string>& ShellOpened() { return gShellOpened; }

}  // namespace sim

namespace platform {

WindowHandle GetForegroundWindow() {
    sim::Log("GetForegroundWindow", sim::HandleText(sim::gForeground));
    return sim::gForeground;
}

std::string GetWindowTextA(WindowHandle window) {
    const sim::Window* open = sim::OpenWindow(window);
    std::string title = open ? open->title : "";
    sim::Log("GetWindowTextA", sim::HandleText(window) + " \"" + title + "\"");
    return title;
}

bool SetForegroundWindow(WindowHandle window) {
    bool done = sim::OpenWindow(window) != nullptr;
    if (done) sim::gForeground = window;
    sim::Log("SetForegroundWindow", sim::HandleText(window) + (done ? "" : " failed"));
    return done;
}

unsigned GetWindowProcessId(WindowHandle window) {
    auto found = sim::gWindows.find(window);
    unsigned process = found != sim::gWindows.end() ? found->second.process : 0;
    sim::Log("GetWindowThreadProcessId", sim::HandleText(window) + " -> " + std::to_string(process));
    return process;
}

std::vector<unsigned> ChildWindowProcessIds(WindowHandle window) {
    std::vector<unsigned> processes;
    std::vector<WindowHandle> parents;
    if (window) parents.push_back(window);
    while (!parents.empty()) {
        WindowHandle parent = parents.back();
        parents.pop_back();
        for (const auto& [handle, child] : sim::gWindows) {
            if (child.parent != parent || !child.open) continue;
            parents.push_back(handle);
            if (std::find(processes.begin(), processes.end(), child.process) == processes.end())
                processes.push_back(child.process);
        }
    }
    std::string detail;
    for (unsigned process : processes) detail += " " + std::to_string(process);
    sim::Log("EnumChildWindows", sim::HandleText(window) + " ->" + detail);
    return processes;
}

void MessageBeep(unsigned type) {
    sim::Log("MessageBeep", sim::Hex(type));
    sim::gBeeps.push_back(type);
}

int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) {
    sim::Log("MessageBoxA", sim::HandleText(owner) + " \"" + caption + "\" " + sim::Hex(style));
    sim::gMessageBoxes.push_back({text, caption, style});
    return sim::gMessageBoxAnswer;
}

void ShellExecuteOpen(const std::string& path) {
    sim::Log("ShellExecuteW", path);
    sim::gShellOpened.push_back(path);
}

}  // namespace platform
