// Recycling and deleting with the real shell on drive T: (prepared by
// scripts/test): the shell asks its own question, which the test answers,
// and the tree must then agree with a fresh scan of what is left.

#include <gtest/gtest.h>

#include "ScanFlowFixture.h"
#include "ShellBoxAnswerer.h"
#include "Win32TestFiles.h"
#include "cleanup/win32/CleanUpPage.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ShellFileOperation.h"
#include "scan/ClusterSize.h"

namespace {

const char kRoot[] = "T:\\cleanup-real";

class CleanUpRealShellTest : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        const std::string r = kRoot;
        Ready = MakeFolder(r) && MakeFolder(r + "\\Keep") && MakeFile(r + "\\Keep\\a.txt", 100) &&
                MakeFolder(r + "\\Gone") && MakeFolder(r + "\\Gone\\sub") && MakeFile(r + "\\Gone\\sub\\b.txt", 5000) &&
                MakeFile(r + "\\Gone\\c.txt", 10, FILE_ATTRIBUTE_HIDDEN) && MakeFolder(r + "\\Bin") &&
                MakeFile(r + "\\Bin\\d.txt", 300);
        FileSystem = &RealFiles;
        DriveInfo = &RealDrives;
        CurrentDirectory = &RealDirectory;
        Main.ShellOperation = &RealShell;
    }

    void RemoveWithTheRealShell(const char* folder, TCleanUpAction action) {
        ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test";
        Start();
        const std::string path = std::string(kRoot) + "\\" + folder;
        ASSERT_TRUE(Main.Hooks.SelectFolderByPath(path));
        ASSERT_EQ(SelectedPath(), path);
        const int32_t subfolders = Node(kRoot)->Record->OwnFolders;
        {
            TShellBoxAnswerer yes;
            Main.Form->CleanUp()->Run(action);
        }
        EXPECT_EQ(GetFileAttributesW(Widen(path).c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(Node(path), nullptr);
        EXPECT_EQ(SelectedPath(), kRoot);
        const TFolderSize& parent = *Node(kRoot)->Record;
        const TFolderSize fresh = FreshRecord(RealFiles, RealDrives, kRoot);
        EXPECT_EQ(parent.OwnFolders, subfolders - 1);
        ExpectSameTotals(parent, fresh);
    }

    bool Ready = false;
    TWin32FileSystem RealFiles;
    TWin32DriveInfo RealDrives;
    TWin32CurrentDirectory RealDirectory;
    TWin32ShellFileOperation RealShell;
};

}  // namespace

TEST_F(CleanUpRealShellTest, DeletingTakesTheFolderAndExactlyItsTotalsAway) {
    RemoveWithTheRealShell("Gone", TCleanUpAction::Delete);
}

TEST_F(CleanUpRealShellTest, RecyclingTakesTheFolderAndExactlyItsTotalsAway) {
    RemoveWithTheRealShell("Bin", TCleanUpAction::Recycle);
}

TEST_F(CleanUpRealShellTest, SayingNoToTheShellChangesNothing) {
    ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test";
    Start();
    const std::string path = std::string(kRoot) + "\\Keep";
    ASSERT_TRUE(Main.Hooks.SelectFolderByPath(path));
    const TFolderSize before = *Root('T')->Record;
    {
        TShellBoxAnswerer no({IDNO});
        Main.Form->CleanUp()->Run(TCleanUpAction::Delete);
        EXPECT_GE(no.Answered(), 1);
    }
    EXPECT_NE(GetFileAttributesW(Widen(path).c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_NE(Node(path), nullptr);
    EXPECT_EQ(Root('T')->Record->TreeSize, before.TreeSize);
    EXPECT_EQ(Root('T')->Record->TreeFolders, before.TreeFolders);
}
