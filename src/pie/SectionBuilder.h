#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "config/Options.h"
#include "platform/Canvas.h"

class IFileSystem;
class ILocale;
class THPieChart;
class TDriveList;
class TSectionInfoList;
struct TFolderNode;
struct TPieSection;

// The options a pie is built with (see PieBuildSettingsOf).
struct TPieBuildSettings {
    bool IncludeWastedInformation = false;  // wedges count size plus slack
    bool ShowFileNames = false;             // one wedge per file instead of one for all
    int32_t ShowPercentInPie = 0;           // label values: 0 none, 1 percent, 2 size
    bool SortAscending = false;
    double MinFolderSectionAngle = 1.0;
    double MinFileSectionAngle = 2.0;
    TColorTable Colors = DefaultColors;
    int ClusterView = 0;  // the cluster size in view (see ViewTreeWasted)
};

// The settings as the options hold them, for the cluster size in view.
TPieBuildSettings PieBuildSettingsOf(const TProgramOptions& options, int clusterView);

// What the builder tells the pie page while it works.
class IPieBuildHost {
public:
    virtual ~IPieBuildHost() = default;
    // The section under the mouse is forgotten: the sections are replaced.
    virtual void ResetHover() {}
    // Describe one item (here the folder itself) in the page header.
    virtual void ShowItemHeader(const std::string& /*path*/, uint8_t /*kind*/, int64_t /*size*/, int64_t /*wasted*/) {}
    // The chart now holds the selected folder.
    virtual void PieBuilt() {}
};

// Turns one folder of the tree into the sections of the pie and the section
// information list that describes them.
class TPieBuilder {
public:
    TPieBuilder(THPieChart& chart, TSectionInfoList& infos, IFileSystem& fileSystem, const TDriveList& drives,
                const ILocale& locale, IPieBuildHost& host);

    // Rebuilds the chart for the node; nothing for a node without a record.
    void BuildPie(TFolderNode* node, const TPieBuildSettings& settings);

    // Totals of the items too small to be shown alone, during a build.
    int64_t OtherFoldersSize = 0;
    int64_t OtherFoldersWasted = 0;
    int64_t OtherFilesSize = 0;
    int64_t OtherFilesWasted = 0;

private:
    enum class TGrouping { None, Folders, Files };

    void FillChart(TFolderNode& node);
    void AddFileSections(TFolderNode& node, const std::string& path, int64_t total);
    void AddPieEntry(const std::string& caption, const std::string& parentPath, int colorIndex, uint8_t kind,
                     TGrouping grouping, TFolderNode* node, double minimum, int64_t wasted, int64_t size,
                     int64_t total);
    TPieSection* MakeSection(const std::string& caption, TColor color, TFolderNode* node, double angle, int64_t size,
                             int64_t wasted);

    THPieChart& Chart;
    TSectionInfoList& Infos;
    IFileSystem& FileSystem;
    const TDriveList& Drives;
    const ILocale& Locale;
    IPieBuildHost& Host;
    TPieBuildSettings Settings;
};
