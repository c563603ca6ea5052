#include <windows.h>

#include <string>

#include "tests/support/contract.h"

void ResetPlatform() {}

std::string FreshFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
        std::string folder = std::string(temp) + "vantor-test-" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
    }
}

bool RunningOnSimulation() { return false; }
