#pragma once
#include <windows.h>

#include <string>

#include "cleanup/CompressFolder.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32DynamicLibraries.h"
#include "platform/win32/Win32FileActions.h"
#include "platform/win32/Win32ProfileFiles.h"

struct TFolderNode;
struct TSystemServices;
class TMainForm;

// The folder as the archive dialog needs it: its size is the progress
// total, its usage includes the waste the views show when they show it.
TCompressFolderRequest CompressRequestOf(const TFolderNode& node, const std::string& path, bool includeWasted,
                                         int clusterView);

// The archive dialog's commands of the main window, with the real services
// the rest of the program does not need.
class TArchiveCommands {
public:
    TArchiveCommands(TSystemServices& system, TMainForm& form, const std::string& programPath);

    // Archives the folder; the page repairs the tree afterwards.
    void Archive(const TFolderNode& node, const std::string& path);
    void RestoreFolders();

private:
    TMainForm& Form;
    TWin32DynamicLibraries Libraries;
    TWin32ByteStreamFiles Streams;
    TWin32ProfileFiles Profiles;
    TWin32FileActions FileActions;
    TCompressFolderServices Services;
};
