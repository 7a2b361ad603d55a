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
    // Called every so many entries while a folder is listed, without
    // servicing the queue: a folder of many files takes a while, and the
    // window may want to show by now which one it is.
    virtual void ListingProgress() {}
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
//
// One walk at a time: the host services the message queue during a walk,
// and a command reaching the scanner from there is refused, never nested
// (a nested walk would take over the cluster size of the one it interrupts
// and end its scanning state early).
class TScanner {
public:
    TScanner(TFolderTree& tree, IFileSystem& fileSystem, IDriveInfo& drives, TDriveList& driveList, IScanHost& host,
             const INameOrder& nameOrder);

    // True while a walk runs.
    bool Busy() const { return Walking; }

    // The cluster size at which the slack of the files scanned is measured;
    // -1 when unknown. ScanDrive and RescanFolder take the drive's; a caller
    // of ScanFolder sets it first.
    int32_t ClusterSize() const { return ScanClusterSize; }
    void SetClusterSize(int32_t clusterSize) { ScanClusterSize = clusterSize; }

    // Scans the folder at `path` (ending with "\") into `node`, which has no
    // children and no record yet. Returns the record now attached to the
    // node, or null when the visit ended in an abort or was refused.
    TFolderSize* ScanFolder(const std::string& path, TFolderNode& node);
    // Adds a root node for the drive and scans it. The drive item is the
    // letter followed by the shell display name. False, with nothing
    // touched, when it was refused.
    bool ScanDrive(const std::string& driveItem, TDriveRecInfo& driveRecord);
    // Scans an already scanned folder again and carries the difference up
    // to its ancestors. The node may be deleted (when the folder vanished).
    // False, with nothing touched, when it was refused.
    bool RescanFolder(const std::string& path, TFolderNode* node);

private:
    struct TFrame {
        TFolderNode* Node = nullptr;
        std::string Path;  // ends with "\"
        std::unique_ptr<TFolderSize> Record;
        std::unique_ptr<IDirListing> Listing;
        bool ListingEnded = false;
        uint32_t EntriesListed = 0;
    };

    TFolderSize* Walk(const std::string& path, TFolderNode& node);
    void BeginFolder(const std::string& path, TFolderNode& node);
    TFolderNode* ListUntilSubfolder(TFrame& frame);
    TFolderSize* FinishFolder(TFrame& frame);
    void AttachRecord(TFolderNode& node, std::unique_ptr<TFolderSize> record);
    void UseClusterSizeOf(TFolderNode& node);

    TFolderTree& Tree;
    IFileSystem& FileSystem;
    IDriveInfo& Drives;
    TDriveList& DriveRecords;
    IScanHost& Host;
    const INameOrder& NameOrder;
    std::vector<TFrame> Stack;
    bool Walking = false;
    int32_t ScanClusterSize = -1;
    TDirEntry Entry;  // reused for every entry to spare allocations
};
