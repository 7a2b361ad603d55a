// Folders whose names end in a dot or a space, made from the Linux side of
// drive T: beside their twins without that ending ("Twin." beside "Twin"):
// every file-system call must reach the folder it names, not its twin.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "UnixTools.h"
#include "config/win32/ShellContextMenu.h"
#include "main/FolderInfoText.h"
#include "main/win32/FolderReportExport.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileActions.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderCreator.h"
#include "platform/win32/Win32NameOrder.h"
#include "platform/win32/Win32Paths.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/Scanner.h"

namespace {

const char kTwins[] = "T:\\twins";

std::string At(const std::string& name) { return std::string(kTwins) + "\\" + name; }

std::set<std::string> NamesIn(IFileSystem& files, const std::string& pattern) {
    std::set<std::string> names;
    auto listing = files.OpenListing(pattern);
    TDirEntry entry;
    while (listing && listing->Next(entry))
        if (entry.Name != "." && entry.Name != "..") names.insert(entry.Name);
    return names;
}

class LiteralPathsTest : public ::testing::Test {
protected:
    // Twin. holds a (1 byte), b (4096) and c (5000); Twin holds d (10);
    // "Spaced " holds e (7); Spaced holds f (8000); Lone. has no twin.
    void SetUp() override {
        const std::string unixRoot = UnixPathOf(std::string("T:\\"));
        ASSERT_FALSE(unixRoot.empty()) << "drive T: is prepared by scripts/test";
        const TUnixRun made = OnLinux(
            "cd '" + unixRoot +
            "' && rm -rf twins && mkdir -p twins && cd twins && "
            "mkdir 'Twin.' Twin 'Spaced ' Spaced 'Lone.' && head -c 1 /dev/zero >'Twin./a' && "
            "head -c 4096 /dev/zero >'Twin./b' && head -c 5000 /dev/zero >'Twin./c' && "
            "head -c 10 /dev/zero >Twin/d && head -c 7 /dev/zero >'Spaced /e' && head -c 8000 /dev/zero >Spaced/f");
        ASSERT_TRUE(made.Ran && made.ExitCode == 0) << made.Output;
        AbortScan = false;
    }

    TUnixRun OnLinux(const std::string& command) {
        // In a subshell, so that the output redirection does not take the last command's place.
        return RunUnixShell("(" + command + ")", std::string("T:\\twins-tool"));
    }

    TWin32FileSystem Files;
    TWin32DriveInfo Drives;
};

}  // namespace

TEST_F(LiteralPathsTest, ListingsReachEachTwinUnderItsOwnName) {
    const std::set<std::string> all = NamesIn(Files, At("*.*"));
    EXPECT_EQ(all, (std::set<std::string>{"Lone.", "Spaced", "Spaced ", "Twin", "Twin."}));
    EXPECT_EQ(NamesIn(Files, At("*")), all);
    EXPECT_EQ(NamesIn(Files, At("Twin.\\*.*")), (std::set<std::string>{"a", "b", "c"}));
    EXPECT_EQ(NamesIn(Files, At("Spaced \\*.*")), (std::set<std::string>{"e"}));

    // The folder information page and the pie's file groups list the same way.
    const TOwnEntry own = ReadOwnEntry(Files, At("Twin."));
    ASSERT_TRUE(own.Found);
    EXPECT_EQ(own.Entry.Name, "Twin.");
    EXPECT_EQ(MatchingFolderItemNames(At("Twin."), "*.*").size(), 3u);
}

