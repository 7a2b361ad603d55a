#pragma once
#include <array>
#include <cstdint>

#include "config/OptionSet.h"
#include "platform/Registry.h"

// Every setting lives below this key of HKEY_CURRENT_USER.
constexpr const char* kRegistryRoot = "Software\\Tollvane\\Quarrymap";

// One handle per option, named after its registry value. Each points into
// an option set from LoadOptions until SaveOptions, and is null outside.

// Section "Options".
extern TBoolOption* IncludeWastedInformation;
extern TBoolOption* ShowFileNames;
extern TIntOption* ShowPercentInPie;  // 0 no text, 1 percent, 2 absolute sizes
extern TBoolOption* AutoExpand;
extern TBoolOption* AutoCollapse;
extern TBoolOption* SortAscending;
extern TStrOption* DrivesToAutoScan;  // one drive letter per character
extern TBoolOption* ZIPAddSubfolders;
extern TBoolOption* ZIPAddHiddenFiles;
extern TBoolOption* ZIPDeleteAfterCompressing;
extern TBoolOption* ZIPPasswordProtect;
extern TIntOption* ZIPCompressionLevel;  // 0..9
extern TBoolOption* ZIPDeleteArchive;

// Section "Desktop".
extern TBoolOption* ViewToolbar;
extern TBoolOption* ViewStatusBar;
extern TBoolOption* ViewFolderTree;
extern TBoolOption* PieSectionSizeWindow;

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
extern TColorTable Colors;  // the table every drawing reads
// The colours' names as the options dialog lists them.
extern const std::array<const char*, kColorCount> ColorNames;

// Pie angles in degrees: below the first two a file or folder gets no
// section of its own, below the third a section gets no text beside it.
constexpr double kDefaultMinFileSectionAngle = 2.0;
constexpr double kDefaultMinFolderSectionAngle = 1.0;
constexpr double kDefaultMinTextSectionAngle = 5.0;
extern double MinFileSectionAngle;
extern double MinFolderSectionAngle;
extern double MinTextSectionAngle;

// Makes the option sets and reads every option, the colours and the angles.
// Reading stops quietly at the first value that fails; it and everything
// after it keep their defaults.
void LoadOptions(IRegistry& registry);
// Writes every option, the colours and the angles, then frees the option
// sets, whatever happened. A failed write stops the save and is rethrown as
// its TRegistryError. Does nothing when the options were never loaded.
void SaveOptions(IRegistry& registry);
