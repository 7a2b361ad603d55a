#include "main/MainLayout.h"

#include <algorithm>

namespace {

const int kClustersMargin = 4;
const int kClustersMinWidth = 32;
const int kMemoMargin = 4;
const int kMemoMaxWidth = 200;

}  // namespace

TStripLayout LayoutToolbarStrip(int stripWidth, TPixelScale scale) {
    TStripLayout layout;
    layout.ToolbarLeft = scale(kToolbarLeft);
    layout.ToolbarWidth = scale(kToolbarWidth);
    layout.ClustersLeft = layout.ToolbarLeft + layout.ToolbarWidth + scale(kClustersMargin);
    layout.ClustersWidth = stripWidth - scale(kClustersMargin) - layout.ClustersLeft;
    layout.ClustersVisible = layout.ClustersWidth >= scale(kClustersMinWidth);
    return layout;
}

TStatusPanels StatusPanelWidths(int barWidth, bool hintShowing, TPixelScale scale) {
    TStatusPanels panels;
    if (hintShowing) {
        panels.PathWidth = std::max(barWidth, 0);
        panels.ClusterWidth = 0;
        panels.PathBevel = false;
    } else {
        panels.ClusterWidth = scale(kStatusClusterPanelWidth);
        panels.PathWidth = std::max(barWidth - panels.ClusterWidth, 0);
        panels.PathBevel = true;
    }
    return panels;
}

TMemoSize NotScannedMemoSize(int panelWidth, int panelHeight, int memoTop, TPixelScale scale) {
    TMemoSize size;
    size.Width = std::max(std::min(panelWidth - scale(kMemoMargin), scale(kMemoMaxWidth)), 0);
    size.Height = std::max(panelHeight - scale(kMemoMargin) - memoTop, 0);
    return size;
}
