#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "scan/DriveRecords.h"
#include "scan/ScanProgress.h"
#include "scan/FolderTree.h"
#include "scan/Scanner.h"

class ICurrentDirectory;
class IDriveInfo;
class IFileSystem;
class IMessageBoxes;
class INameOrder;
class IShellInfo;

struct TCommandLineScanServices {
    IFileSystem& FileSystem;
    IDriveInfo& DriveInfo;
    IShellInfo& ShellInfo;
    ICurrentDirectory& Directory;  // for the readiness check of the drive
    IMessageBoxes& MessageBoxes;   // answered by nobody: a box means failure
    const INameOrder& NameOrder;
    TScanProgress Progress;  // may be empty
};

// Why the path cannot be scanned, checked before its drive is read: the
// drive is not ready (asked once through `boxes`, which nobody answers),
// or the folder is missing or unreadable. "" when it can be.
std::string ScanTargetProblem(const std::string& fullPath, IFileSystem& fileSystem, ICurrentDirectory& directory,
                              IMessageBoxes& boxes);
// The path's node below its drive's root node; null when the scan did not
// find it.
TFolderNode* FindScannedFolder(TFolderNode* driveRoot, const std::string& fullPath, IDriveInfo& driveInfo);

// A scan without a window, for the jobs run from the command line. A path
// is scanned as the window scans one named on its command line: a drive
// root as that drive, a folder by scanning its whole drive and finding the
// folder in it, so every figure is the one the window would show.
class TCommandLineScan : private IScanHost {
public:
    explicit TCommandLineScan(const TCommandLineScanServices& services);
    TCommandLineScan(const TCommandLineScan&) = delete;
    TCommandLineScan& operator=(const TCommandLineScan&) = delete;

    // `fullPath` starts with a drive root ("C:\..."). The folder's node, or
    // null with Problem() saying why.
    const TFolderNode* Scan(const std::string& fullPath);
    const std::string& Problem() const { return WhatWentWrong; }
    // The cluster size of the scanned drive; -1 when unknown.
    int32_t ClusterSize() const;

private:
    const TFolderNode* Fail(const std::string& problem);

    // IScanHost
    void SetStatusText(int panel, const std::string& text) override;
    void ListingProgress() override;
    void FolderFinished(TFolderNode& node) override;

    TCommandLineScanServices Services;
    TFolderTree Tree;
    TDriveList Drives;
    TScanner Scanner;
    TDriveRecInfo* Drive = nullptr;
    std::string WhatWentWrong;
    TScanCounter Counter;
};
