#include "main/StartupSequence.h"

#include "config/Options.h"
#include "config/RegIniFile.h"
#include "config/RegistryValues.h"
#include "scan/TextUtils.h"

bool TakeIntroLetterFlag(IRegistry& registry) {
    try {
        if (ReadStringValue(registry, kRegistryRoot, "Version", "ShowIntroLetter", "0") != "1") return false;
        WriteStringValue(registry, kRegistryRoot, "Version", "ShowIntroLetter", "0");
    } catch (const TRegistryError&) {
        // A flag that cannot be read or cleared would show the letter at
        // every start; better not to show it at all.
        return false;
    }
    return true;
}

void RunDeferredStartup(IRegistry& registry, const std::string& drivesToAutoScan, TStartupSteps& steps) {
    if (TakeIntroLetterFlag(registry)) {
        if (steps.ShowIntroLetter) steps.ShowIntroLetter();
        if (steps.ShowAbout) steps.ShowAbout();
    }
    if (steps.AutoScanDrives) steps.AutoScanDrives(AsciiUpper(drivesToAutoScan));
    if (steps.ScanCommandLine) steps.ScanCommandLine();
    if (steps.NothingScanned && steps.NothingScanned() && steps.ScanDrives) steps.ScanDrives();
}
