#include <gtest/gtest.h>

#include <stdexcept>

#include "pie/PieChart.h"
#include "pie/PieMath.h"
#include "pie/PieStrings.h"
#include "pie/SectionBuilder.h"
#include "pie/SectionInfo.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/RecordingCanvas.h"
#include "scan/DriveRecords.h"
#include "scan/FolderTree.h"

namespace {

class TBuildLog : public IPieBuildHost {
public:
    void ResetHover() override { ++HoverResets; }
    void ShowItemHeader(const std::string& path, uint8_t kind, int64_t size, int64_t wasted) override {
        HeaderPath = path;
        HeaderKind = kind;
        HeaderSize = size;
        HeaderWasted = wasted;
    }
    void PieBuilt() override { ++Built; }

    int HoverResets = 0;
    int Built = 0;
    std::string HeaderPath;
    uint8_t HeaderKind = 99;
    int64_t HeaderSize = -1;
    int64_t HeaderWasted = -1;
};

class TThrowingFileSystem : public IFileSystem {
public:
    std::unique_ptr<IDirListing> OpenListing(const std::string&) override { throw std::runtime_error("gone"); }
    bool PathExists(const std::string&) override { return false; }
};

std::unique_ptr<TFolderSize> Record(int64_t treeSize, int64_t ownSize, int64_t treeWasted = 0) {
    auto r = std::make_unique<TFolderSize>();
    r->TreeSize = treeSize;
    r->OwnSize = ownSize;
    r->TreeWasted = treeWasted;
    return r;
}

class SectionBuilderTest : public ::testing::Test {
protected:
    SectionBuilderTest() : Chart(&Canvas, 400, 300), Builder(Chart, Infos, Files, Drives, Locale, Log) {
        for (size_t i = 0; i < Settings.Colors.size(); ++i) Settings.Colors[i] = TColor(0x100 + i);
        Root = Tree.AddRoot("Local Disk (C:)", 'C');
        Drives.Add('C')->ClusterSize = 4096;
    }

    TFolderNode* AddFolder(TFolderNode* parent, const std::string& name, int64_t treeSize, int64_t ownSize,
                           int64_t treeWasted = 0) {
        TFolderNode* node = Tree.AddChild(*parent, name);
        node->Record = Record(treeSize, ownSize, treeWasted);
        return node;
    }

    // The section whose caption starts with the text, or null.
    const TPieSection* SectionNamed(const std::string& prefix) const {
        for (auto& s : Chart.Sections)
            if (s->Caption.compare(0, prefix.size(), prefix) == 0) return s.get();
        return nullptr;
    }

