#include "pie/PieInteraction.h"

#include <gtest/gtest.h>

#include <map>

#include "pie/PieChart.h"
#include "pie/PieStrings.h"
#include "pie/SectionInfo.h"
#include "platform/CachedShellInfo.h"
#include "platform/ShellInfo.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/RecordingCanvas.h"
#include "scan/FolderTree.h"

namespace {

using TOp = TRecordingCanvas::TOp;

// A 400 x 300 chart (centre 200, 150; radius 130) holding a folder's pie:
// its subfolder on the left half, a file on the lower right quarter and a
// group on the upper right quarter.
class PieInteractionTest : public testing::Test {
protected:
    PieInteractionTest() {
        Root = Tree.AddRoot("Local Disk (C:)", 'C');
        Folder = Tree.AddChild(*Root, "Data");
        Child = Tree.AddChild(*Folder, "Photos");
        Infos.Add(Folder, kCursorZoomOut, "Data", kEntryFolder, "C:\\Data", 10, 1000);
        AddSection(180, Child, Infos.Add(Child, kCursorZoomIn, "Photos", kEntryFolder, "C:\\Data\\Photos", 5, 500));
        AddSection(90, nullptr, Infos.Add(nullptr, kCursorArrow, "a.txt", kEntryFile, "C:\\Data\\a.txt", 3, 250));
        AddSection(
            90, nullptr,
            Infos.Add(nullptr, kCursorArrow, TEXT_OTHER_SMALLER_FILES, kEntryGroup, TEXT_OTHER_SMALLER_FILES, 2, 250));
        Chart.Paint();
        Canvas.Clear();
    }

    void AddSection(double angle, TFolderNode* node, int32_t info) {
        TPieSection* section = Chart.AddSection("s" + std::to_string(info), 0x123456, angle);
        section->Node = node;
        section->InfoIndex = info;
    }

    // Label boxes drawn since the last check; a label box is one rectangle.
    size_t LabelBoxesDrawn() {
        const size_t boxes = Canvas.Of(TOp::Rectangle).size();
        Canvas.Clear();
        return boxes;
    }

