#include "scan/FolderSize.h"

int ClusterView = 0;

namespace {

bool IsTableIndex(int k) { return k >= 1 && k <= kClusterSizeCount; }

}  // namespace

int64_t ViewTreeWasted(const TFolderSize& record) {
    return IsTableIndex(ClusterView) ? record.TreeWastedAt[ClusterView] : record.TreeWasted;
}

int64_t WastedAt(const TFolderSize& record, int k) { return IsTableIndex(k) ? record.TreeWastedAt[k] : 0; }
