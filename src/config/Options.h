#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Registry.h"

// Every setting lives below this key of HKEY_CURRENT_USER.
constexpr const char* kRegistryRoot = "Software\\Tollvane\\Quarrymap";

// The display colours: 0x00BBGGRR, or 0x80000000 plus a system colour index.
enum : int {
    kColorPieBackground,
    kColorPieLines,
    kColorNormalFolder,
    kColorFilesInFolder,
    kColorOtherFolders,
    kColorFile,
    kColorOtherFiles,
    kColorTextRectBackground,
    kColorTextRectLines,
    kColorText,
    kColorTextRectBackgroundHighlighted,
    kColorTextRectLinesHighlighted,
    kColorTextHighlighted,
    kColorNotScannedPanel,
    kColorSectionSize,
    kColorSectionWasted,
    kColorFreeSpace,
    kColorCount
};

using TColorTable = std::array<uint32_t, kColorCount>;

extern const TColorTable DefaultColors;
// The colours' names as the options dialog lists them.
extern const std::array<const char*, kColorCount> ColorNames;

// Pie angles in degrees: below the first two a file or folder gets no
// section of its own, below the third a section gets no text beside it.
constexpr double kDefaultMinFileSectionAngle = 2.0;
constexpr double kDefaultMinFolderSectionAngle = 1.0;
constexpr double kDefaultMinTextSectionAngle = 5.0;

// The program's settings, each named after its registry value. The program
// owns one; the windows and services that need a setting are handed it.
struct TProgramOptions {
    // Section "Options".
    bool IncludeWastedInformation = true;
    bool ShowFileNames = true;
    int32_t ShowPercentInPie = 1;  // 0 no text, 1 percent, 2 absolute sizes
    bool AutoExpand = true;
    bool AutoCollapse = true;
    bool SortAscending = false;
    std::string DrivesToAutoScan;  // one drive letter per character
    bool ZIPAddSubfolders = true;
    bool ZIPAddHiddenFiles = true;
    bool ZIPDeleteAfterCompressing = true;
    bool ZIPPasswordProtect = false;
    int32_t ZIPCompressionLevel = 9;  // 0..9
    bool ZIPDeleteArchive = true;

    // Section "Desktop".
    bool ViewToolbar = true;
    bool ViewStatusBar = true;
    bool ViewFolderTree = true;
    bool PieSectionSizeWindow = true;

    // Binary values of section "Options".
    TColorTable Colors = DefaultColors;  // the table every drawing reads
    double MinFileSectionAngle = kDefaultMinFileSectionAngle;
    double MinFolderSectionAngle = kDefaultMinFolderSectionAngle;
    double MinTextSectionAngle = kDefaultMinTextSectionAngle;
};

// Reads every option, the colours and the angles. Reading stops quietly at
// the first value that fails; it and everything after it keep their defaults.
TProgramOptions LoadOptions(IRegistry& registry);
// Writes every option, the colours and the angles. A failed write stops the
// save and is rethrown as its TRegistryError.
void SaveOptions(IRegistry& registry, const TProgramOptions& options);
