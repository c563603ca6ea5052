#include <string>

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
