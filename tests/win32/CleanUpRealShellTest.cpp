// Recycling and deleting with the real shell on drive T: (prepared by
// scripts/test): the shell asks its own question, which the test answers,
// and the tree must then agree with a fresh scan of what is left.

#include <gtest/gtest.h>

#include "ScanFlowFixture.h"
#include "ShellBoxAnswerer.h"
#include "UnixTools.h"
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
        Main.FileSystem = &RealFiles;
    }

    void RemoveWithTheRealShell(const char* folder, TCleanUpAction action) {
        ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test";
        Start();
        const std::string path = std::string(kRoot) + "\\" + folder;
        ASSERT_TRUE(Main.Parts.Scan->SelectFolderByPath(path));
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
    ASSERT_TRUE(Main.Parts.Scan->SelectFolderByPath(path));
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

namespace {

// Folders only the Linux side can make: links to a folder outside the
// scanned tree, and a name ending in a dot beside its twin.
class CleanUpUnusualFoldersTest : public CleanUpRealShellTest {
protected:
    void SetUp() override {
        CleanUpRealShellTest::SetUp();
        ASSERT_FALSE(Root().empty()) << "runs under Wine";
        RemoveUnusualFolders();
        const std::string root = Root(), target = UnixPathOf(std::string(kTarget));
        const TUnixRun made =
            RunUnixShell("(mkdir -p '" + target + "' && echo keep > '" + target +
                             "/keep.txt' && for l in Link1 Link2 Link3; do "
                             "ln -s '" +
                             target + "' '" + root + "/'$l; done && mkdir '" + root + "/Twin.' '" + root +
                             "/Twin' && "
                             "echo dotted > '" +
                             root + "/Twin./a.txt' && echo plain > '" + root + "/Twin/b.txt')",
                         std::string(kRoot) + "-tool");
        ASSERT_TRUE(made.Ran && made.ExitCode == 0) << made.Output;
    }
    void TearDown() override {
        RemoveUnusualFolders();
        CleanUpRealShellTest::TearDown();
    }
    std::string Root() const { return UnixPathOf(std::string(kRoot)); }
    // From the Linux side, which never follows a link into its target.
    void RemoveUnusualFolders() {
        RunUnixShell(
            "cd '" + Root() + "' && rm -rf Link1 Link2 Link3 Twin. Twin '" + UnixPathOf(std::string(kTarget)) + "'",
            std::string(kRoot) + "-tool");
    }
    // Selects the folder's own node, found by its name as the scan listed it.
    void SelectChild(const std::string& name) {
        if (!Node(kRoot)) {
            ASSERT_TRUE(Main.Parts.Scan->SelectFolderByPath(kRoot));
        }
        TFolderNode* node = Node(std::string(kRoot) + "\\" + name);
        ASSERT_NE(node, nullptr) << name;
        Main.Form->Navigator()->SelectNode(*node);
        ASSERT_EQ(SelectedPath(), std::string(kRoot) + "\\" + name);
    }
    bool LastBoxSays(const std::string& part) const {
        return !Main.Boxes.Shown.empty() && Main.Boxes.Shown.back().Text.find(part) != std::string::npos;
    }

    static constexpr const char* kTarget = "T:\\cleanup-real-target";
};

}  // namespace

// Wine's shell, like old Windows, deletes through a link into its target;
// the program removes the link itself. Wine cannot remove a link to a
// folder at all (it reports the target as not empty), so there the link
// stays, and what counts is that the target keeps its files.
TEST_F(CleanUpUnusualFoldersTest, ALinkIsRemovedAloneAndNeverMovedOrArchived) {
    Start();
    for (const char* link : {"Link1", "Link2"}) {
        SelectChild(link);
        const TCleanUpAction action = link[4] == '1' ? TCleanUpAction::Delete : TCleanUpAction::Recycle;
        Main.Boxes.Answer(TMsgResult::Yes);
        TShellBoxAnswerer yes;
        Main.Form->CleanUp()->Run(action);
        EXPECT_EQ(yes.Answered(), 0) << "the shell is not asked";
        ASSERT_GE(Main.Boxes.Shown.size(), 1u);
        EXPECT_EQ(Main.Boxes.Shown[0].Buttons, TMsgButtons::YesNoDefaultNo);
        EXPECT_NE(Main.Boxes.Shown[0].Text.find("is a link to another folder"), std::string::npos);
        EXPECT_EQ(ReadWholeFile(L"T:\\cleanup-real-target\\keep.txt"), "keep\n") << link;
        const bool gone =
            GetFileAttributesW(Widen(std::string(kRoot) + "\\" + link).c_str()) == INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(gone, Main.Boxes.Shown.size() == 1u) << "either removed, or a box says why not";
        EXPECT_EQ(gone, Node(std::string(kRoot) + "\\" + link) == nullptr);
        Main.Boxes.Shown.clear();
    }
    SelectChild("Link3");
    for (TCleanUpAction action : {TCleanUpAction::Move, TCleanUpAction::Archive}) {
        const size_t before = Main.Boxes.Shown.size();
        Main.Form->CleanUp()->Run(action);
        ASSERT_EQ(Main.Boxes.Shown.size(), before + 1);
        EXPECT_TRUE(LastBoxSays("is a link to another folder"));
    }
    EXPECT_EQ(ReadWholeFile(L"T:\\cleanup-real-target\\keep.txt"), "keep\n");
}

// Windows reads "Twin." as "Twin": the shell would delete the twin.
TEST_F(CleanUpUnusualFoldersTest, ANameEndingInADotIsNeverActedOnThroughItsTwin) {
    Start();
    SelectChild("Twin.");
    for (TCleanUpAction action :
         {TCleanUpAction::Delete, TCleanUpAction::Recycle, TCleanUpAction::Move, TCleanUpAction::Archive}) {
        TShellBoxAnswerer no({IDNO});
        const size_t before = Main.Boxes.Shown.size();
        Main.Form->CleanUp()->Run(action);
        ASSERT_EQ(Main.Boxes.Shown.size(), before + 1) << int(action);
        EXPECT_TRUE(LastBoxSays("ends in a dot or a space"));
        EXPECT_EQ(no.Answered(), 0);
    }
    EXPECT_EQ(ReadWholeFile(L"T:\\cleanup-real\\Twin\\b.txt"), "plain\n");
    EXPECT_NE(Node(std::string(kRoot) + "\\Twin."), nullptr);
}
