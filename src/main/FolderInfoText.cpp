#include "main/FolderInfoText.h"

#include <memory>

#include "pie/PieMath.h"
#include "scan/DateText.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"
#include "scan/TextUtils.h"

namespace {

const char* const kUnknown = "(unknown)";

TLabelText SizeLabel(int64_t bytes, const ILocale& locale) {
    return TLabelText{FormatSize(bytes, locale), FormatExactSize(bytes, locale)};
}

TLabelText ObjectsLabel(int32_t files, int32_t folders, const ILocale& locale) {
    return TLabelText{FormatCount(int64_t(files) + folders, locale),
                      FormatCount(files, locale) + " file(s) and " + FormatCount(folders, locale) + " subfolder(s)"};
}

std::string DateOrUnknown(const TFileTime& utc, const ILocale& locale) {
    return IsZeroFileTime(utc) ? kUnknown : FormatFileTime(utc, locale);
}

}  // namespace

TMeasurementTexts MeasurementTexts(const TFolderNode& node, int clusterView, const ILocale& locale) {
    const TFolderSize& record = *node.Record;
    TMeasurementTexts texts;
    texts.TreeSize = SizeLabel(record.TreeSize, locale);
    texts.TreeAllocated = SizeLabel(TreeAllocated(record, clusterView), locale);
    texts.TreeWasted = SizeLabel(ViewTreeWasted(record, clusterView), locale);
    texts.TreeObjects = ObjectsLabel(record.TreeFiles, record.TreeFolders, locale);
    texts.FolderSize = SizeLabel(record.OwnSize, locale);
    texts.FolderAllocated = SizeLabel(OwnAllocated(node, clusterView), locale);
    texts.FolderWasted = SizeLabel(ViewOwnWasted(node, clusterView), locale);
    texts.FolderObjects = ObjectsLabel(record.OwnFiles, record.OwnFolders, locale);
    return texts;
}

TOwnEntry ReadOwnEntry(IFileSystem& fileSystem, const std::string& folderPath) {
    TOwnEntry own;
    if (folderPath.empty() || IsDriveRoot(folderPath)) return own;
    const std::string path = RemoveBackslash(folderPath);
    std::unique_ptr<IDirListing> listing = fileSystem.OpenListing(path);
    if (!listing) return own;
    // Windows hands back just the folder itself; a listing that treats the
    // name as a pattern over the parent may give its siblings as well, so
    // the folder is picked by name.
    const size_t cut = path.find_last_of('\\');
    const std::string wanted = AsciiUpper(cut == std::string::npos ? path : path.substr(cut + 1));
    TDirEntry entry;
    while (listing->Next(entry)) {
        if (AsciiUpper(entry.Name) != wanted) continue;
        own.Found = true;
        own.Entry = entry;
        break;
    }
    return own;
}

std::array<std::string, kFolderInfoRowCount> FolderInfoValues(const std::string& displayName, const TOwnEntry& ownEntry,
                                                              const TFolderSize& record, const ILocale& locale) {
    std::array<std::string, kFolderInfoRowCount> values;
    values[0] = displayName;
    values[2] = DateOrUnknown(record.LastAccess, locale);
    values[3] = DateOrUnknown(record.LastWrite, locale);
    values[4] = kUnknown;
    if (ownEntry.Found) {
        // An empty short name means the long name is already a valid 8.3
        // name; MS-DOS shows such names in capitals.
        const std::string& shortName = ownEntry.Entry.ShortName;
        values[1] = shortName.empty() ? AsciiUpper(displayName) : shortName;
        values[4] = DateOrUnknown(ownEntry.Entry.CreationTime, locale);
        values[5] = AttributeText(ownEntry.Entry.Attributes);
    }
    values[7] = AttributeSentence((record.AttrUnion & kAttrReadOnly) != 0, "Read-Only");
    values[8] = AttributeSentence((record.AttrUnion & kAttrHidden) != 0, "Hidden");
    values[9] = AttributeSentence((record.AttrUnion & kAttrSystem) != 0, "System");
    values[10] = AttributeSentence((record.AttrUnion & kAttrCompressed) != 0, "Compressed");
    return values;
}

std::string AttributeText(uint32_t attributes) {
    struct TNamedBit {
        uint32_t Bit;
        const char* Name;
    };
    static constexpr TNamedBit kShown[] = {{kAttrArchive, "Archive"},
                                           {kAttrReadOnly, "ReadOnly"},
                                           {kAttrHidden, "Hidden"},
                                           {kAttrSystem, "System"},
                                           {kAttrDirectory, "Directory"}};
    std::string text;
    for (const TNamedBit& named : kShown) {
        if ((attributes & named.Bit) == 0) continue;
        if (!text.empty()) text += " + ";
        text += named.Name;
    }
    return text;
}

std::string AttributeSentence(bool set, const std::string& name) {
    return set ? "The folder contains " + name + " files" : "No " + name + " files";
}

TWastedHeader WastedHeader(bool isDriveRoot) {
    TWastedHeader header;
    header.Amount = std::string("Amount of space wasted ") + (isDriveRoot ? "on drive" : "by folder (+ subfolders)");
    header.HelpContext = isDriveRoot ? kWastedDriveHelpContext : kWastedFolderHelpContext;
    return header;
}

std::array<TWastedPanel, kClusterSizeCount> WastedPanels(const TFolderSize& record, int32_t currentClusterSize,
                                                         const ILocale& locale) {
    std::array<TWastedPanel, kClusterSizeCount> panels;
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        const int64_t wasted = WastedAt(record, k);
        TWastedPanel& panel = panels[size_t(k - 1)];
        panel.Percent = PercentOf(wasted, record.TreeSize + wasted);
        panel.Text = FormatSize(wasted, locale);
        panel.Hint = FormatExactSize(wasted, locale);
        panel.Shaded = ClusterSizes[k] == currentClusterSize;
    }
    return panels;
}

TWastedRowsPlacement PlaceWastedRows(int boxWidth, int boxHeight, int headerHeight, int row1Width, int row1Height,
                                     int row2Height) {
    TWastedRowsPlacement placement;
    if (row1Width < boxWidth) {
        placement.MoveLefts = true;
        placement.Left = (boxWidth - row1Width) / 2;
    }
    const int freeHeight = boxHeight - headerHeight - row1Height - row2Height;
    placement.Row1Top = headerHeight + freeHeight / 2;
    placement.Row2Top = placement.Row1Top + row1Height - 1;
    return placement;
}