TEST_F(LiteralPathsTest, ScanRecordsEachTwinWithItsOwnTotals) {
    TFolderTree tree;
    TDriveList driveRecords;
    IScanHost host;
    TWin32NameOrder nameOrder;
    TScanner scanner(tree, Files, Drives, driveRecords, host, nameOrder);
    scanner.SetClusterSize(GetClusterSize(Drives, "T:\\"));
    TFolderNode* root = tree.AddRoot("twins", 'T');
    const TFolderSize* record = scanner.ScanFolder(At(""), *root);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->TreeFolders, 5);
    EXPECT_EQ(record->TreeFiles, 6);
    EXPECT_EQ(record->TreeSize, 1 + 4096 + 5000 + 10 + 7 + 8000);

    struct TExpected {
        const char* Name;
        int32_t Files;
        int64_t Size;
    };
    for (const TExpected& expected : {TExpected{"Twin.", 3, 9097}, TExpected{"Twin", 1, 10}, TExpected{"Spaced ", 1, 7},
                                      TExpected{"Spaced", 1, 8000}}) {
        const TFolderNode* node = FindChild(root, expected.Name, true);
        ASSERT_TRUE(node && node->Record) << expected.Name;
        EXPECT_EQ(node->Record->TreeFiles, expected.Files) << expected.Name;
        EXPECT_EQ(node->Record->TreeSize, expected.Size) << expected.Name;
    }

    // Gone from disk: "Twin." and "Spaced", while their twins stay.
    const TUnixRun removed = OnLinux("cd '" + UnixPathOf(std::string(kTwins)) + "' && rm -r 'Twin.' Spaced");
    ASSERT_TRUE(removed.Ran && removed.ExitCode == 0) << removed.Output;
    EXPECT_FALSE(Files.PathExists(At("Twin.")));
    EXPECT_TRUE(Files.PathExists(At("Twin")));
    EXPECT_TRUE(Files.PathExists(At("Spaced ")));
    EXPECT_FALSE(Files.PathExists(At("Spaced")));
    EXPECT_TRUE(Files.PathExists("T:"));

    std::vector<std::string> vanished;
    for (const char* name : {"Twin.", "Twin", "Spaced ", "Spaced"}) {
        // The root stands for T:\twins, so NodePath would start at T:\.
        if (RemoveVanishedFolder(tree, Files, At(name), FindChild(root, name, true))) vanished.emplace_back(name);
    }
    EXPECT_EQ(vanished, (std::vector<std::string>{"Twin.", "Spaced"}));
    EXPECT_EQ(record->TreeFiles, 2);
    EXPECT_EQ(record->TreeSize, 10 + 7);
}

TEST_F(LiteralPathsTest, FileHelpersReachTheLiteralName) {
    TWin32FileActions actions;
    EXPECT_EQ(actions.FileSize(At("Twin.\\c")), 5000);
    TWin32ByteStreamFiles streams;
    const auto stream = streams.OpenForReading(At("Twin.\\b"));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Size(), 4096);
    WriteAnsiTextFile(At("Spaced \\report.txt"), "abc");
    EXPECT_EQ(actions.FileSize(At("Spaced \\report.txt")), 3);
    EXPECT_EQ(actions.FileSize(At("Spaced\\report.txt")), -1);

    // A folder with no twin: drive questions about it no longer miss it.
    EXPECT_EQ(Drives.GetDiskClusterSize(At("Lone.\\")), GetClusterSize(Drives, "T:\\"));
    EXPECT_GE(Drives.GetDriveFreeBytes(At("Lone.\\")), 0);

    EXPECT_EQ(FullPathName(At("Twin.")), At("Twin."));
    EXPECT_EQ(FullPathName(At("Spaced ")), At("Spaced "));
    EXPECT_EQ(FullPathName("T:/twins/./Twin"), At("Twin"));
}

TEST_F(LiteralPathsTest, FolderCreatorMakesEachMissingFolderOrRefuses) {
    TWin32FolderCreator creator;
    std::string deep = At("made");
    while (deep.size() <= MAX_PATH) deep += "\\folder";
    EXPECT_TRUE(creator.CreateFolder(deep));
    EXPECT_TRUE(Files.PathExists(deep));
    EXPECT_TRUE(creator.CreateFolder(deep));  // already there

    EXPECT_FALSE(creator.CreateFolder(At("Twin\\d\\below")));  // d is a file
    // The shell that fills it would go into "New", so "New." is not made, nor "New".
    EXPECT_FALSE(creator.CreateFolder(At("New.")));
    EXPECT_FALSE(Files.PathExists(At("New.")));
    EXPECT_FALSE(Files.PathExists(At("New")));
    EXPECT_FALSE(creator.CreateFolder("twins\\relative"));
}

TEST_F(LiteralPathsTest, CommandLineTakesAFullPathAsItStands) {
    const TRun csv = RunProgram({"/csv", At("twin.csv"), At("Twin.")});
    ASSERT_EQ(csv.ExitCode, 0u) << csv.Errors;
    const std::string row = "\r\nT:\\twins\\Twin.,9097,";
    const auto stream = TWin32ByteStreamFiles().OpenForReading(At("twin.csv"));
    ASSERT_NE(stream, nullptr);
    std::string text(size_t(stream->Size()), '\0');
    stream->Read(&text[0], text.size());
    EXPECT_NE(text.find(row), std::string::npos) << text;

    std::wstring qmscan = ProgramUnderTest();
    qmscan.replace(qmscan.rfind(L"Quarrymap.exe"), std::wstring::npos, L"qmscan.exe");
    TRun scan = RunCommand(qmscan, {At("Spaced ")});
    ASSERT_EQ(scan.ExitCode, 0u) << scan.Errors;
    scan.Errors.erase(std::remove(scan.Errors.begin(), scan.Errors.end(), '\r'), scan.Errors.end());
    EXPECT_NE(scan.Errors.find("\nTreeSize: 7\n"), std::string::npos) << scan.Errors;
}
