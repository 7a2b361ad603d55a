#include <gtest/gtest.h>

#include <string>

#include "main/HelpTopics.h"
#include "main/Hints.h"
#include "main/MainLayout.h"
#include "main/Pages.h"
#include "scan/FolderTree.h"

namespace {

TEST(HintTest, ShortAndLongTextsAroundTheBar) {
    EXPECT_EQ("Show Files", ShortHint("Show Files|Display individual files in the pie chart"));
    EXPECT_EQ("Display individual files in the pie chart",
              LongHint("Show Files|Display individual files in the pie chart"));
    // Without a bar the hint is both.
    EXPECT_EQ("Opens Help.", ShortHint("Opens Help."));
    EXPECT_EQ("Opens Help.", LongHint("Opens Help."));
    // Only the first bar splits.
    EXPECT_EQ("b|c", LongHint("a|b|c"));
    EXPECT_EQ("", ShortHint(kStatusBarHint));
    EXPECT_EQ(":", LongHint(kStatusBarHint));
}

TEST(HintTest, EmptyAndColonBringThePathBack) {
    EXPECT_TRUE(RestoresStatusPath(""));
    EXPECT_TRUE(RestoresStatusPath(":"));
    EXPECT_FALSE(RestoresStatusPath(" "));
    EXPECT_FALSE(RestoresStatusPath("::"));
    EXPECT_FALSE(RestoresStatusPath("Quits Quarrymap 2000."));
}

const TPixelScale kAt96;
const TPixelScale kAt144(144);  // 150 %

TEST(ToolbarStripLayoutTest, ClusterBoxFillsWhatIsRightOfTheToolbar) {
    const TStripLayout layout = LayoutToolbarStrip(588, kAt96);
    EXPECT_EQ(171, layout.ToolbarLeft);
    EXPECT_EQ(247, layout.ToolbarWidth);
    EXPECT_EQ(171 + 247 + 4, layout.ClustersLeft);
    EXPECT_EQ(588 - 4 - layout.ClustersLeft, layout.ClustersWidth);
    EXPECT_TRUE(layout.ClustersVisible);
}

TEST(ToolbarStripLayoutTest, HiddenBelowThirtyTwoPixels) {
    const int narrowest = 171 + 247 + 4 + 32 + 4;
    EXPECT_TRUE(LayoutToolbarStrip(narrowest, kAt96).ClustersVisible);
    EXPECT_EQ(32, LayoutToolbarStrip(narrowest, kAt96).ClustersWidth);
    EXPECT_FALSE(LayoutToolbarStrip(narrowest - 1, kAt96).ClustersVisible);
    EXPECT_FALSE(LayoutToolbarStrip(0, kAt96).ClustersVisible);
    EXPECT_EQ(247, LayoutToolbarStrip(0, kAt96).ToolbarWidth);
}

TEST(ToolbarStripLayoutTest, EveryMeasureGrowsWithTheScreensScaling) {
    // 171, 247, 4 and 32 pixels at 150 %, rounded halves up.
    const TStripLayout layout = LayoutToolbarStrip(900, kAt144);
    EXPECT_EQ(257, layout.ToolbarLeft);
    EXPECT_EQ(371, layout.ToolbarWidth);
    EXPECT_EQ(257 + 371 + 6, layout.ClustersLeft);
    EXPECT_EQ(900 - 6 - layout.ClustersLeft, layout.ClustersWidth);
    const int narrowest = 257 + 371 + 6 + 48 + 6;
    EXPECT_TRUE(LayoutToolbarStrip(narrowest, kAt144).ClustersVisible);
    EXPECT_FALSE(LayoutToolbarStrip(narrowest - 1, kAt144).ClustersVisible);
}

TEST(StatusPanelTest, PathPanelTakesWhatTheClusterPanelLeaves) {
    const TStatusPanels normal = StatusPanelWidths(580, false, kAt96);
    EXPECT_EQ(430, normal.PathWidth);
    EXPECT_EQ(150, normal.ClusterWidth);
    EXPECT_TRUE(normal.PathBevel);
    const TStatusPanels hint = StatusPanelWidths(580, true, kAt96);
    EXPECT_EQ(580, hint.PathWidth);
    EXPECT_FALSE(hint.PathBevel);
    EXPECT_EQ(0, StatusPanelWidths(100, false, kAt96).PathWidth);
}

TEST(StatusPanelTest, TheClusterPanelGrowsWithTheScreensScaling) {
    const TStatusPanels normal = StatusPanelWidths(870, false, kAt144);
    EXPECT_EQ(225, normal.ClusterWidth);
    EXPECT_EQ(645, normal.PathWidth);
    EXPECT_EQ(870, StatusPanelWidths(870, true, kAt144).PathWidth);
}

TEST(NotScannedMemoTest, SixPixelsInsideAndAtMostThreeHundredWideAt150Percent) {
    EXPECT_EQ(300, NotScannedMemoSize(500, 450, 18, kAt144).Width);
    EXPECT_EQ(200 - 6, NotScannedMemoSize(200, 450, 18, kAt144).Width);
    EXPECT_EQ(450 - 6 - 18, NotScannedMemoSize(500, 450, 18, kAt144).Height);
}

TEST(NotScannedMemoTest, FourPixelsInsideAndAtMostTwoHundredWide) {
    EXPECT_EQ(150, NotScannedMemoSize(154, 300, 12, kAt96).Width);
    EXPECT_EQ(200, NotScannedMemoSize(500, 300, 12, kAt96).Width);
    EXPECT_EQ(300 - 4 - 12, NotScannedMemoSize(500, 300, 12, kAt96).Height);
    EXPECT_EQ(0, NotScannedMemoSize(2, 10, 12, kAt96).Width);
    EXPECT_EQ(0, NotScannedMemoSize(2, 10, 12, kAt96).Height);
}

class PageVisibilityTest : public ::testing::Test {
protected:
    PageVisibilityTest() {
        Drive = Tree.AddRoot("Local Disk (C:)", 'C');
        Folder = Tree.AddChild(*Drive, "Windows");
    }

