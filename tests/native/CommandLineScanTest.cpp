// The scan behind /report and /csv: a folder is found after its whole drive
// was scanned, with the figures the window would show; a drive that is not
// ready or a missing folder fails at once, before anything is read.

#include <gtest/gtest.h>

#include "ScanTestSupport.h"
#include "main/CommandLineScan.h"
#include "platform/ShellInfo.h"
#include "platform/UnattendedMessageBoxes.h"
#include "platform/memory/FakeCurrentDirectory.h"

namespace {

class TNamingShell : public IShellInfo {
public:
    std::string GetShellDisplayName(const std::string&) override { return "Local Disk (C:)"; }
    std::string GetShellTypeName(const std::string&) override { return "File Folder"; }
    int GetShellIconIndex(const std::string&, bool) override { return -1; }
};

struct TProgressCall {
    int64_t Folders;
    int64_t Files;
    std::string Path;
};

class CommandLineScanTest : public ::testing::Test {
protected:
    CommandLineScanTest() {
        Reference.Files.AddFile("C:\\top.txt", 10);
        Reference.Files.AddFile("C:\\Data\\a.bin", 5000);
        Reference.Files.AddFile("C:\\Data\\Old Photos\\b.jpg", 9000);
        Reference.Files.AddFile("C:\\Data\\Old Photos\\c.jpg", 1);
        Reference.Files.AddFolder("C:\\Empty");
        Directory.AddFolder("C:\\");
    }

    TCommandLineScan MakeScan() {
        return TCommandLineScan({Reference.Files, Reference.Drives, Shell, Directory, Boxes, Reference.NameOrder,
                                 [this](int64_t folders, int64_t files, const std::string& path) {
                                     Calls.push_back({folders, files, path});
                                 }});
    }

    TScanWorld Reference;  // its file system and drive serve both scans
    TNamingShell Shell;
    TFakeCurrentDirectory Directory;
    TUnattendedMessageBoxes Boxes;
    std::vector<TProgressCall> Calls;
};

}  // namespace

TEST_F(CommandLineScanTest, AFolderIsFoundInItsScannedDriveWithTheWindowsFigures) {
    TCommandLineScan scan = MakeScan();
    const TFolderNode* node = scan.Scan("C:\\data\\old photos\\");
    ASSERT_NE(node, nullptr) << scan.Problem();
    EXPECT_EQ(NodePath(node), "C:\\Data\\Old Photos");
    EXPECT_EQ(scan.ClusterSize(), 4096);
    // The whole drive was read, as the window's command line does it.
    EXPECT_EQ(RootOf(const_cast<TFolderNode*>(node))->Record->TreeFolders, 3);

    const TFolderNode* expected = FindNodeByPath(Reference.ScanDriveC(), "Data\\Old Photos", false);
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(node->Record->TreeSize, expected->Record->TreeSize);
    EXPECT_EQ(node->Record->TreeWasted, expected->Record->TreeWasted);
    EXPECT_EQ(node->Record->OwnFiles, 2);
    EXPECT_TRUE(Boxes.FirstText().empty());
}

TEST_F(CommandLineScanTest, ADriveRootIsTheDrivesRootNode) {
    TCommandLineScan scan = MakeScan();
    const TFolderNode* node = scan.Scan("C:\\");
    ASSERT_NE(node, nullptr) << scan.Problem();
    EXPECT_TRUE(node->IsRoot());
    EXPECT_EQ(node->Record->TreeFiles, 4);
}

TEST_F(CommandLineScanTest, ProgressCountsFoldersAndFilesAsTheScanGoes) {
    TCommandLineScan scan = MakeScan();
    ASSERT_NE(scan.Scan("C:\\"), nullptr);
    ASSERT_EQ(Calls.size(), 4u);  // one per folder entered
    EXPECT_EQ(Calls.front().Folders, 1);
    EXPECT_EQ(Calls.front().Path, "C:\\");
    EXPECT_EQ(Calls.back().Folders, 4);
    // Files are counted as their folders finish: Data\Old Photos (2) was
    // done before Empty was entered; the root's own file comes last.
    EXPECT_EQ(Calls.back().Path, "C:\\Empty\\");
    EXPECT_EQ(Calls.back().Files, 3);
}

TEST_F(CommandLineScanTest, ADriveThatIsNotReadyFailsAtOnceWithoutReadingAnything) {
    Reference.Files.SetDriveReady('D', false);
    TCommandLineScan scan = MakeScan();
    EXPECT_EQ(scan.Scan("D:\\Data"), nullptr);
    EXPECT_EQ(scan.Problem().substr(0, 20), "D: is not accessible");
    EXPECT_EQ(Boxes.FirstText(), scan.Problem());
    EXPECT_EQ(Directory.Attempts.size(), 1u);  // asked once, answered Cancel
    EXPECT_TRUE(Calls.empty());
}

TEST_F(CommandLineScanTest, AMissingOrUnreadableFolderFailsBeforeTheDriveIsScanned) {
    Reference.Files.DenyListing("C:\\Data");
    TCommandLineScan scan = MakeScan();
    EXPECT_EQ(scan.Scan("C:\\Nowhere"), nullptr);
    EXPECT_EQ(scan.Problem(), "no such folder");
    EXPECT_EQ(scan.Scan("C:\\top.txt"), nullptr);
    EXPECT_EQ(scan.Problem(), "not a folder, or it cannot be read");
    EXPECT_EQ(scan.Scan("C:\\Data"), nullptr);
    EXPECT_EQ(scan.Problem(), "not a folder, or it cannot be read");
    EXPECT_TRUE(Calls.empty());
}

TEST(FindScannedFolder, FollowsThePathBelowTheRootIgnoringCaseOnOrdinaryVolumes) {
    TScanWorld world;
    world.Files.AddFolder("C:\\Users\\Ann\\Music");
    TFolderNode* root = world.ScanDriveC();
    EXPECT_EQ(FindScannedFolder(root, "C:\\", world.Drives), root);
    EXPECT_EQ(NodePath(FindScannedFolder(root, "c:\\users\\ANN\\music\\", world.Drives)), "C:\\Users\\Ann\\Music");
    EXPECT_EQ(FindScannedFolder(root, "C:\\Users\\Bob", world.Drives), nullptr);
}