    TFolderTree Tree;
    TFolderNode* Root;
    TFolderNode* Folder;
    TFolderNode* Child;
    TSectionInfoList Infos;
    TRecordingCanvas Canvas;
    THPieChart Chart{&Canvas, 400, 300};
    TPieHover Hover;
};

const TPoint kLeft{100, 150}, kLowerRight{280, 200}, kUpperRight{280, 100}, kOutside{5, 5};

TEST_F(PieInteractionTest, AMoveRedrawsOnlyTheLabelsThatChangeAndDescribesTheItem) {
    THoverResult result = Hover.Move(Chart, Infos, kLeft.X, kLeft.Y);
    EXPECT_EQ(0, Hover.HoverIndex());
    EXPECT_EQ(0, Chart.HighlightIndex);
    EXPECT_EQ(1u, LabelBoxesDrawn());  // nothing was highlighted before
    ASSERT_NE(nullptr, result.Item);
    EXPECT_EQ("C:\\Data\\Photos", result.Item->Path);
    EXPECT_TRUE(result.CursorChanged);
    EXPECT_EQ(kCursorZoomIn, result.Cursor);
    ASSERT_TRUE(Hover.CurrentItem());
    EXPECT_EQ(Child, Hover.CurrentItem()->Node);
    EXPECT_EQ(500, Hover.CurrentItem()->Size);

    // Within the same wedge nothing is redrawn and the cursor stays.
    result = Hover.Move(Chart, Infos, kLeft.X + 5, kLeft.Y + 5);
    EXPECT_EQ(0u, LabelBoxesDrawn());
    EXPECT_FALSE(result.CursorChanged);

    // To the file: the old label goes plain, the new one lights up.
    result = Hover.Move(Chart, Infos, kLowerRight.X, kLowerRight.Y);
    EXPECT_EQ(1, Hover.HoverIndex());
    EXPECT_EQ(2u, LabelBoxesDrawn());
    EXPECT_EQ(kCursorArrow, result.Cursor);
    EXPECT_EQ("C:\\Data\\a.txt", result.Item->Path);

    // Beside the pie the folder itself is described, with the zoom-out cursor.
    result = Hover.Move(Chart, Infos, kOutside.X, kOutside.Y);
    EXPECT_EQ(-1, Hover.HoverIndex());
    EXPECT_EQ(1u, LabelBoxesDrawn());
    EXPECT_EQ("C:\\Data", result.Item->Path);
    EXPECT_EQ(kCursorZoomOut, result.Cursor);
    // The pie itself was never drawn again.
    EXPECT_TRUE(Canvas.Of(TOp::Pie).empty());
}

TEST_F(PieInteractionTest, GroupsAndRebuiltPiesOfferNoContextMenu) {
    EXPECT_EQ(nullptr, Hover.ContextMenuItem());  // no move yet
    Hover.Move(Chart, Infos, kUpperRight.X, kUpperRight.Y);
    ASSERT_TRUE(Hover.CurrentItem());
    EXPECT_EQ(kEntryGroup, Hover.CurrentItem()->Info.Kind);
    EXPECT_EQ(nullptr, Hover.ContextMenuItem());
    Hover.Move(Chart, Infos, kLowerRight.X, kLowerRight.Y);
    ASSERT_NE(nullptr, Hover.ContextMenuItem());
    EXPECT_EQ("C:\\Data\\a.txt", Hover.ContextMenuItem()->Path);

    // A rebuild frees the entries: the item is gone until the next move.
    Hover.Reset(Chart);
    EXPECT_EQ(nullptr, Hover.ContextMenuItem());
    EXPECT_EQ(-1, Hover.HoverIndex());
    EXPECT_EQ(-1, Chart.HighlightIndex);
    // And the label drawn highlighted before is not drawn plain again.
    Infos.Clear();
    const THoverResult result = Hover.Move(Chart, Infos, kLowerRight.X, kLowerRight.Y);
    EXPECT_TRUE(result.Ignored);
    EXPECT_EQ(nullptr, result.Item);
    EXPECT_EQ(nullptr, Hover.ContextMenuItem());
}

TEST_F(PieInteractionTest, ClicksOpenSubfoldersAndGoUpBesideThePie) {
    TPieClick click = DecidePieClick(Chart, kLeft.X, kLeft.Y, Folder);
    EXPECT_EQ(TPieClick::SelectChild, click.Action);
    EXPECT_EQ(Child, click.Node);
    // Files and groups do nothing.
    EXPECT_EQ(TPieClick::Nothing, DecidePieClick(Chart, kLowerRight.X, kLowerRight.Y, Folder).Action);
    EXPECT_EQ(TPieClick::Nothing, DecidePieClick(Chart, kUpperRight.X, kUpperRight.Y, Folder).Action);
    // Outside the circle and at the exact centre: up to the parent.
    for (const TPoint point : {kOutside, TPoint{200, 150}}) {
        click = DecidePieClick(Chart, point.X, point.Y, Folder);
        EXPECT_EQ(TPieClick::SelectParent, click.Action);
        EXPECT_EQ(Root, click.Node);
    }
    // At a drive's root there is nowhere to go.
    EXPECT_EQ(TPieClick::Nothing, DecidePieClick(Chart, kOutside.X, kOutside.Y, Root).Action);
    EXPECT_EQ(TPieClick::Nothing, DecidePieClick(Chart, kOutside.X, kOutside.Y, nullptr).Action);
}

class TFakeShell : public IShellInfo {
public:
    std::string GetShellDisplayName(const std::string& path) override { return Known(path) ? "Name of " + path : ""; }
    std::string GetShellTypeName(const std::string& path) override { return Known(path) ? "File Folder" : ""; }
    int GetShellIconIndex(const std::string& path, bool) override { return Known(path) ? 7 : -1; }
    bool Known(const std::string& path) const { return path.find("gone") == std::string::npos; }
};

TEST(PieItemHeaderTest, HeaderFollowsTheKindAndTheWastedOption) {
    TFakeShell shell;
    TFixedLocale locale;
    // 3,000 bytes with 1,000 wasted on a drive of 16,000 bytes.
    TItemHeader header = DescribePieItem("C:\\Data", kEntryFolder, 3000, 1000, false, 16000, shell, locale);
    EXPECT_EQ("Folder C:\\Data", header.StatusText);
    EXPECT_EQ("3 KB", header.SizeText);
    EXPECT_EQ(18, header.DrivePercent);  // 3000 / 16000, cut toward zero
    EXPECT_EQ(25, header.WastePercent);  // of the allocated 4,000 bytes
    EXPECT_EQ("1,000 bytes", header.WasteText);
    EXPECT_EQ("File Folder", header.TypeText);
    EXPECT_EQ("Name of C:\\Data", header.NameText);
    EXPECT_EQ(7, header.ShellIcon);
    EXPECT_EQ(-1, header.GroupImage);

    // With the waste included the size and gauge grow, the waste share does not.
    header = DescribePieItem("C:\\Data", kEntryFolder, 3000, 1000, true, 16000, shell, locale);
    EXPECT_EQ("4 KB", header.SizeText);
    EXPECT_EQ(25, header.DrivePercent);
    EXPECT_EQ(25, header.WastePercent);

    EXPECT_EQ("File C:\\a.txt", DescribePieItem("C:\\a.txt", kEntryFile, 1, 0, false, 0, shell, locale).StatusText);
    header = DescribePieItem("C:\\", kEntryDrive, 1, 0, false, 0, shell, locale);
    EXPECT_EQ("Drive C:\\", header.StatusText);
    EXPECT_EQ("Root Folder of Drive", header.TypeText);
    EXPECT_EQ(0, header.DrivePercent);  // an unknown drive size

    // Groups are described by their text and one of two pictures.
    header = DescribePieItem(TEXT_OTHER_SMALLER_FOLDERS, kEntryGroup, 5, 0, false, 100, shell, locale);
    EXPECT_EQ(TEXT_OTHER_SMALLER_FOLDERS, header.StatusText);
    EXPECT_EQ(TEXT_OTHER_SMALLER_FOLDERS, header.NameText);
    EXPECT_EQ("", header.TypeText);
    EXPECT_EQ(1, header.GroupImage);
    EXPECT_EQ(-1, header.ShellIcon);
    EXPECT_EQ(0, DescribePieItem(TEXT_OTHER_SMALLER_FILES, kEntryGroup, 5, 0, false, 100, shell, locale).GroupImage);

    // A path the shell cannot describe keeps its numbers.
    header = DescribePieItem("C:\\gone", kEntryFolder, 2048, 0, false, 4096, shell, locale);
    EXPECT_EQ("", header.NameText);
    EXPECT_EQ(-1, header.ShellIcon);
    EXPECT_EQ("2 KB", header.SizeText);
    EXPECT_EQ(50, header.DrivePercent);
}

}  // namespace

