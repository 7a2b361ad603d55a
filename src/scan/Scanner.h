#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "scan/FolderTree.h"

class IDriveInfo;
class INameOrder;
class TDriveList;
struct TDriveRecInfo;

// The cluster size at which the slack of the files being scanned is measured;
// -1 when unknown.
extern int32_t ScanClusterSize;
// Set by the Abort command; cleared when a folder visit starts and examined
// after every directory entry.
extern bool AbortScan;

// What the scanner needs from the window that runs it. Every call is
// optional; the defaults do nothing.
class IScanHost {
public:
    virtual ~IScanHost() = default;
    virtual void SetStatusText(int /*panel*/, const std::string& /*text*/) {}
    // Services the message queue; called once per folder.
    virtual void ProcessMessages() {}
    // The scanning switch that disables scan commands while a drive scan runs.
    virtual void SetScanning(bool /*scanning*/) {}
    // A folder's scan finished: its record is attached and its children sorted.
    virtual void FolderFinished(TFolderNode& /*node*/) {}
    virtual bool IsCurrentNode(const TFolderNode& /*node*/) { return false; }
    // Refills the page the main window currently shows.
    virtual void ShowCurrentPage() {}
};

// Walks folders depth-first, growing the folder tree and building every
// folder's record from its files and its subfolders' records. The walk keeps
// its own stack, so tree depth is bounded by memory, not by the call stack.
class TScanner {
public:
    TScanner(TFolderTree& tree, IFileSystem& fileSystem, IDriveInfo& drives, TDriveList& driveList,
             IScanHost& host, const INameOrder& nameOrder);

    // Scans the folder at `path` (ending with "\") into `node`, which has no
    // children and no record yet. Returns the record now attached to the
    // node, or null when the visit ended in an abort.
    TFolderSize* ScanFolder(const std::string& path, TFolderNode& node);
    // Adds a root node for the drive and scans it. The drive item is the
    // letter followed by the shell display name.
    void ScanDrive(const std::string& driveItem, TDriveRecInfo& driveRecord);
    // Scans an already scanned folder again and carries the difference up
    // to its ancestors. The node may be deleted (when the folder vanished).
    void RescanFolder(const std::string& path, TFolderNode* node);

    // On case-sensitive volumes names are shown exactly as listed, because
    // paths are built from node texts. Set by ScanDrive and RescanFolder.
    bool CaseSensitiveNames = false;

private:
    struct TFrame {
        TFolderNode* Node = nullptr;
        std::string Path;  // ends with "\"
        std::unique_ptr<TFolderSize> Record;
        std::unique_ptr<IDirListing> Listing;
        bool ListingEnded = false;
    };

    void BeginFolder(const std::string& path, TFolderNode& node);
    TFolderNode* ListUntilSubfolder(TFrame& frame);
    TFolderSize* FinishFolder(TFrame& frame);
    void AttachRecord(TFolderNode& node, std::unique_ptr<TFolderSize> record);
    std::string DisplayName(const TDirEntry& entry) const;
    void UseDriveSettingsOf(TFolderNode& node);

    TFolderTree& Tree;
    IFileSystem& FileSystem;
    IDriveInfo& Drives;
    TDriveList& DriveRecords;
    IScanHost& Host;
    const INameOrder& NameOrder;
    std::vector<TFrame> Stack;
    TDirEntry Entry;  // reused for every entry to spare allocations
};
