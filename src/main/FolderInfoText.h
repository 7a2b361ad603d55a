#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

class ILocale;

// ---- Folder Information page ----

// A value label: its text and the hint shown as its tooltip.
struct TLabelText {
    std::string Text;
    std::string Hint;
};

// The measurement block: the folder with its subfolders (Tree...) and alone
// (Folder...). Allocated and wasted are for the cluster size in view.
struct TMeasurementTexts {
    TLabelText TreeSize;
    TLabelText TreeAllocated;
    TLabelText TreeWasted;
    TLabelText TreeObjects;
    TLabelText FolderSize;
    TLabelText FolderAllocated;
    TLabelText FolderWasted;
    TLabelText FolderObjects;
};

// The node must have a record.
TMeasurementTexts MeasurementTexts(const TFolderNode& node, int clusterView, const ILocale& locale);

// The detail grid: column 0 holds these fixed labels, column 1 the values.
constexpr int kFolderInfoRowCount = 11;
constexpr std::array<const char*, kFolderInfoRowCount> kFolderInfoRowLabels = {
    "Long name", "MS-DOS name",     "Last access date", "Last change date", "Creation date",    "Attributes",
    "",          "Read-Only files", "Hidden files",     "System files",     "Compressed files",
};

// The folder's own directory entry, as a find-first on its path gives it.
// A drive's root has none, nor has a folder that vanished.
struct TOwnEntry {
    bool Found = false;
    TDirEntry Entry;  // ShortName, CreationTime and Attributes are used
};

// Looks the folder up with a find-first on its own path. Drive roots have no
// entry of their own and come back not found.
TOwnEntry ReadOwnEntry(IFileSystem& fileSystem, const std::string& folderPath);

// Column 1 of the grid. `displayName` is the shell's display name of the
// folder; the access and change dates and the attribute sentences come from
// the record, which covers every file of the folder tree.
std::array<std::string, kFolderInfoRowCount> FolderInfoValues(const std::string& displayName, const TOwnEntry& ownEntry,
                                                              const TFolderSize& record, const ILocale& locale);

// The names of the set bits among Archive, ReadOnly, Hidden, System and
// Directory, in that order, joined with " + "; "" when none is set.
std::string AttributeText(uint32_t attributes);

// "The folder contains Hidden files" or "No Hidden files".
std::string AttributeSentence(bool set, const std::string& name);

// Left edge that centres the measurement block in its holder; negative when
// the block is the wider.
inline int CenteredLeft(int outerWidth, int innerWidth) { return (outerWidth - innerWidth) / 2; }

// ---- Wasted Space page ----

constexpr const char* kWastedAtDiffText = "at different cluster sizes (and % of usage+wasted)";
constexpr const char* kReduceWasteText = "Click here to learn how to reduce the wasted space";

constexpr int kWastedFolderHelpContext = 3010;
constexpr int kWastedDriveHelpContext = 3020;

// The first header line and the help topic the reduce-waste link opens.
struct TWastedHeader {
    std::string Amount;
    int HelpContext = 0;
};

TWastedHeader WastedHeader(bool isDriveRoot);

// The fixed texts of cluster panel k (index k - 1). A panel without a hint
// has an empty one.
struct TClusterPanelTexts {
    const char* Caption;
    const char* CaptionHint;
    const char* PanelHint;
};

constexpr std::array<TClusterPanelTexts, kClusterSizeCount> kClusterPanelTexts = {{
    {"0.5K", "512 bytes", "high density floppy disks"},
    {"2K", "2048 bytes", "CD-ROMs"},
    {"4K", "4096 bytes", "FAT (128 MB - 255 MB), FAT32 (less than 8 GB)"},
    {"8K", "8192 bytes", "FAT (256 MB - 511 MB), FAT32 (8 GB - 16 GB)"},
    {"16K", "16384 bytes", "FAT (512 MB - 1023 MB), FAT32 (16 GB - 32 GB)"},
    {"32K", "32768 bytes", "FAT (1 GB - 2 GB), FAT32 (32 GB or more)"},
    {"64K", "65536 bytes", ""},
}};

// What cluster panel k shows for a folder tree.
struct TWastedPanel {
    int Percent = 0;      // of the gauge: wasted share of size + wasted
    std::string Text;     // FormatSize of the wasted space
    std::string Hint;     // its exact byte count
    bool Shaded = false;  // the drive's own cluster size is this panel's
};

// Panel k at index k - 1. Independent of the cluster size in view: the page always shows
// the stored value of every hypothetical cluster size.
std::array<TWastedPanel, kClusterSizeCount> WastedPanels(const TFolderSize& record, int32_t currentClusterSize,
                                                         const ILocale& locale);

// Where the two bordered rows of cluster panels go in the scroll box.
struct TWastedRowsPlacement {
    bool MoveLefts = false;  // false: the first row is too wide to centre, keep the lefts
    int Left = 0;            // of both rows
    int Row1Top = 0;
    int Row2Top = 0;
};

// The rows are centred horizontally when there is room and spread
// vertically over the free height; their borders overlap by one pixel.
TWastedRowsPlacement PlaceWastedRows(int boxWidth, int boxHeight, int headerHeight, int row1Width, int row1Height,
                                     int row2Height);
