#pragma once
#include <cstdint>
#include <string>

#include "scan/DriveRecords.h"

struct TFolderNode;

// What the main window remembers while it runs. The main window and the
// scan commands write it; the pages read it through their host. Nothing of
// it is saved.
struct TMainFormState {
    bool Scanning = false;
    uint8_t CurrentPage = 0;  // page index 0..4
    TScannedDrives ScannedDrives;
    std::string CurrentPath;  // the selected folder's path; empty when nothing is selected
    char CurrentDrive = 0;    // the drive whose details were last loaded
    int32_t CurrentClusterSize = 0;
    // The cluster size in view, as the cluster size box picks it: 0 the
    // drive's own, k for ClusterSizes[k].
    int ClusterView = 0;
    int64_t DriveTotalBytes = 0;
    int64_t DriveFreeBytes = 0;
    TFolderNode* CurrentNode = nullptr;  // the node whose data the pages show
    TFolderNode* CurrentRoot = nullptr;  // the drive's root above it
};
