#include "main/FolderInfoText.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryFileSystem.h"
#include "scan/FolderTree.h"

namespace {

const uint64_t kTicksPerSecond = 10000000;

// A time of day on Monday, 7 December 2026 (UTC), day 155568 of file time.
TFileTime December7th2026(int hour, int minute, int second) {
    const uint64_t days = 155568;
    const uint64_t seconds = days * 86400 + uint64_t(hour) * 3600 + uint64_t(minute) * 60 + uint64_t(second);
    return MakeFileTime(seconds * kTicksPerSecond);
}

// A folder whose own files waste 24 bytes (64,536 at 64 KB clusters) and
// whose one subfolder's tree wastes the rest.
struct TSampleFolder {
    TFolderTree Tree;
    TFolderNode* Node = Tree.AddRoot("C", 'C');

    TSampleFolder() {
        Node->Record = std::make_unique<TFolderSize>();
        TFolderSize& r = *Node->Record;
        r.TreeSize = 1536;
        r.OwnSize = 1000;
        r.TreeWasted = 2560;
        r.TreeFiles = 1234;
        r.TreeFolders = 2;
        r.OwnFiles = 1;
        r.OwnFolders = 1;
        r.TreeWastedAt[7] = 131072 - 1536;
        TFolderNode* sub = Tree.AddChild(*Node, "Sub");
        sub->Record = std::make_unique<TFolderSize>();
        sub->Record->TreeWasted = 2560 - 24;
        sub->Record->TreeWastedAt[7] = (131072 - 1536) - (65536 - 1000);
    }
};

TEST(FolderInfoMeasurements, TextsAndExactHintsFollowTheClusterView) {
    const TFixedLocale locale;
    const TSampleFolder sample;
    const TFolderNode& record = *sample.Node;
    {
        const TMeasurementTexts t = MeasurementTexts(record, 0, locale);
        EXPECT_EQ(t.TreeSize.Text, "2 KB");
        EXPECT_EQ(t.TreeSize.Hint, "1,536 bytes");
        EXPECT_EQ(t.TreeAllocated.Text, "4 KB");
        EXPECT_EQ(t.TreeAllocated.Hint, "4,096 bytes");
        EXPECT_EQ(t.TreeWasted.Text, "3 KB");
        EXPECT_EQ(t.TreeWasted.Hint, "2,560 bytes");
        EXPECT_EQ(t.TreeObjects.Text, "1,236");
        EXPECT_EQ(t.TreeObjects.Hint, "1,234 file(s) and 2 subfolder(s)");
        EXPECT_EQ(t.FolderSize.Text, "1,000 bytes");
        EXPECT_EQ(t.FolderSize.Hint, "1,000 bytes");
        EXPECT_EQ(t.FolderAllocated.Text, "1,024 bytes");
        EXPECT_EQ(t.FolderWasted.Text, "24 bytes");
        EXPECT_EQ(t.FolderWasted.Hint, "24 bytes");
        EXPECT_EQ(t.FolderObjects.Text, "2");
        EXPECT_EQ(t.FolderObjects.Hint, "1 file(s) and 1 subfolder(s)");
    }
    {
        // "64 K" in the cluster size box: allocated and wasted change, the
        // sizes and counts do not.
        const TMeasurementTexts t = MeasurementTexts(record, 7, locale);
        EXPECT_EQ(t.TreeSize.Text, "2 KB");
        EXPECT_EQ(t.TreeAllocated.Text, "128 KB");
        EXPECT_EQ(t.TreeAllocated.Hint, "131,072 bytes");
        EXPECT_EQ(t.TreeWasted.Text, "127 KB");  // 126.5 KB rounds away from zero
        EXPECT_EQ(t.TreeWasted.Hint, "129,536 bytes");
        EXPECT_EQ(t.FolderAllocated.Text, "64 KB");
        EXPECT_EQ(t.FolderWasted.Hint, "64,536 bytes");
        EXPECT_EQ(t.TreeObjects.Text, "1,236");
    }
    TFolderTree tree;
    TFolderNode* emptyFolder = tree.AddRoot("E", 'E');
    emptyFolder->Record = std::make_unique<TFolderSize>();
    const TMeasurementTexts empty = MeasurementTexts(*emptyFolder, 0, locale);
    for (const TLabelText* label : {&empty.TreeSize, &empty.TreeAllocated, &empty.TreeWasted, &empty.FolderSize,
                                    &empty.FolderAllocated, &empty.FolderWasted}) {
        EXPECT_EQ(label->Text, "0 bytes");
        EXPECT_EQ(label->Hint, "0 bytes");
    }
    EXPECT_EQ(empty.FolderObjects.Hint, "0 file(s) and 0 subfolder(s)");
}

TEST(FolderInfoGrid, FolderWithItsOwnEntry) {
    const TFixedLocale locale;
    TFolderSize record;
    record.LastAccess = December7th2026(13, 5, 9);
    record.LastWrite = December7th2026(0, 0, 0);
    record.AttrUnion = kAttrHidden | kAttrCompressed | kAttrArchive;
    TOwnEntry own;
    own.Found = true;
    own.Entry.Name = "Program Files";
    own.Entry.ShortName = "PROGRA~1";
    own.Entry.CreationTime = December7th2026(9, 0, 0);
    own.Entry.Attributes = kAttrDirectory | kAttrReadOnly;

    const auto rows = FolderInfoValues("Program Files", own, record, locale);
    EXPECT_EQ(rows[0], "Program Files");
    EXPECT_EQ(rows[1], "PROGRA~1");
    EXPECT_EQ(rows[2], "Monday, December 7, 2026 01:05:09 PM");
    EXPECT_EQ(rows[3], "Monday, December 7, 2026");
    EXPECT_EQ(rows[4], "Monday, December 7, 2026 09:00:00 AM");
    EXPECT_EQ(rows[5], "ReadOnly + Directory");
    EXPECT_EQ(rows[6], "");
    EXPECT_EQ(rows[7], "No Read-Only files");
    EXPECT_EQ(rows[8], "The folder contains Hidden files");
    EXPECT_EQ(rows[9], "No System files");
    EXPECT_EQ(rows[10], "The folder contains Compressed files");

    // A name that is already short has no alternate name: the display name
    // in capitals stands in. A zero creation time is unknown.
    own.Entry.ShortName.clear();
    own.Entry.CreationTime = TFileTime();
    const auto shortRows = FolderInfoValues("Temp", own, record, locale);
    EXPECT_EQ(shortRows[1], "TEMP");
    EXPECT_EQ(shortRows[4], "(unknown)");

    // The dates come out in local time.
    const TFixedLocale twoHoursEast(120);
    EXPECT_EQ(FolderInfoValues("Temp", own, record, twoHoursEast)[3], "Monday, December 7, 2026 02:00:00 AM");
}

TEST(FolderInfoGrid, RootOrVanishedFolderWithNoFiles) {
    const TFixedLocale locale;
    // Whatever the entry holds is ignored when it was not found.
    TOwnEntry missing;
    missing.Entry.ShortName = "STALE";
    missing.Entry.CreationTime = December7th2026(1, 2, 3);
    missing.Entry.Attributes = kAttrDirectory;

    const auto rows = FolderInfoValues("Local Disk (C:)", missing, TFolderSize(), locale);
    EXPECT_EQ(rows[0], "Local Disk (C:)");
    EXPECT_EQ(rows[1], "");
    EXPECT_EQ(rows[2], "(unknown)");
    EXPECT_EQ(rows[3], "(unknown)");
    EXPECT_EQ(rows[4], "(unknown)");
    EXPECT_EQ(rows[5], "");
    for (int row = 7; row <= 10; ++row) EXPECT_EQ(rows[size_t(row)].rfind("No ", 0), 0u) << rows[size_t(row)];
    // Each sentence names the files of its own row label.
    for (int row = 7; row <= 10; ++row)
        EXPECT_EQ(rows[size_t(row)], std::string("No ") + kFolderInfoRowLabels[size_t(row)]);
}

TEST(FolderInfoGrid, OwnEntryIsTheFolderItselfNotASibling) {
    TMemoryFileSystem files;
    files.AddFile("C:\\boot.ini", 10);
    files.AddFolder("C:\\Data");
    files.AddFolder("C:\\Program Files", kAttrReadOnly, "PROGRA~1");

    const TOwnEntry programs = ReadOwnEntry(files, "C:\\Program Files");
    ASSERT_TRUE(programs.Found);
    EXPECT_EQ(programs.Entry.Name, "Program Files");
    EXPECT_EQ(programs.Entry.ShortName, "PROGRA~1");
    EXPECT_EQ(programs.Entry.Attributes, kAttrDirectory | kAttrReadOnly);
    // A trailing backslash and another case find the same folder.
    const TOwnEntry data = ReadOwnEntry(files, "c:\\DATA\\");
    ASSERT_TRUE(data.Found);
    EXPECT_EQ(data.Entry.Name, "Data");

    // A root has no entry of its own; a folder that vanished has none left.
    EXPECT_FALSE(ReadOwnEntry(files, "C:\\").Found);
    EXPECT_FALSE(ReadOwnEntry(files, "C:\\Gone").Found);
    EXPECT_FALSE(ReadOwnEntry(files, "E:\\Elsewhere").Found);
    EXPECT_FALSE(ReadOwnEntry(files, "").Found);
}

TEST(FolderInfoGrid, AttributeTextsAndSentences) {
    EXPECT_EQ(AttributeText(0), "");
    EXPECT_EQ(AttributeText(kAttrDirectory), "Directory");
    EXPECT_EQ(AttributeText(kAttrDirectory | kAttrArchive), "Archive + Directory");
    EXPECT_EQ(AttributeText(kAttrArchive | kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory),
              "Archive + ReadOnly + Hidden + System + Directory");
    EXPECT_EQ(AttributeText(kAttrSystem | kAttrHidden), "Hidden + System");
    // Bits without a name in the list are left out.
    EXPECT_EQ(AttributeText(kAttrCompressed | kAttrReparsePoint), "");
    EXPECT_EQ(AttributeText(kAttrCompressed | kAttrDirectory | 0x80000000u), "Directory");

    EXPECT_EQ(AttributeSentence(true, "Hidden"), "The folder contains Hidden files");
    EXPECT_EQ(AttributeSentence(false, "Hidden"), "No Hidden files");
    EXPECT_EQ(AttributeSentence(false, "Read-Only"), "No Read-Only files");
}

TEST(WastedSpacePage, HeaderDependsOnWhetherTheFolderIsADriveRoot) {
    const TWastedHeader folder = WastedHeader(false);
    EXPECT_EQ(folder.Amount, "Amount of space wasted by folder (+ subfolders)");
    EXPECT_EQ(folder.HelpContext, 3010);
    const TWastedHeader drive = WastedHeader(true);
    EXPECT_EQ(drive.Amount, "Amount of space wasted on drive");
    EXPECT_EQ(drive.HelpContext, 3020);

    // Each caption hint is the panel's cluster size in plain digits.
    for (int k = 1; k <= kClusterSizeCount; ++k)
        EXPECT_EQ(kClusterPanelTexts[size_t(k - 1)].CaptionHint, std::to_string(ClusterSizes[k]) + " bytes") << k;
}

TEST(WastedSpacePage, PanelsShowTheStoredValueOfEachClusterSize) {
    const TFixedLocale locale;
    TFolderSize r;
    r.TreeSize = 3000;
    r.TreeWasted = 777;
    r.TreeWastedAt[1] = 0;
    r.TreeWastedAt[2] = 1000;              // 25 %
    r.TreeWastedAt[3] = 1;                 // 0.03 % cuts to 0
    r.TreeWastedAt[4] = 6000;              // 66.67 % cuts to 66
    r.TreeWastedAt[5] = 3000;              // 50 %
    r.TreeWastedAt[6] = 1048576;           // 99.71 %
    r.TreeWastedAt[7] = int64_t(3) << 30;  // 99.9999 %
    const int expectedPercent[] = {0, 25, 0, 66, 50, 99, 99};
    const char* expectedText[] = {"0 bytes", "1,000 bytes", "1 bytes", "6 KB", "3 KB", "1.0 MB", "3.00 GB"};

    const auto panels = WastedPanels(r, 4096, locale);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        const TWastedPanel& panel = panels[size_t(k - 1)];
        EXPECT_EQ(panel.Percent, expectedPercent[k - 1]) << k;
        EXPECT_EQ(panel.Text, expectedText[k - 1]) << k;
        EXPECT_EQ(panel.Shaded, k == 3) << k;  // 4096-byte clusters: only the 4K panel
    }
    EXPECT_EQ(panels[5].Hint, "1,048,576 bytes");
    EXPECT_EQ(panels[2].Hint, "1 byte");