    TRecordingCanvas Canvas;
    THPieChart Chart;
    TSectionInfoList Infos;
    TMemoryFileSystem Files;
    TDriveList Drives;
    TFixedLocale Locale;
    TBuildLog Log;
    TPieBuilder Builder;
    TPieBuildSettings Settings;
    TFolderTree Tree;
    TFolderNode* Root = nullptr;
};

TEST_F(SectionBuilderTest, EmptyFolderIsOneWholeWedge) {
    TFolderNode* data = AddFolder(Root, "Data", 0, 0);
    AddFolder(data, "Empty", 0, 0);
    Settings.ShowPercentInPie = 1;
    Builder.BuildPie(data, Settings);

    ASSERT_EQ(Chart.Sections.size(), 1u);
    const TPieSection& only = *Chart.Sections[0];
    EXPECT_EQ(only.Caption, "This folder (0 bytes) (100%)");
    EXPECT_EQ(only.Color, Settings.Colors[kColorOtherFolders]);
    EXPECT_DOUBLE_EQ(only.Angle, 360.0);
    ASSERT_EQ(Infos.Count(), 2);
    EXPECT_EQ(Infos.Get(0)->Node, data);
    EXPECT_EQ(Infos.Get(0)->Path, "C:\\Data");
    EXPECT_EQ(Infos.Get(0)->Cursor, kCursorZoomOut);
    EXPECT_EQ(Infos.Get(1)->Kind, kEntryGroup);
    EXPECT_EQ(only.InfoIndex, 1);

    Settings.ShowPercentInPie = 2;
    Builder.BuildPie(data, Settings);
    EXPECT_EQ(Chart.Sections[0]->Caption, "This folder (0 bytes) (0 bytes)");
}

TEST_F(SectionBuilderTest, OnlyOwnFilesMakeOneFilesWedge) {
    Root->Record = Record(5000, 5000);
    Builder.BuildPie(Root, Settings);
    ASSERT_EQ(Chart.Sections.size(), 1u);
    EXPECT_EQ(Chart.Sections[0]->Caption, TEXT_FILES_IN_THIS_FOLDER);
    EXPECT_DOUBLE_EQ(Chart.Sections[0]->Angle, 360.0);
    const TSectionInfo* files = Infos.Get(Chart.Sections[0]->InfoIndex);
    EXPECT_EQ(files->Node, Root);
    EXPECT_EQ(files->Cursor, kCursorArrow);  // the files are not a folder to open
    EXPECT_EQ(files->Path, TEXT_FILES_IN_THIS_FOLDER);
    EXPECT_EQ(Infos.Get(0)->Cursor, kCursorArrow);  // a drive has no parent to go up to
    EXPECT_EQ(Log.HeaderPath, "C:\\");
    EXPECT_EQ(Log.HeaderSize, 5000);
    EXPECT_EQ(Log.Built, 1);
    EXPECT_EQ(Chart.UpdateCount, 0);
}

TEST_F(SectionBuilderTest, SmallFoldersAreGroupedAndTheBoundaryGoesToTheGroup) {
    // 360000 bytes in all: 1000 bytes are exactly one degree.
    Root->Record = Record(360000, 0);
    AddFolder(Root, "Big", 356000, 0);
    AddFolder(Root, "OneDegree", 1000, 0);
    AddFolder(Root, "Tiny", 3000 - 1000, 0);
    AddFolder(Root, "Zero", 1000, 0);
    Settings.MinFolderSectionAngle = 1.0;
    Builder.BuildPie(Root, Settings);

    EXPECT_NE(SectionNamed("Big"), nullptr);
    EXPECT_NE(SectionNamed("Tiny"), nullptr);  // 2 degrees
    EXPECT_EQ(SectionNamed("OneDegree"), nullptr);
    const TPieSection* others = SectionNamed(TEXT_OTHER_SMALLER_FOLDERS);
    ASSERT_NE(others, nullptr);
    EXPECT_NEAR(others->Angle, 2.0, 1e-5);
    EXPECT_EQ(Infos.Get(others->InfoIndex)->Size, 2000);
    // Own files of 0 bytes make no wedge; the folder group received them.
    EXPECT_EQ(SectionNamed(TEXT_FILES_IN_THIS_FOLDER), nullptr);
    EXPECT_EQ(Builder.OtherFoldersSize, 2000);
}

TEST_F(SectionBuilderTest, SectionsAreSortedByAngleAndEveryInfoMatchesItsSection) {
    Root->Record = Record(1000, 100);
    AddFolder(Root, "a", 200, 0);
    AddFolder(Root, "b", 700, 0);
    Builder.BuildPie(Root, Settings);
    ASSERT_EQ(Chart.Sections.size(), 3u);
    EXPECT_EQ(Chart.Sections[0]->Caption, "b");
    EXPECT_EQ(Chart.Sections[2]->Caption, TEXT_FILES_IN_THIS_FOLDER);
    for (auto& section : Chart.Sections) EXPECT_EQ(Infos.Get(section->InfoIndex)->Caption, section->Caption);
    const TSectionInfo* b = Infos.Get(Chart.Sections[0]->InfoIndex);
    EXPECT_EQ(b->Path, "C:\\b");
    EXPECT_EQ(b->Cursor, kCursorZoomIn);
    EXPECT_EQ(b->Kind, kEntryFolder);
    EXPECT_EQ(Chart.Sections[0]->Node, b->Node);
    EXPECT_EQ(Chart.Sections[0]->Color, Settings.Colors[kColorNormalFolder]);

    Settings.SortAscending = true;
    Builder.BuildPie(Root, Settings);
    EXPECT_EQ(Chart.Sections[0]->Caption, TEXT_FILES_IN_THIS_FOLDER);
}

TEST_F(SectionBuilderTest, LabelsInPercentAndInSize) {
    Root->Record = Record(20971520, 15728640);
    AddFolder(Root, "Windows", 5242880, 0);
    Settings.ShowPercentInPie = 1;
    Builder.BuildPie(Root, Settings);
    EXPECT_NE(SectionNamed("Windows (25%)"), nullptr);
    Settings.ShowPercentInPie = 2;
    Builder.BuildPie(Root, Settings);
    EXPECT_NE(SectionNamed("Windows (5.0 MB)"), nullptr);
    Settings.ShowPercentInPie = 7;  // unknown modes show no value
    Builder.BuildPie(Root, Settings);
    EXPECT_NE(SectionNamed("Windows"), nullptr);
    EXPECT_EQ(SectionNamed("Windows")->Caption, "Windows");
}

TEST_F(SectionBuilderTest, SingleFloatAnglesTruncatePercentLabels) {
    Root->Record = Record(1000, 890);
    AddFolder(Root, "one", 10, 0);   // 3.6 degrees: a little under 1 percent in single precision
    AddFolder(Root, "ten", 100, 0);  // 36 degrees, exact
    Settings.ShowPercentInPie = 1;
    Builder.BuildPie(Root, Settings);
    ASSERT_NE(SectionNamed("one"), nullptr);
    EXPECT_EQ(SectionNamed("one")->Caption, "one (0%)");
    EXPECT_EQ(SectionNamed("one")->Angle, double(3.6f));
    EXPECT_EQ(SectionNamed("ten")->Caption, "ten (10%)");
}

TEST_F(SectionBuilderTest, WastedSpaceCountsOnlyWhenIncluded) {
    Root->Record = Record(1000, 500, 1000);
    AddFolder(Root, "sub", 500, 0, 1000);
    Builder.BuildPie(Root, Settings);
    EXPECT_NEAR(SectionNamed("sub")->Angle, 180.0, 1e-4);
    const TSectionInfo* sub = Infos.Get(SectionNamed("sub")->InfoIndex);
    EXPECT_EQ(sub->Size, 500);
    EXPECT_EQ(sub->Wasted, 1000);

    Settings.IncludeWastedInformation = true;
    Settings.ShowPercentInPie = 2;
    Builder.BuildPie(Root, Settings);
    EXPECT_NEAR(SectionNamed("sub")->Angle, 270.0, 1e-4);  // 1500 of 2000
    EXPECT_EQ(SectionNamed("sub")->Caption, "sub (1 KB)");
}

TEST_F(SectionBuilderTest, ClusterViewMovesFolderWedgesButNotFileWedges) {
    TFolderNode* data = AddFolder(Root, "Data", 0, 0);
    data->Record->TreeSize = 3000;
    data->Record->OwnSize = 1000;
    TFolderNode* sub = AddFolder(data, "Sub", 2000, 2000, 2096);
    sub->Record->TreeWastedAt[7] = 30000;  // as if Sub held several small files
    data->Record->TreeWasted = 2096 + 3096;
    data->Record->TreeWastedAt[7] = 30000 + 64536;
    Files.AddFile("C:\\Data\\f.bin", 1000, kAttrHidden);
    Files.AddFolder("C:\\Data\\Sub");
    Settings.IncludeWastedInformation = true;
    Settings.ShowFileNames = true;
    Settings.MinFileSectionAngle = 0;

    Builder.BuildPie(data, Settings);
    const double fileAtDrive = SectionNamed("f.bin")->Angle;
    EXPECT_EQ(Infos.Get(SectionNamed("f.bin")->InfoIndex)->Wasted, 3096);
    EXPECT_EQ(Infos.Get(SectionNamed("f.bin")->InfoIndex)->Path, "C:\\Data\\f.bin");
    EXPECT_EQ(Infos.Get(SectionNamed("f.bin")->InfoIndex)->Kind, kEntryFile);
    const double subAtDrive = SectionNamed("Sub")->Angle;

    Settings.ClusterView = 7;
    Builder.BuildPie(data, Settings);
    EXPECT_EQ(Infos.Get(SectionNamed("f.bin")->InfoIndex)->Wasted, 3096);  // still the drive's own size
    EXPECT_EQ(Infos.Get(SectionNamed("Sub")->InfoIndex)->Wasted, 30000);
    EXPECT_NE(SectionNamed("Sub")->Angle, subAtDrive);
    EXPECT_NE(SectionNamed("f.bin")->Angle, fileAtDrive);  // same wedge, larger total
}

TEST_F(SectionBuilderTest, SmallFilesAreGroupedAndAnUnlistableFolderHasNoFileWedges) {
    TFolderNode* data = AddFolder(Root, "Data", 360000, 360000);
    Files.AddFile("C:\\Data\\big", 350000);
    Files.AddFile("C:\\Data\\small1", 5000);
    Files.AddFile("C:\\Data\\small2", 5000);
    Settings.ShowFileNames = true;
    Settings.MinFileSectionAngle = 5.0;  // exactly 5 degrees is grouped
    Builder.BuildPie(data, Settings);
    EXPECT_NE(SectionNamed("big"), nullptr);
    EXPECT_EQ(SectionNamed("small1"), nullptr);
    ASSERT_NE(SectionNamed(TEXT_OTHER_SMALLER_FILES), nullptr);
    EXPECT_EQ(Infos.Get(SectionNamed(TEXT_OTHER_SMALLER_FILES)->InfoIndex)->Size, 10000);
    EXPECT_EQ(SectionNamed(TEXT_OTHER_SMALLER_FILES)->Color, Settings.Colors[kColorOtherFiles]);

    Files.DenyListing("C:\\Data");
    Builder.BuildPie(data, Settings);
    EXPECT_TRUE(Chart.Sections.empty());
}

TEST_F(SectionBuilderTest, AFolderNamedLikeTheFilesWedgeGetsTheArrow) {
    Root->Record = Record(1000, 0);
    AddFolder(Root, TEXT_FILES_IN_THIS_FOLDER, 1000, 0);
    Builder.BuildPie(Root, Settings);
    ASSERT_EQ(Chart.Sections.size(), 1u);
    const TSectionInfo* info = Infos.Get(Chart.Sections[0]->InfoIndex);
    EXPECT_EQ(info->Kind, kEntryFolder);
    EXPECT_NE(info->Node, nullptr);
    EXPECT_EQ(info->Cursor, kCursorArrow);
}

TEST_F(SectionBuilderTest, AFailureStillEndsTheUpdateAndTellsThePage) {
    TThrowingFileSystem broken;
    TPieBuilder builder(Chart, Infos, broken, Drives, Locale, Log);
    Root->Record = Record(1000, 1000);
    Settings.ShowFileNames = true;
    EXPECT_THROW(builder.BuildPie(Root, Settings), std::runtime_error);
    EXPECT_EQ(Chart.UpdateCount, 0);
    EXPECT_EQ(Log.Built, 1);
    EXPECT_FALSE(Canvas.Of(TRecordingCanvas::TOp::Ellipse).empty());  // the chart was painted
}

TEST_F(SectionBuilderTest, NodesWithoutRecordsAreLeftAlone) {
    Builder.BuildPie(nullptr, Settings);
    Builder.BuildPie(Root, Settings);  // not scanned
    EXPECT_EQ(Log.Built, 0);
    EXPECT_EQ(Infos.Count(), 0);
}

TEST(PieSettings, FollowTheLoadedOptions) {
    TMemoryRegistry registry;
    registry.PlantString(std::string(kRegistryRoot) + "\\Options", "ShowPercentInPie", "2");
    const TPieBuildSettings loaded = PieBuildSettingsOf(LoadOptions(registry), 0);
    EXPECT_TRUE(loaded.IncludeWastedInformation);
    EXPECT_TRUE(loaded.ShowFileNames);
    EXPECT_FALSE(loaded.SortAscending);
    EXPECT_EQ(loaded.ShowPercentInPie, 2);
    EXPECT_DOUBLE_EQ(loaded.MinFolderSectionAngle, kDefaultMinFolderSectionAngle);
    EXPECT_DOUBLE_EQ(loaded.MinFileSectionAngle, kDefaultMinFileSectionAngle);
    EXPECT_EQ(loaded.Colors, DefaultColors);
}

TEST(PieMath, AnglesAndPercents) {
    EXPECT_DOUBLE_EQ(AngleOf(0, 0), 360.0);
    EXPECT_DOUBLE_EQ(AngleOf(5, 0), 0.0);
    EXPECT_DOUBLE_EQ(AngleOf(1, 4), 90.0);
    EXPECT_EQ(PercentOf(1, 0), 0);
    EXPECT_EQ(PercentOf(1, 3), 33);
    EXPECT_EQ(PercentOf(2, 3), 66);
    EXPECT_EQ(PercentOf(3, 3), 100);
    // Sizes beyond 92 petabytes would overflow a plain part x 100.
    const int64_t huge = INT64_MAX / 2;
    EXPECT_EQ(PercentOf(huge, INT64_MAX), 49);
    EXPECT_EQ(PercentOf(INT64_MAX - 1, INT64_MAX), 99);
}

}  // namespace
