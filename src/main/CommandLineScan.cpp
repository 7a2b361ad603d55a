#include "main/CommandLineScan.h"

#include "cleanup/DriveAccess.h"
#include "controls/DriveItems.h"
#include "main/DriveStatus.h"
#include "platform/FileSystem.h"
#include "platform/ShellInfo.h"
#include "scan/ClusterSize.h"
#include "scan/PathUtils.h"

TCommandLineScan::TCommandLineScan(const TCommandLineScanServices& services)
    : Services(services),
      Scanner(Tree, services.FileSystem, services.DriveInfo, Drives, *this, services.NameOrder),
      Counter(services.Progress) {}

const TFolderNode* TCommandLineScan::Fail(const std::string& problem) {
    WhatWentWrong = problem;
    return nullptr;
}

std::string ScanTargetProblem(const std::string& fullPath, IFileSystem& fileSystem, ICurrentDirectory& directory,
                              IMessageBoxes& boxes) {
    if (!HasFullPathForm(fullPath)) return "not a full path";
    const char letter = UpperDriveLetter(fullPath[0]);
    // Unattended, the readiness prompt is answered Cancel at once.
    if (!CheckDriveAccessible(letter, directory, boxes)) return DriveNotAccessibleText(letter);
    if (IsDriveRoot(fullPath)) return std::string();
    if (!fileSystem.PathExists(fullPath)) return "no such folder";
    if (!fileSystem.OpenListing(AddBackslash(fullPath) + "*.*")) return "not a folder, or it cannot be read";
    return std::string();
}

TFolderNode* FindScannedFolder(TFolderNode* driveRoot, const std::string& fullPath, IDriveInfo& driveInfo) {
    const std::string below = RemoveBackslash(PathBelowRoot(fullPath));
    if (!driveRoot || below.empty()) return driveRoot;
    const std::string root = std::string(1, UpperDriveLetter(fullPath[0])) + ":\\";
    return FindNodeByPath(driveRoot, below, IsCaseSensitiveVolume(driveInfo, root));
}

const TFolderNode* TCommandLineScan::Scan(const std::string& fullPath) {
    const std::string problem =
        ScanTargetProblem(fullPath, Services.FileSystem, Services.Directory, Services.MessageBoxes);
    if (!problem.empty()) return Fail(problem);

    const char letter = UpperDriveLetter(fullPath[0]);
    AbortScan = false;
    Drive = Drives.Add(letter);
    const std::string driveItem =
        DriveItemText(letter, Services.ShellInfo.GetShellDisplayName(std::string(1, letter) + ":\\"));
    if (!Scanner.ScanDrive(driveItem, *Drive) || AbortScan || !Drive->RootNode || !Drive->RootNode->Record)
        return Fail("the scan did not finish");

    const TFolderNode* node = FindScannedFolder(Drive->RootNode, fullPath, Services.DriveInfo);
    if (!node) return Fail("the folder was not found on its drive");
    if (!node->Record) return Fail("the folder could not be read");
    return node;
}

int32_t TCommandLineScan::ClusterSize() const { return Drive ? Drive->ClusterSize : -1; }

void TCommandLineScan::SetStatusText(int panel, const std::string& text) {
    // The scanner names each folder as it enters it.
    if (panel == 0) Counter.FolderEntered(text);
}

void TCommandLineScan::ListingProgress() { Counter.Listing(); }

void TCommandLineScan::FolderFinished(TFolderNode& node) { Counter.FolderFinished(node); }
