#include "scan/FolderSize.h"

namespace {

bool IsTableIndex(int k) { return k >= 1 && k <= kClusterSizeCount; }

}  // namespace

int64_t ViewTreeWasted(const TFolderSize& record, int clusterView) {
    return IsTableIndex(clusterView) ? record.TreeWastedAt[clusterView] : record.TreeWasted;
}

int64_t WastedAt(const TFolderSize& record, int k) { return IsTableIndex(k) ? record.TreeWastedAt[k] : 0; }
