#pragma once
#include <cstdint>

#include "platform/FileTime.h"

// The seven hypothetical cluster sizes, k = 1..7. Index 0 stands for the
// drive's own cluster size wherever an index into this table is used.
constexpr int kClusterSizeCount = 7;
constexpr int32_t ClusterSizes[kClusterSizeCount + 1] = {0, 512, 2048, 4096, 8192, 16384, 32768, 65536};

// Slack of the last cluster of a file of `length` bytes; 0 for an unknown
// cluster size (0 or -1). Always less than the cluster size.
inline int32_t SlackOf(int32_t clusterSize, int64_t length) {
    if (clusterSize <= 0) return 0;
    const int64_t rest = length % clusterSize;
    return rest == 0 ? 0 : int32_t(clusterSize - rest);
}

// Seven wasted-space values indexed by k = 1..7, like ClusterSizes.
struct TWastedTable {
    int64_t Values[kClusterSizeCount] = {};

    int64_t& operator[](int k) { return Values[k - 1]; }
    int64_t operator[](int k) const { return Values[k - 1]; }
};

// Measurements of one folder alone (Own...) and of the folder with
// everything below it (Tree...). Only files contribute sizes, slack, times
// and attributes. Plain data: the scanner and the maintenance operations
// write it directly. The folder's own slack is not kept: it is the tree's
// less the subfolders' trees', see OwnWasted in FolderTree.h.
struct TFolderSize {
    int64_t TreeSize = 0;
    int64_t OwnSize = 0;
    int64_t TreeWasted = 0;  // slack at the drive's own cluster size
    int32_t TreeFiles = 0;
    int32_t TreeFolders = 0;  // folders below, the folder itself not counted
    int32_t OwnFiles = 0;
    int32_t OwnFolders = 0;
    TFileTime LastAccess;
    TFileTime LastWrite;
    uint32_t AttrUnion = 0;  // OR of the attribute words of all files below
    // The folder's own files alone, so that the figures above can be worked
    // out again from the subfolders when one of them changes. (The
    // attributes fill what was padding.)
    uint32_t OwnAttrUnion = 0;
    TWastedTable TreeWastedAt;
    TFileTime OwnLastAccess;
    TFileTime OwnLastWrite;
};

// The wasted value the displays show, for the cluster size in view: 0 for
// the drive's own cluster size, 1..7 for ClusterSizes[k] (the main window's
// cluster size box picks it).
int64_t ViewTreeWasted(const TFolderSize& record, int clusterView);
// TreeWastedAt[k] for k in 1..7, else 0.
int64_t WastedAt(const TFolderSize& record, int k);

// Allocated space: the size plus the viewed slack.
inline int64_t TreeAllocated(const TFolderSize& record, int clusterView) {
    return record.TreeSize + ViewTreeWasted(record, clusterView);
}
inline int64_t TreeObjects(const TFolderSize& record) { return int64_t(record.TreeFiles) + record.TreeFolders; }
