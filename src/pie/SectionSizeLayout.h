#pragma once
#include <string>

#include "controls/PixelScale.h"
#include "platform/Canvas.h"

// The section size window: how much the pointed-at item wastes, and how
// full the current drive is. Layout and texts, free of any window system.

constexpr const char* kSectionSizeBoxCaption = "Wasted & Drive Info";
// Registry section of the window's bounds, below the program's root key.
constexpr const char* kSectionSizeBoxSection = "PopUpBox";
// Pixels at 96 DPI, like the heights of the layout below.
constexpr int kSectionSizeBoxDefaultWidth = 98;
constexpr int kSectionSizeBoxDefaultHeight = 238;
constexpr int kSectionSizeGaugeSize = 32;

// The label texts of the drive half.
std::string SectionDriveCaption(char letter);                      // "Drive C:"
std::string SectionFreeSpaceCaption(const std::string& freeText);  // "123 MB out of"

// Left of a gauge centred in a panel; negative when the panel is narrower.
int CenteredGaugeLeft(int panelWidth, int gaugeWidth);

// Every part of the window in client coordinates, top to bottom. The two
// panels span the client width; the drive panel takes what the wasted
// panel leaves, and may be empty in a very short window. The client size is
// in pixels; the fixed heights are taken at `scale`.
struct TSectionSizeLayout {
    TRect WastedPanel;
    TRect WastedTitle;  // "Item wastes"
    TRect WastedSize;
    TRect WastedGauge;
    TRect WastedFooter;  // "of used space"
    TRect Bevel;         // its bottom edge is the dividing line
    TRect DrivePanel;
    TRect DriveTitle;      // "Drive C:"
    TRect FreeSpaceTitle;  // "Free space"
    TRect FreeSpacePanel;
    TRect FreeSpaceGauge;
    TRect FreeSpace;
    TRect Capacity;
};

TSectionSizeLayout LayOutSectionSizeBox(int clientWidth, int clientHeight, TPixelScale scale = TPixelScale());
