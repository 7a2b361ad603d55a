// Archiving from the Free Some Space page on drive T: (prepared by
// scripts/test) through the real dialog and libraries: a moved folder
// leaves the disk and the tree, and the tree then agrees with a fresh scan.

#include <gtest/gtest.h>

#include "DrivePickerTestSupport.h"
#include "ProgramRun.h"
#include "ScanFlowFixture.h"
#include "ScriptedModalRunner.h"
#include "UnixTools.h"
#include "Win32TestFiles.h"
#include "ZipTreeSupport.h"
#include "../res/CompressFolderIds.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "cleanup/win32/CleanUpPage.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "main/win32/ArchiveCommands.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32DynamicLibraries.h"
#include "platform/win32/Win32FileActions.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderCreator.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "scan/ClusterSize.h"

namespace {

const char kTree[] = "T:\\archive-tree";

class CleanUpArchiveTreeTest : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        RemoveTree(kTree);
        RemoveTree("T:\\Archives Bin");
        const std::string r = kTree;
        Ready = MakeFolder(r) && MakeFolder(r + "\\Keep") && MakeFile(r + "\\Keep\\a.txt", 100) &&
                MakeFolder(r + "\\Gone") && MakeFolder(r + "\\Gone\\sub") && MakeFile(r + "\\Gone\\sub\\b.txt", 5000) &&
                MakeFile(r + "\\Gone\\c.txt", 10, FILE_ATTRIBUTE_HIDDEN);
        FileSystem = &RealFiles;
        Main.FileSystem = &RealFiles;
        DriveInfo = &RealDrives;
        CurrentDirectory = &RealDirectory;
        GetCurrentDirectoryW(MAX_PATH, SavedFolder);
        SetCurrentDirectoryW(L"T:\\");
        Drives.AddLetter('T');
    }
    void TearDown() override {
        SetCurrentDirectoryW(SavedFolder);
        RemoveTree(kTree);
        RemoveTree("T:\\Archives Bin");
        TScanFlowFixture::TearDown();
    }

    bool Ready = false;
    WCHAR SavedFolder[MAX_PATH] = {};
    TWin32FileSystem RealFiles;
    TWin32DriveInfo RealDrives;
    TWin32CurrentDirectory RealDirectory;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    TWin32FileActions FileActions;
    TWin32FolderCreator FolderCreator;
    TWin32ProfileFiles Profiles;
    TScriptedMessageBoxes ArchiveBoxes;
    TRecordingShellOpen ShellOpen;
    TScriptedModalRunner Runner;
    TWin32DynamicLibraries Libraries;
    TWin32ByteStreamFiles Streams;
    std::string ProgramPath = Narrow(ProgramUnderTest());
    TProgramOptions Options;
    TCompressFolderServices Services{Drives,
                                     Names,
                                     RealFiles,
                                     RealDrives,
                                     FileActions,
                                     FolderCreator,
                                     Profiles,
                                     ArchiveBoxes,
                                     Browser,
                                     ShellOpen,
                                     Locale,
                                     Runner,
                                     TZipMasterServices{Libraries, RealFiles, Streams, RealDirectory, ArchiveBoxes},
                                     ProgramPath,
                                     Options,
                                     {},
                                     {}};
};

}  // namespace

TEST_F(CleanUpArchiveTreeTest, AMovedFolderLeavesTheTreeWithExactlyItsTotals) {
    ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test";
    Start();
    const std::string path = std::string(kTree) + "\\Gone";
    ASSERT_TRUE(Main.Parts.Scan->SelectFolderByPath(path));
    const int32_t subfolders = Node(kTree)->Record->OwnFolders;
    const int64_t goneSize = Node(path)->Record->TreeSize;
    std::string archive;
    TCompressFolderRequest asked;
    Runner.Script = [&](TDialog& dialog) {
        auto& box = static_cast<TCleanUpCompressFolderBox&>(dialog);
        for (int id : {IDC_CF_SUBFOLDERS, IDC_CF_HIDDEN, IDC_CF_DELETE_AFTER})
            SendMessageW(GetDlgItem(box.Handle(), id), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(GetDlgItem(box.Handle(), IDC_CF_PASSWORD), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CF_COMPRESS, BN_CLICKED),
                     LPARAM(GetDlgItem(box.Handle(), IDC_CF_COMPRESS)));
        if (box.Handle()) archive = box.Zip().ZipFilename();
    };
    TScriptedCleanUpDialogs dialogs;
    dialogs.Archive = [&](const TFolderNode& node, const std::string& folder) {
        asked = CompressRequestOf(node, folder, false, 0);
        RunCompressFolderBox(Services, asked, Main.Window());
    };
    Main.Form->CleanUp()->SetDialogs(&dialogs);
    Main.Form->CleanUp()->Run(TCleanUpAction::Archive);

    EXPECT_EQ(path, asked.FolderPath);
    EXPECT_EQ(goneSize, asked.FolderSize);
    EXPECT_EQ(goneSize, asked.DiskUsage);
    EXPECT_TRUE(ArchiveBoxes.Shown.empty()) << ArchiveBoxes.Shown[0].Text;
    ASSERT_FALSE(archive.empty());
    EXPECT_TRUE(PathIsThere(archive));
    EXPECT_FALSE(PathIsThere(path));
    EXPECT_EQ(Node(path), nullptr);
    EXPECT_EQ(SelectedPath(), kTree);
    const TFolderSize& parent = *Node(kTree)->Record;
    const TFolderSize fresh = FreshRecord(RealFiles, RealDrives, kTree);
    EXPECT_EQ(parent.OwnFolders, subfolders - 1);
    ExpectSameTotals(parent, fresh);
    const TUnixRun test = RunUnixShell("unzip -tq '" + UnixPathOf(archive) + "'", std::string(kTree) + "\\tool");
    EXPECT_TRUE(test.Ran);
    EXPECT_EQ(0, test.ExitCode) << test.Output;
}
