#include "main/MainLayout.h"

#include <algorithm>

namespace {

const int kClustersMargin = 4;
const int kClustersMinWidth = 32;
const int kMemoMargin = 4;
const int kMemoMaxWidth = 200;

}  // namespace

TStripLayout LayoutToolbarStrip(int stripWidth) {
    TStripLayout layout;
    layout.ClustersLeft = layout.ToolbarLeft + layout.ToolbarWidth + kClustersMargin;
    layout.ClustersWidth = stripWidth - kClustersMargin - layout.ClustersLeft;
    layout.ClustersVisible = layout.ClustersWidth >= kClustersMinWidth;
    return layout;
}

TStatusPanels StatusPanelWidths(int barWidth, bool hintShowing) {
    TStatusPanels panels;
    if (hintShowing) {
        panels.PathWidth = std::max(barWidth, 0);
        panels.ClusterWidth = 0;
        panels.PathBevel = false;
    } else {
        panels.PathWidth = std::max(barWidth - kStatusClusterPanelWidth, 0);
        panels.ClusterWidth = kStatusClusterPanelWidth;
        panels.PathBevel = true;
    }
    return panels;
}

TMemoSize NotScannedMemoSize(int panelWidth, int panelHeight, int memoTop) {
    TMemoSize size;
    size.Width = std::max(std::min(panelWidth - kMemoMargin, kMemoMaxWidth), 0);
    size.Height = std::max(panelHeight - kMemoMargin - memoTop, 0);
    return size;
}
