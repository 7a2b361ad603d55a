#include "pie/SectionSizeLayout.h"

#include <algorithm>

namespace {

const int kWastedPanelHeight = 97;
const int kWastedTitleHeight = 17;
const int kWastedSizeHeight = 17;
const int kWastedGaugeTop = 38;
const int kWastedFooterHeight = 15;
const int kBevelHeight = 8;
const int kDriveTitleHeight = 25;
const int kFreeSpaceTitleHeight = 15;
const int kFreeSpacePanelHeight = 43;
const int kFreeSpaceGaugeTop = 6;
const int kFreeSpaceHeight = 15;
const int kCapacityHeight = 15;

TRect Band(int width, int top, int height) { return TRect{0, top, width, top + height}; }

TRect Gauge(const TRect& panel, int top) {
    const int left = panel.Left + CenteredGaugeLeft(panel.Right - panel.Left, kSectionSizeGaugeSize);
    return TRect{left, panel.Top + top, left + kSectionSizeGaugeSize, panel.Top + top + kSectionSizeGaugeSize};
}

}  // namespace

std::string SectionDriveCaption(char letter) { return std::string("Drive ") + letter + ":"; }

std::string SectionFreeSpaceCaption(const std::string& freeText) { return freeText + " out of"; }

int CenteredGaugeLeft(int panelWidth, int gaugeWidth) { return (panelWidth - gaugeWidth) / 2; }

TSectionSizeLayout LayOutSectionSizeBox(int clientWidth, int clientHeight) {
    const int width = std::max(0, clientWidth);
    const int height = std::max(0, clientHeight);
    TSectionSizeLayout layout;

    // The wasted half: two labels from the top, the gauge at a fixed place,
    // the footer and the bevel from the bottom of the panel.
    layout.WastedPanel = Band(width, 0, kWastedPanelHeight);
    layout.WastedTitle = Band(width, 0, kWastedTitleHeight);
    layout.WastedSize = Band(width, kWastedTitleHeight, kWastedSizeHeight);
    layout.WastedGauge = Gauge(layout.WastedPanel, kWastedGaugeTop);
    layout.Bevel = Band(width, kWastedPanelHeight - kBevelHeight, kBevelHeight);
    layout.WastedFooter = Band(width, layout.Bevel.Top - kWastedFooterHeight, kWastedFooterHeight);

    // The drive half: everything stacked from the top of what is left.
    const int driveTop = kWastedPanelHeight;
    layout.DrivePanel = Band(width, driveTop, std::max(0, height - driveTop));
    int top = driveTop;
    layout.DriveTitle = Band(width, top, kDriveTitleHeight);
    top += kDriveTitleHeight;
    layout.FreeSpaceTitle = Band(width, top, kFreeSpaceTitleHeight);
    top += kFreeSpaceTitleHeight;
    layout.FreeSpacePanel = Band(width, top, kFreeSpacePanelHeight);
    layout.FreeSpaceGauge = Gauge(layout.FreeSpacePanel, kFreeSpaceGaugeTop);
    top += kFreeSpacePanelHeight;
    layout.FreeSpace = Band(width, top, kFreeSpaceHeight);
    top += kFreeSpaceHeight;
    layout.Capacity = Band(width, top, kCapacityHeight);
    return layout;
}
