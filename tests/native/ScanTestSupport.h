#pragma once
// Shared set-up for the scanner tests: an in-memory drive C: with 4096-byte
// clusters and a host that records what the scanner tells the window.

#include <functional>
#include <string>
#include <vector>

#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/MemoryFileSystem.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"
#include "scan/Scanner.h"

class TRecordingHost : public IScanHost {
public:
    void SetStatusText(int panel, const std::string& text) override {
        if (panel == 0) StatusTexts.push_back(text);
    }
    void ProcessMessages() override {
        ++MessagePumps;
        if (OnMessages) OnMessages(StatusTexts.empty() ? std::string() : StatusTexts.back());
    }
    void SetScanning(bool scanning) override { ScanningSwitches.push_back(scanning); }
    void FolderFinished(TFolderNode& node) override { Finished.push_back(&node); }
    bool IsCurrentNode(const TFolderNode& node) override { return &node == CurrentNode; }
    void ShowCurrentPage() override { ++PageRefreshes; }

    std::vector<std::string> StatusTexts;
    int MessagePumps = 0;
    std::vector<bool> ScanningSwitches;
    std::vector<TFolderNode*> Finished;
    const TFolderNode* CurrentNode = nullptr;
    int PageRefreshes = 0;
    // Runs while messages are processed, with the folder being visited.
    std::function<void(const std::string& folder)> OnMessages;
};

struct TScanWorld {
    TScanWorld() : Scanner(Tree, Files, Drives, DriveRecords, Host, NameOrder) {
        TFakeDrive& c = Drives.AddDrive("C:\\");
        c.Volume.FileSystemName = "NTFS";
        c.DiskClusterSize = 4096;
        Scanner.SetClusterSize(4096);
        AbortScan = false;
    }

    // Scans C:\ as a drive, with a fresh drive record.
    TFolderNode* ScanDriveC() {
        TDriveRecInfo* record = DriveRecords.Add('C');
        Scanner.ScanDrive("CLocal Disk (C:)", *record);
        return record->RootNode;
    }

    TWordSortOrder NameOrder;
    TMemoryFileSystem Files;
    TFakeDriveInfo Drives;
    TDriveList DriveRecords;
    TFolderTree Tree;
    TRecordingHost Host;
    TScanner Scanner;
};
