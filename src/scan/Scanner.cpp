#include "scan/Scanner.h"

#include "platform/DriveInfo.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/FolderNames.h"
#include "scan/PathUtils.h"
#include "scan/TextUtils.h"

bool AbortScan = false;

namespace {

// A file's slack goes straight into the tree totals: the folder's own
// share is what its subfolders' totals leave of them.
void AddFile(TFolderSize& record, const TDirEntry& entry, int32_t clusterSize) {
    record.TreeFiles += 1;
    record.OwnFiles += 1;
    const int64_t length = entry.Length;
    if (length != 0) {
        record.OwnSize += length;
        record.TreeSize += length;
        record.TreeWasted += SlackOf(clusterSize, length);
        for (int k = 1; k <= kClusterSizeCount; ++k) record.TreeWastedAt[k] += SlackOf(ClusterSizes[k], length);
    }
    TakeLaterTime(record.LastAccess, entry.LastAccessTime);
    TakeLaterTime(record.LastWrite, entry.LastWriteTime);
    record.AttrUnion |= entry.Attributes;
    TakeLaterTime(record.OwnLastAccess, entry.LastAccessTime);
    TakeLaterTime(record.OwnLastWrite, entry.LastWriteTime);
    record.OwnAttrUnion |= entry.Attributes;
}

void MergeChild(TFolderSize& record, const TFolderSize& child) {
    record.TreeSize += child.TreeSize;
    record.TreeWasted += child.TreeWasted;
    record.TreeFolders += child.TreeFolders;
    record.TreeFiles += child.TreeFiles;
    for (int k = 1; k <= kClusterSizeCount; ++k) record.TreeWastedAt[k] += child.TreeWastedAt[k];
    TakeLaterTime(record.LastAccess, child.LastAccess);
    TakeLaterTime(record.LastWrite, child.LastWrite);
    record.AttrUnion |= child.AttrUnion;
}

// Adds a difference of subtree totals to every ancestor of the node,
// stopping at the first one without a record.
void CarryToAncestors(TFolderNode& node, const TFolderSize& delta) {
    for (TFolderNode* n = node.Parent; n && n->Record; n = n->Parent) {
        TFolderSize& record = *n->Record;
        record.TreeSize += delta.TreeSize;
        record.TreeWasted += delta.TreeWasted;
        record.TreeFiles += delta.TreeFiles;
        record.TreeFolders += delta.TreeFolders;
        for (int k = 1; k <= kClusterSizeCount; ++k) record.TreeWastedAt[k] += delta.TreeWastedAt[k];
        RefreshTimesFromChildren(*n);
    }
}

TFolderSize SubtreeDifference(const TFolderSize& now, const TFolderSize& old) {
    TFolderSize d;
    d.TreeSize = now.TreeSize - old.TreeSize;
    d.TreeWasted = now.TreeWasted - old.TreeWasted;
    d.TreeFiles = now.TreeFiles - old.TreeFiles;
    d.TreeFolders = now.TreeFolders - old.TreeFolders;
    for (int k = 1; k <= kClusterSizeCount; ++k) d.TreeWastedAt[k] = now.TreeWastedAt[k] - old.TreeWastedAt[k];
    return d;
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// ListingProgress is told after every so many entries (a power of two, less one).
constexpr uint32_t kEntriesBetweenProgress = 63;

// Switches the scanning state back off however the scan ends.
class TScanningGuard {
public:
    explicit TScanningGuard(IScanHost& host) : Host(host) { Host.SetScanning(true); }
    ~TScanningGuard() { Host.SetScanning(false); }
    TScanningGuard(const TScanningGuard&) = delete;
    TScanningGuard& operator=(const TScanningGuard&) = delete;

private:
    IScanHost& Host;
};

}  // namespace

TScanner::TScanner(TFolderTree& tree, IFileSystem& fileSystem, IDriveInfo& drives, TDriveList& driveList,
                   IScanHost& host, const INameOrder& nameOrder)
    : Tree(tree), FileSystem(fileSystem), Drives(drives), DriveRecords(driveList), Host(host), NameOrder(nameOrder) {}

void TScanner::BeginFolder(const std::string& path, TFolderNode& node) {
    AbortScan = false;
    Host.SetStatusText(0, path);
    Host.ProcessMessages();
    TFrame frame;
    frame.Node = &node;
    frame.Path = path;
    frame.Record = std::make_unique<TFolderSize>();
    // An Abort pressed just now must not wait for the first entry: when that
    // is a subfolder, its own visit would clear the request again.
    if (AbortScan)
        frame.ListingEnded = true;
    else
        frame.Listing = FileSystem.OpenListing(path + "*.*");
    Stack.push_back(std::move(frame));
}

// Reads entries until one is a subfolder to descend into (returned, with
// its node already appended and its entry still in Entry) or the listing
// ends (null).
TFolderNode* TScanner::ListUntilSubfolder(TFrame& frame) {
    if (frame.ListingEnded || !frame.Listing) return nullptr;
    TFolderSize& record = *frame.Record;
    while (frame.Listing->Next(Entry)) {
        if ((++frame.EntriesListed & kEntriesBetweenProgress) == 0) Host.ListingProgress();
        if (Entry.Attributes & kAttrDirectory) {
            if (!IsDotEntry(Entry.Name)) {
                TFolderNode* child = Tree.AddChild(*frame.Node, FolderDisplayName(Entry.Name, Entry.ShortName));
                record.OwnFolders += 1;
                record.TreeFolders += 1;
                // Junctions, folder links and mount points lead to data counted
                // elsewhere, or back up the tree: list them, never enter them.
                if (!(Entry.Attributes & kAttrReparsePoint)) return child;
                AttachRecord(*child, std::make_unique<TFolderSize>());
            }
        } else {
            AddFile(record, Entry, ScanClusterSize);
        }
        if (AbortScan) break;
    }
    frame.ListingEnded = true;
    return nullptr;
}

void TScanner::AttachRecord(TFolderNode& node, std::unique_ptr<TFolderSize> record) {
    node.Record = std::move(record);
    Host.FolderFinished(node);
    if (Host.IsCurrentNode(node)) Host.ShowCurrentPage();
}

TFolderSize* TScanner::FinishFolder(TFrame& frame) {
    frame.Listing.reset();
    TFolderNode& node = *frame.Node;
    Tree.SortChildren(node, NameOrder);
    if (AbortScan) {
        if (Host.IsCurrentNode(node)) Host.ShowCurrentPage();
        return nullptr;
    }
    AttachRecord(node, std::move(frame.Record));
    return node.Record.get();
}

TFolderSize* TScanner::ScanFolder(const std::string& path, TFolderNode& node) {
    if (Walking) return nullptr;
    return Walk(path, node);
}

TFolderSize* TScanner::Walk(const std::string& path, TFolderNode& node) {
    Walking = true;
    const size_t base = Stack.size();
    // However the visit ends, its frames (and their open listings) go.
    struct TStackTrim {
        std::vector<TFrame>& Frames;
        size_t Base;
        bool& Walking;
        ~TStackTrim() {
            Frames.erase(Frames.begin() + std::ptrdiff_t(Base), Frames.end());
            Walking = false;
        }
    } trim{Stack, base, Walking};
    BeginFolder(path, node);
    TFolderSize* result = nullptr;
    while (Stack.size() > base) {
        if (TFolderNode* child = ListUntilSubfolder(Stack.back())) {
            // Enter the folder by its name as listed, not by its display
            // spelling: the same folder on a case-insensitive volume, but one
            // the file system finds without searching for it.
            BeginFolder(Stack.back().Path + Entry.Name + "\\", *child);
            continue;
        }
        TFolderSize* finished = FinishFolder(Stack.back());
        Stack.pop_back();
        if (Stack.size() == base) {
            result = finished;
            break;
        }
        TFrame& parent = Stack.back();
        if (finished) {
            MergeChild(*parent.Record, *finished);
            if (AbortScan) parent.ListingEnded = true;
        } else {
            parent.ListingEnded = true;  // aborted below: nothing of it is merged
        }
    }
    return result;
}

bool TScanner::ScanDrive(const std::string& driveItem, TDriveRecInfo& driveRecord) {
    if (driveItem.empty() || Walking) return false;
    TScanningGuard scanning(Host);
    const char letter = UpperDriveLetter(driveItem[0]);
    TFolderNode* root = Tree.AddRoot(TruncateUtf8(driveItem.substr(1), 255), letter);
    driveRecord.RootNode = root;
    driveRecord.DriveItem = driveItem;

    const std::string rootPath = std::string(1, letter) + ":\\";
    driveRecord.ClusterSize = GetClusterSize(Drives, rootPath);
    ScanClusterSize = driveRecord.ClusterSize;
    Walk(rootPath, *root);
    return true;
}

void TScanner::UseClusterSizeOf(TFolderNode& node) {
    const char letter = RootOf(&node)->DriveLetter();
    const TDriveRecInfo* drive = DriveRecords.Find(letter);
    ScanClusterSize = drive ? drive->ClusterSize : GetClusterSize(Drives, std::string(1, letter) + ":\\");
}

bool TScanner::RescanFolder(const std::string& path, TFolderNode* node) {
    if (Walking) return false;
    if (!node || RemoveVanishedFolder(Tree, FileSystem, path, node)) return true;

    // Whatever this folder held is in its ancestors' totals exactly when it
    // has a record: an aborted scan or rescan leaves it without one, and
    // none of its totals in them. The old totals leave the ancestors before
    // the walk, so that while it runs (the window stays live) the parent's
    // own figures, its totals less its subfolders', stay right.
    const std::unique_ptr<TFolderSize> old = std::move(node->Record);
    const TFolderSize nothing;
    if (old) CarryToAncestors(*node, SubtreeDifference(nothing, *old));
    FreeRecords(*node, false);
    Tree.DeleteChildren(*node);
    UseClusterSizeOf(*node);

    // An aborted rescan leaves the old totals out: what is below the folder
    // is no longer known, while the folder stays one of its parent's.
    if (const TFolderSize* now = Walk(AddBackslash(path), *node))
        CarryToAncestors(*node, SubtreeDifference(*now, nothing));
    return true;
}