    // A drive whose cluster size is not in the table shades no panel.
    for (int32_t clusterSize : {1024, -1, 0})
        for (const TWastedPanel& panel : WastedPanels(r, clusterSize, locale)) EXPECT_FALSE(panel.Shaded);
    EXPECT_TRUE(WastedPanels(r, 65536, locale)[6].Shaded);

    // Nothing at all: no division by zero. Only slack: all of it is waste.
    for (const TWastedPanel& panel : WastedPanels(TFolderSize(), 512, locale)) {
        EXPECT_EQ(panel.Percent, 0);
        EXPECT_EQ(panel.Text, "0 bytes");
    }
    TFolderSize onlySlack;
    onlySlack.TreeWastedAt[1] = 10;
    EXPECT_EQ(WastedPanels(onlySlack, 512, locale)[0].Percent, 100);
}

TEST(InfoPageLayout, CentringAndRowPlacementCutTowardZero) {
    EXPECT_EQ(CenteredLeft(500, 300), 100);
    EXPECT_EQ(CenteredLeft(501, 300), 100);
    EXPECT_EQ(CenteredLeft(300, 301), 0);  // -0.5 cuts to 0, not -1
    EXPECT_EQ(CenteredLeft(300, 305), -2);

    const TWastedRowsPlacement roomy = PlaceWastedRows(400, 300, 57, 305, 89, 89);
    EXPECT_TRUE(roomy.MoveLefts);
    EXPECT_EQ(roomy.Left, 47);
    EXPECT_EQ(roomy.Row1Top, 57 + 32);  // free height 65
    EXPECT_EQ(roomy.Row2Top, 57 + 32 + 88);

    // No wider than the first row: the lefts stay. Too low: the free height
    // is negative and its half cuts toward zero.
    const TWastedRowsPlacement cramped = PlaceWastedRows(305, 200, 57, 305, 89, 89);
    EXPECT_FALSE(cramped.MoveLefts);
    EXPECT_EQ(cramped.Row1Top, 57 - 17);  // free height -35
    EXPECT_EQ(cramped.Row2Top, 57 - 17 + 88);
    EXPECT_TRUE(PlaceWastedRows(306, 200, 57, 305, 89, 89).MoveLefts);
    EXPECT_EQ(PlaceWastedRows(306, 200, 57, 305, 89, 89).Left, 0);
}

}  // namespace
