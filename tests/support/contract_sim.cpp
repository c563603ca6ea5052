#include <string>

#include "app/configuration_file.h"
#include "platform/sim/sim.h"
#include "tests/support/contract.h"

namespace {
int gFolders = 0;
}

void ResetPlatform() { sim::Reset(); }

std::string FreshFolder() {
    std::string folder = "C:\\tests\\" + std::to_string(++gFolders) + "\\";
    sim::AddFolder(folder.substr(0, folder.size() - 1));
    return folder;
}

bool RunningOnSimulation() { return true; }

bool RunningUnderWine() { return false; }

void ClearPlace(const std::string&) {}

std::string PlaceOfConfiguration() {
    ResetPlatform();
    sim::SetModuleFileName(FreshFolder() + "Vantor.exe");
    return ConfigurationPath();
}

bool MakeReadOnly(const std::string& path) {
    sim::SetReadOnly(path);
    return true;
}

bool MakeFolder(const std::string& path) {
    sim::AddFolder(path);
    return true;
}

void* MakeClipboardOwner(void (*handler)(unsigned message, unsigned format)) {
    sim::DeliverOwnerMessagesTo(handler);
    return sim::AddWindow("Clipboard owner", sim::kProgramProcess);
}

void DestroyClipboardOwner(void*) { sim::DestroyClipboardOwner(); }
void* MakeWindow(void* parent) {
    return parent ? sim::AddChildWindow(parent, sim::kProgramProcess) : sim::AddWindow("", sim::kProgramProcess);
}