    static std::string Tabs(const TPageVisibility& visibility) {
        std::string tabs;
        for (int sheet : VisibleTabSheets(visibility.TabVisible)) tabs += std::to_string(sheet);
        return tabs;
    }

    TFolderTree Tree;
    TFolderNode* Drive;
    TFolderNode* Folder;
};

TEST_F(PageVisibilityTest, NoNodeOrNoRecordShowsOnlyTheNotScannedSheet) {
    for (TFolderNode* node : {static_cast<TFolderNode*>(nullptr), Drive, Folder}) {
        const TPageVisibility visibility = DecidePageVisibility(node, 3);
        EXPECT_FALSE(visibility.HasRecord);
        EXPECT_EQ("0", Tabs(visibility));
        EXPECT_EQ(pageNotScanned, visibility.ActiveSheet);
        EXPECT_EQ(3, visibility.CurrentPage);  // kept for when a scanned folder is selected
    }
}

TEST_F(PageVisibilityTest, ScannedFolderShowsTheFiveContentSheets) {
    Folder->Record = std::make_unique<TFolderSize>();
    for (uint8_t page = 0; page < 5; ++page) {
        const TPageVisibility visibility = DecidePageVisibility(Folder, page);
        EXPECT_TRUE(visibility.HasRecord);
        EXPECT_EQ("12345", Tabs(visibility));
        EXPECT_EQ(page, visibility.CurrentPage);
        EXPECT_EQ(SheetOfPage(page), visibility.ActiveSheet);
    }
}

TEST_F(PageVisibilityTest, DriveRootHasNoCleanUpTabAndFallsBackToThePie) {
    Drive->Record = std::make_unique<TFolderSize>();
    const TPageVisibility fromCleanUp = DecidePageVisibility(Drive, 4);
    EXPECT_EQ("1234", Tabs(fromCleanUp));
    EXPECT_EQ(0, fromCleanUp.CurrentPage);
    EXPECT_EQ(pagePieChart, fromCleanUp.ActiveSheet);
    const TPageVisibility fromWasted = DecidePageVisibility(Drive, 3);
    EXPECT_EQ(3, fromWasted.CurrentPage);
    EXPECT_EQ(pageWastedSpace, fromWasted.ActiveSheet);
}

TEST(PagesTest, SheetOfPageIsOneFurther) {
    for (int page = 0; page < kPageCount; ++page) EXPECT_EQ(page, PageOfSheet(SheetOfPage(page)));
    EXPECT_STREQ("Pie Chart", ContentTabCaption(SheetOfPage(0)));
    EXPECT_STREQ("Free Some Space", ContentTabCaption(SheetOfPage(4)));
    EXPECT_STREQ("", ContentTabCaption(pageNotScanned));
}

TEST(NotScannedTextTest, NoDrivesMessageIgnoresScanningAndNode) {
    TFolderTree tree;
    TFolderNode* drive = tree.AddRoot("Local Disk (C:)", 'C');
    const std::string message = NotScannedMessage(true, true, drive);
    EXPECT_EQ(message, NotScannedMessage(true, false, nullptr));
    EXPECT_EQ(0u, message.find("No drives have been scanned.\r\n\r\nTo scan a drive"));
    EXPECT_EQ("No scanned items", NotScannedCaption(true));
    EXPECT_EQ("Folder not scanned", NotScannedCaption(false));
}

TEST(NotScannedTextTest, BothPlaceholdersNameTheKindOfNode) {
    TFolderTree tree;
    TFolderNode* drive = tree.AddRoot("Local Disk (C:)", 'C');
    TFolderNode* folder = tree.AddChild(*drive, "Data");
    EXPECT_EQ(
        "Quarrymap 2000 has not finished gathering information about this drive.\r\n\r\nYou may wait until the drive "
        "is completely scanned\r\n\r\nor\r\n\r\nyou may select another drive or folder from the left folder tree view.",
        NotScannedMessage(false, true, drive));
    EXPECT_EQ(
        "The scannning process was interrupted before Quarrymap 2000 had finished scanning this folder.\r\n\r\nYou "
        "may rescan the folder\r\n\r\nor\r\n\r\nyou may select another drive or folder from the left folder tree view.",
        NotScannedMessage(false, false, folder));
    const std::string none = NotScannedMessage(false, false, nullptr);
    EXPECT_NE(std::string::npos, none.find("scanning this item."));
    EXPECT_NE(std::string::npos, none.find("rescan the item\r\n"));
    EXPECT_EQ(std::string::npos, none.find("%s"));
}

TEST(HelpTopicsTest, ContextPageWhenItExistsOtherwiseTheIndex) {
    const auto only4000 = [](const std::string& path) { return path == "C:\\Apps\\Quarrymap\\help\\4000.htm"; };
    EXPECT_EQ("C:\\Apps\\Quarrymap\\help\\4000.htm", HelpTopicPath("C:\\Apps\\Quarrymap", 4000, only4000));
    EXPECT_EQ("C:\\Apps\\Quarrymap\\help\\index.htm", HelpTopicPath("C:\\Apps\\Quarrymap\\", 4010, only4000));
    EXPECT_EQ("C:\\Apps\\Quarrymap\\help\\index.htm", HelpTopicPath("C:\\Apps\\Quarrymap", 0, only4000));
    EXPECT_EQ("C:\\help\\index.htm", HelpIndexPath("C:\\"));
}

}  // namespace