namespace {

class TCountingShell : public IShellInfo {
public:
    std::string GetShellDisplayName(const std::string& path) override {
        ++Calls;
        return "name " + path;
    }
    std::string GetShellTypeName(const std::string& path) override {
        ++Calls;
        return "type " + path;
    }
    int GetShellIconIndex(const std::string&, bool open) override {
        ++Calls;
        return open ? 2 : 1;
    }
    int Calls = 0;
};

TEST(CachedShellInfoTest, AsksTheShellOncePerPathUntilCleared) {
    TCountingShell shell;
    TCachedShellInfo cache(shell);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ("name C:\\a", cache.GetShellDisplayName("C:\\a"));
        EXPECT_EQ("type C:\\a", cache.GetShellTypeName("C:\\a"));
        EXPECT_EQ(1, cache.GetShellIconIndex("C:\\a", false));
        EXPECT_EQ(2, cache.GetShellIconIndex("C:\\a", true));
        EXPECT_EQ("name C:\\b", cache.GetShellDisplayName("C:\\b"));
    }
    EXPECT_EQ(5, shell.Calls);
    cache.Clear();
    cache.GetShellDisplayName("C:\\a");
    EXPECT_EQ(6, shell.Calls);
}

// What the window does when a folder is about to be freed: the pie keeps
// its picture and texts, and neither a click nor the menu reaches the
// folder afterwards (under ASan, any use of it would be reported).
TEST_F(PieInteractionTest, FoldersAboutToGoLeaveThePieLeadingNowhere) {
    Hover.Move(Chart, Infos, kLeft.X, kLeft.Y);
    ASSERT_EQ(Child, DecidePieClick(Chart, kLeft.X, kLeft.Y, Folder).Node);
    EXPECT_TRUE(IsSameOrBelow(Child, *Folder));
    EXPECT_FALSE(IsSameOrBelow(Folder, *Child));
    EXPECT_FALSE(IsSameOrBelow(nullptr, *Folder));

    DropPieNodes(Chart, Infos);
    Hover.Reset(Chart);
    Tree.DeleteNode(Child);
    EXPECT_EQ(TPieClick::Nothing, DecidePieClick(Chart, kLeft.X, kLeft.Y, Folder).Action);
    Hover.Move(Chart, Infos, kLeft.X, kLeft.Y);
    ASSERT_TRUE(Hover.CurrentItem());
    EXPECT_EQ(nullptr, Hover.CurrentItem()->Node);
    EXPECT_EQ("C:\\Data\\Photos", Hover.CurrentItem()->Path);
    // Beside the pie the click still goes up from the selected folder.
    EXPECT_EQ(Root, DecidePieClick(Chart, kOutside.X, kOutside.Y, Folder).Node);
}

}  // namespace
