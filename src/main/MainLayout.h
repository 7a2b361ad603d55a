#pragma once

#include "controls/PixelScale.h"

// Fixed measures of the main window, in pixels at the design's 96 DPI; the
// window multiplies each by its screen's scale.
constexpr int kDefaultLeft = 33;
constexpr int kDefaultTop = 32;
constexpr int kDefaultWidth = 596;
constexpr int kDefaultHeight = 423;

constexpr int kBannerHeight = 65;
constexpr int kToolbarStripHeight = 26;
constexpr int kDriveBoxWidth = 169;
constexpr int kToolbarLeft = 171;
constexpr int kToolbarWidth = 247;
constexpr int kStripGap = 3;          // between the toolbar strip and the client area
constexpr int kLeftPanelWidth = 165;  // at first
constexpr int kSplitterWidth = 3;
constexpr int kPagesTopGap = 8;  // above the page control in the right-hand panel
constexpr int kStatusClusterPanelWidth = 150;
constexpr int kMinPaneWidth = 30;  // neither side of the splitter gets narrower
constexpr int kNotReadyPictureWidth = 96;
constexpr int kNotReadyMemoTop = 12;
constexpr int kStripControlTop = 2;  // controls on the toolbar strip

// Where the toolbar strip puts the cluster size box.
struct TStripLayout {
    int ToolbarLeft = 0;
    int ToolbarWidth = 0;
    int ClustersLeft = 0;
    int ClustersWidth = 0;
    bool ClustersVisible = false;
};

// The toolbar keeps its width; the cluster size box takes what is left
// right of it, 4 pixels from either side, and is hidden below 32 pixels.
// Widths in and out are the screen's pixels.
TStripLayout LayoutToolbarStrip(int stripWidth, TPixelScale scale);

// The status bar's two panels. While a hint shows, panel 0 spans the bar.
struct TStatusPanels {
    int PathWidth = 0;
    int ClusterWidth = 0;
    bool PathBevel = true;
};

TStatusPanels StatusPanelWidths(int barWidth, bool hintShowing, TPixelScale scale);

// The not-scanned sheet's memo: the width of its panel less 4, at most
// 200, reaching down to 4 pixels above the panel's bottom.
struct TMemoSize {
    int Width = 0;
    int Height = 0;
};

TMemoSize NotScannedMemoSize(int panelWidth, int panelHeight, int memoTop, TPixelScale scale);
