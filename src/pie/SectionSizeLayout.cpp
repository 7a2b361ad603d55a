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

TRect Gauge(const TRect& panel, int top, int size) {
    const int left = panel.Left + CenteredGaugeLeft(panel.Right - panel.Left, size);
    return TRect{left, panel.Top + top, left + size, panel.Top + top + size};
}

}  // namespace

std::string SectionDriveCaption(char letter) { return std::string("Drive ") + letter + ":"; }

std::string SectionFreeSpaceCaption(const std::string& freeText) { return freeText + " out of"; }

int CenteredGaugeLeft(int panelWidth, int gaugeWidth) { return (panelWidth - gaugeWidth) / 2; }

TSectionSizeLayout LayOutSectionSizeBox(int clientWidth, int clientHeight, TPixelScale scale) {
    const int width = std::max(0, clientWidth);
    const int height = std::max(0, clientHeight);
    // Edges are stacked in 96-DPI units and each is scaled on its own, so
    // the rounding never adds up down the window.
    const auto band = [&](int top, int bandHeight) { return TRect{0, scale(top), width, scale(top + bandHeight)}; };
    const int gaugeSize = scale(kSectionSizeGaugeSize);
    TSectionSizeLayout layout;

    // The wasted half: two labels from the top, the gauge at a fixed place,
    // the footer and the bevel from the bottom of the panel.
    layout.WastedPanel = band(0, kWastedPanelHeight);
    layout.WastedTitle = band(0, kWastedTitleHeight);
    layout.WastedSize = band(kWastedTitleHeight, kWastedSizeHeight);
    layout.WastedGauge = Gauge(layout.WastedPanel, scale(kWastedGaugeTop), gaugeSize);
    const int bevelTop = kWastedPanelHeight - kBevelHeight;
    layout.Bevel = band(bevelTop, kBevelHeight);
    layout.WastedFooter = band(bevelTop - kWastedFooterHeight, kWastedFooterHeight);

    // The drive half: everything stacked from the top of what is left.
    const int driveTop = layout.WastedPanel.Bottom;
    layout.DrivePanel = TRect{0, driveTop, width, driveTop + std::max(0, height - driveTop)};
    int top = kWastedPanelHeight;
    layout.DriveTitle = band(top, kDriveTitleHeight);
    top += kDriveTitleHeight;
    layout.FreeSpaceTitle = band(top, kFreeSpaceTitleHeight);
    top += kFreeSpaceTitleHeight;
    layout.FreeSpacePanel = band(top, kFreeSpacePanelHeight);
    layout.FreeSpaceGauge = Gauge(layout.FreeSpacePanel, scale(kFreeSpaceGaugeTop), gaugeSize);
    top += kFreeSpacePanelHeight;
    layout.FreeSpace = band(top, kFreeSpaceHeight);
    top += kFreeSpaceHeight;
    layout.Capacity = band(top, kCapacityHeight);
    return layout;
}
