#pragma once
#include <functional>
#include <string>

#include "platform/Registry.h"

// The start-up work the main window defers until it is on screen. Each
// step is supplied by the window; a step left empty is skipped.
struct TStartupSteps {
    // The first-run pair, shown modally: the letter without its Esc key.
    std::function<void()> ShowIntroLetter;
    std::function<void()> ShowAbout;
    // The start-up scans.
    std::function<void(const std::string& letters)> AutoScanDrives;
    std::function<void()> ScanCommandLine;
    std::function<bool()> NothingScanned;
    // "&Scan Drive(s)...", which asks the user for drives.
    std::function<void()> ScanDrives;
};

// Shows the introductory letter and the about box once when the registry's
// first-run flag "ShowIntroLetter" is exactly "1" (writing "0" back first, so
// a crash in between does not show them again), then scans the drives to
// scan automatically and those on the command line, and asks for drives
// when nothing has been scanned after that.
void RunDeferredStartup(IRegistry& registry, const std::string& drivesToAutoScan, TStartupSteps& steps);

// Reads and clears the first-run flag; true when the letter is due.
bool TakeIntroLetterFlag(IRegistry& registry);
