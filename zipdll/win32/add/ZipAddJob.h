#pragma once
// One call of ZipDllExec: the files of the specifications are written with
// the kept entries of an existing archive into a temporary file, which
// replaces the archive only when complete.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "zipdll/ZipDllInterface.h"

class TZipAddReporter;

struct TZipAddSettings {
    HWND Owner = nullptr;
    std::string ZipName;
    std::vector<std::string> Specs;
    std::string Password;
    bool Encrypt = false;
    bool HiddenFiles = false;
    bool FolderNames = true;
    bool Recurse = false;
    bool DosNames = false;
    bool Move = false;
    bool Update = false;
    bool Freshen = false;
    bool TimeFromNewest = false;
    int Level = 9;
};

TZipAddSettings ReadAddBlock(const TZipAddBlock& block);

// The number of files added (folder entries not counted); 0 when the
// archive was not written.
int32_t RunZipAdd(const TZipAddSettings& settings, TZipAddReporter& reporter);
