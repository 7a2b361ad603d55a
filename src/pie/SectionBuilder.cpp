#include "pie/SectionBuilder.h"

#include "pie/PieChart.h"
#include "pie/PieMath.h"
#include "pie/PieStrings.h"
#include "pie/SectionInfo.h"
#include "platform/FileSystem.h"
#include "scan/DriveRecords.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

TPieBuildSettings PieBuildSettingsOf(const TProgramOptions& options, int clusterView) {
    TPieBuildSettings settings;
    settings.ClusterView = clusterView;
    settings.IncludeWastedInformation = options.IncludeWastedInformation;
    settings.ShowFileNames = options.ShowFileNames;
    settings.ShowPercentInPie = options.ShowPercentInPie;
    settings.SortAscending = options.SortAscending;
    settings.MinFolderSectionAngle = options.MinFolderSectionAngle;
    settings.MinFileSectionAngle = options.MinFileSectionAngle;
    settings.Colors = options.Colors;
    return settings;
}

TPieBuilder::TPieBuilder(THPieChart& chart, TSectionInfoList& infos, IFileSystem& fileSystem, const TDriveList& drives,
                         const ILocale& locale, IPieBuildHost& host)
    : Chart(chart), Infos(infos), FileSystem(fileSystem), Drives(drives), Locale(locale), Host(host) {}

void TPieBuilder::BuildPie(TFolderNode* node, const TPieBuildSettings& settings) {
    if (!node || !node->Record) return;
    Settings = settings;
    Host.ResetHover();
    Chart.HighlightIndex = -1;
    // However filling ends, the chart's update is closed (so it is never left
    // suppressed) and the page learns what the chart now holds.
    Chart.BeginUpdate();
    try {
        FillChart(*node);
    } catch (...) {
        Chart.EndUpdate();
        Host.PieBuilt();
        throw;
    }
    Chart.EndUpdate();
    Host.PieBuilt();
}

void TPieBuilder::FillChart(TFolderNode& node) {
    const TFolderSize& record = *node.Record;
    const std::string path = NodePath(&node);
    Infos.Clear();
    Chart.Clear();

    const int64_t treeWasted = ViewTreeWasted(record, Settings.ClusterView);
    Infos.Add(&node, node.Parent ? kCursorZoomOut : kCursorArrow, std::string(node.Text()), kEntryFolder, path,
              treeWasted, record.TreeSize);
    Host.ShowItemHeader(path, kEntryFolder, record.TreeSize, treeWasted);

    const int64_t total = record.TreeSize + (Settings.IncludeWastedInformation ? treeWasted : 0);
    OtherFoldersSize = 0;
    OtherFoldersWasted = 0;
    if (total == 0) {
        AddPieEntry("This folder (0 bytes)", "", kColorOtherFolders, kEntryGroup, TGrouping::None, nullptr, 0, 0, 0, 0);
        return;
    }
    for (auto& child : node.Children) {
        if (!child->Record) continue;  // a subfolder whose rescan was aborted
        AddPieEntry(std::string(child->Text()), path, kColorNormalFolder, kEntryFolder, TGrouping::Folders, child.get(),
                    Settings.MinFolderSectionAngle, ViewTreeWasted(*child->Record, Settings.ClusterView),
                    child->Record->TreeSize, total);
    }
    if (Settings.ShowFileNames)
        AddFileSections(node, path, total);
    else
        AddPieEntry(TEXT_FILES_IN_THIS_FOLDER, "", kColorFilesInFolder, kEntryGroup, TGrouping::Folders, &node, 0,
                    ViewOwnWasted(node, Settings.ClusterView), record.OwnSize, total);
    AddPieEntry(TEXT_OTHER_SMALLER_FOLDERS, "", kColorOtherFolders, kEntryGroup, TGrouping::None, nullptr, 0,
                OtherFoldersWasted, OtherFoldersSize, total);
    Chart.Sort(!Settings.SortAscending);
}

void TPieBuilder::AddFileSections(TFolderNode& node, const std::string& path, int64_t total) {
    OtherFilesSize = 0;
    OtherFilesWasted = 0;
    // A file's slack is always taken at the drive's own cluster size.
    const TDriveRecInfo* drive = Drives.Find(RootOf(&node)->DriveLetter());
    const int32_t clusterSize = drive ? drive->ClusterSize : -1;
    if (auto listing = FileSystem.OpenListing(AddBackslash(path) + "*.*")) {
        TDirEntry entry;
        while (listing->Next(entry)) {
            if (entry.Attributes & kAttrDirectory) continue;
            AddPieEntry(entry.Name, path, kColorFile, kEntryFile, TGrouping::Files, nullptr,
                        Settings.MinFileSectionAngle, SlackOf(clusterSize, entry.Length), entry.Length, total);
        }
    }
    AddPieEntry(TEXT_OTHER_SMALLER_FILES, "", kColorOtherFiles, kEntryGroup, TGrouping::None, nullptr, 0,
                OtherFilesWasted, OtherFilesSize, total);
}

void TPieBuilder::AddPieEntry(const std::string& caption, const std::string& parentPath, int colorIndex, uint8_t kind,
                              TGrouping grouping, TFolderNode* node, double minimum, int64_t wasted, int64_t size,
                              int64_t total) {
    const int64_t value = Settings.IncludeWastedInformation ? size + wasted : size;
    const double angle = AngleOf(value, total);
    if (angle > minimum) {
        const bool opensFolder = node && caption != TEXT_FILES_IN_THIS_FOLDER;
        const std::string entryPath = parentPath.empty() ? caption : AddBackslash(parentPath) + caption;
        const int32_t index =
            Infos.Add(node, opensFolder ? kCursorZoomIn : kCursorArrow, caption, kind, entryPath, wasted, size);
        TPieSection* section = MakeSection(caption, Settings.Colors[size_t(colorIndex)], node, angle, size, wasted);
        section->InfoIndex = index;
        return;
    }
    if (grouping == TGrouping::Files) {
        OtherFilesSize += size;
        OtherFilesWasted += wasted;
    } else if (grouping == TGrouping::Folders) {
        OtherFoldersSize += size;
        OtherFoldersWasted += wasted;
    }
}

TPieSection* TPieBuilder::MakeSection(const std::string& caption, TColor color, TFolderNode* node, double angle,
                                      int64_t size, int64_t wasted) {
    // Wedges carry single-precision angles, so 3.6 degrees reads as a little
    // under 1 percent.
    const float singleAngle = float(angle);
    std::string value;
    if (Settings.ShowPercentInPie == 1)
        value = std::to_string(int64_t(double(singleAngle) * 100 / 360)) + "%";
    else if (Settings.ShowPercentInPie == 2)
        value = FormatSize(Settings.IncludeWastedInformation ? size + wasted : size, Locale);
    const std::string label = value.empty() ? caption : caption + " (" + value + ")";
    TPieSection* section = Chart.AddSection(label, color, double(singleAngle));
    section->Node = node;
    return section;
}
