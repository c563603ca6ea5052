// What a contract test needs from whichever platform it runs against.
#pragma once

#include <string>

// A platform as new: the simulation is reset; the real system has nothing
// to reset.
void ResetPlatform();

// A new, empty folder for this test, with its trailing backslash.
std::string FreshFolder();

// True when the cases run against the simulation.
bool RunningOnSimulation();
