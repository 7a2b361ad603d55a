#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cleanup/FolderList.h"
#include "cleanup/MoveFolder.h"
#include "platform/memory/FakeRemovableDrives.h"
#include "platform/memory/MemoryFolderCreator.h"
#include "platform/ShellInfo.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ScriptedShellFileOperation.h"
#include "platform/memory/SimplePathCase.h"

namespace {

const TSimplePathCase kFileSystemCase;

class TLetterShellInfo : public IShellInfo {
public:
    std::string GetShellDisplayName(const std::string& path) override { return "Disk (" + path.substr(0, 2) + ")"; }
    std::string GetShellTypeName(const std::string&) override { return std::string(); }
    int GetShellIconIndex(const std::string& path, bool) override { return path.empty() ? -1 : path[0] - 'a'; }
};

// Waste figures of one folder: 100 shown, and 10 * k at table size k.
TMoveFolderRequest FolderOnC() {
    TMoveFolderRequest request;
    request.SourcePath = "C:\\Data\\Photos";
    request.WastedShown = 100000;
    for (int k = 1; k <= 7; ++k) request.WastedAt[size_t(k - 1)] = 10000 * k;
    return request;
}

class GainRowsTest : public ::testing::Test {
protected:
    // A drive whose cluster size the disk reports directly.
    void AddDrive(char letter, int32_t clusterSize) {
        Drives.AddLetter(letter);
        TFakeDrive& drive = DriveInfo.AddDrive(std::string(1, letter) + ":\\");
        drive.Volume.FileSystemName = "NTFS";
        drive.DiskClusterSize = clusterSize;
    }
    std::vector<TGainRow> Rows(const TMoveFolderRequest& request) {
        return SmallerClusterDrives(request, Drives, DriveInfo, Removable, Shell, Locale);
    }
    std::string Letters(const std::vector<TGainRow>& rows) {
        std::string letters;
        for (const TGainRow& row : rows) letters += row.Letter;
        return letters;
    }

    TFakeDriveEnumerator Drives;
    TFakeDriveInfo DriveInfo;
    TFakeRemovableDrives Removable;
    TLetterShellInfo Shell;
    TFixedLocale Locale;
};

TEST_F(GainRowsTest, OnlyFixedDrivesWithStrictlySmallerClustersInLetterOrder) {
    AddDrive('C', 4096);
    AddDrive('Z', 512);
    AddDrive('D', 2048);
    AddDrive('E', 4096);  // equal: no gain
    AddDrive('F', 8192);  // larger
    AddDrive('G', -1);    // unknown
    AddDrive('A', 512);   // floppy
    Removable.Letters.insert('a');
    Drives.AddLetter('R');  // CD-ROM: always 2048, but never a target
    DriveInfo.AddDrive("R:\\").Volume.FileSystemName = "CDFS";
    Removable.Letters.insert('r');

    const std::vector<TGainRow> rows = Rows(FolderOnC());
    EXPECT_EQ("dz", Letters(rows));
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("Disk (d:)", rows[0].DisplayName);
    EXPECT_EQ('d' - 'a', rows[0].IconIndex);
    EXPECT_EQ("2 KB", rows[0].ClusterText);
    EXPECT_EQ("78 KB", rows[0].GainText);  // 100000 - 20000 bytes
    EXPECT_EQ("512 bytes", rows[1].ClusterText);
    EXPECT_EQ("88 KB", rows[1].GainText);  // 100000 - 10000
}

TEST_F(GainRowsTest, ClusterSizeOutsideTheTableGainsTheWholeShownWaste) {
    AddDrive('C', 4096);
    AddDrive('D', 1024);
    const std::vector<TGainRow> rows = Rows(FolderOnC());
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("1,024 bytes", rows[0].ClusterText);
    EXPECT_EQ("98 KB", rows[0].GainText);
    EXPECT_EQ(0, WastedAtClusterSize(FolderOnC(), 1024));
    EXPECT_EQ(70000, WastedAtClusterSize(FolderOnC(), 65536));
}

TEST_F(GainRowsTest, SourceDriveOfUnknownClusterSizeOrNoPathListsNothing) {
    AddDrive('C', -1);
    AddDrive('D', 512);
    EXPECT_TRUE(Rows(FolderOnC()).empty());
    TMoveFolderRequest noPath = FolderOnC();
    noPath.SourcePath.clear();
    EXPECT_TRUE(Rows(noPath).empty());
}

TEST_F(GainRowsTest, Fat32SourceWithoutItsRequestCountsAs4096) {
    Drives.AddLetter('C');
    DriveInfo.AddDrive("C:\\").Volume.FileSystemName = "FAT32";
    AddDrive('D', 2048);
    AddDrive('E', 4096);
    EXPECT_EQ("d", Letters(Rows(FolderOnC())));
}

TEST(MoveFolderTextTest, WastedOnSourceSentence) {
    TFixedLocale locale;
    EXPECT_EQ("This folder is wasting 1.5 MB on the drive where is located.", WastedOnSourceText(1572864, locale));
}

TEST(MoveTargetTest, ChosenFolderGetsABackslashAndTheSourceName) {
    EXPECT_EQ("D:\\Archive\\Photos", ComposeMoveTarget("D:\\Archive", "C:\\Data\\Photos"));
    EXPECT_EQ("D:\\Photos", ComposeMoveTarget("D:\\", "C:\\Data\\Photos"));
    EXPECT_EQ("D:\\Photos", ComposeMoveTarget("D:\\", "C:\\Data\\Photos\\"));
}

TEST(MoveTargetTest, OkFollowsAnyDifferenceEvenInCaseOnly) {
    EXPECT_FALSE(IsMoveTargetChanged("C:\\Data\\Photos", "C:\\Data\\Photos"));
    EXPECT_TRUE(IsMoveTargetChanged("C:\\data\\photos", "C:\\Data\\Photos"));
    EXPECT_TRUE(IsMoveTargetChanged("", "C:\\Data\\Photos"));
}

TEST(CheckMoveTest, OrdinaryTargetsPass) {
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data\\Photos", "D:\\Photos", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data\\Photos", "C:\\Data\\Photos2", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data\\Photos", "C:\\Data", kFileSystemCase));  // into the parent
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data\\Photos", "\\\\Server\\Share\\Photos", kFileSystemCase));
}

TEST(CheckMoveTest, EmptyAndRelativeTargetsAreRefused) {
    EXPECT_EQ(TMoveRefusal::EmptyTarget, CheckMove("C:\\Data\\Photos", "", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::EmptyTarget, CheckMove("C:\\Data\\Photos", "   ", kFileSystemCase));
    // A relative path would land wherever the process's current directory is.
    EXPECT_EQ(TMoveRefusal::RelativeTarget, CheckMove("C:\\Data\\Photos", "Photos", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::RelativeTarget, CheckMove("C:\\Data\\Photos", "D:Photos", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::RelativeTarget, CheckMove("C:\\Data\\Photos", "\\Photos", kFileSystemCase));
}

TEST(CheckMoveTest, TheSourceAndEverySpellingOfItsSubtreeAreRefused) {
    const std::string source = "C:\\Data\\Photos";
    for (const char* target :
         {"C:\\Data\\Photos", "c:\\data\\PHOTOS", "C:\\Data\\Photos\\", "C:\\Data\\Photos\\2024", "C:/Data/Photos/new",
          "C:\\Data\\.\\Photos\\x", "C:\\Other\\..\\Data\\Photos\\x", "C:\\Data\\\\Photos\\x"})
        EXPECT_EQ(TMoveRefusal::TargetInsideSource, CheckMove(source, target, kFileSystemCase)) << target;
    // Only a whole name counts: a sibling that starts alike is elsewhere.
    EXPECT_EQ(TMoveRefusal::None, CheckMove(source, "C:\\Data\\Photos Old", kFileSystemCase));
    // Names Windows would rewrite are refused before the shell sees them.
    EXPECT_EQ(TMoveRefusal::RewrittenName, CheckMove(source, "D:\\Data.", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::RewrittenName, CheckMove(source, "D:\\Data \\Photos", kFileSystemCase));
    // Case is folded beyond A to Z, as the file system folds it.
    EXPECT_EQ(TMoveRefusal::TargetInsideSource,
              CheckMove("C:\\\xC3\xA4rchiv", "C:\\\xC3\x84RCHIV\\x", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::TargetInsideSource,
              CheckMove("D:\\\xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5",
                        "d:\\\xD0\x94\xD0\x90\xD0\x9D\xD0\x9D\xD0\xAB\xD0\x95\\2024", kFileSystemCase));
}

TEST(CheckMoveTest, PathsLimitsAreExactInUtf16Characters) {
    const std::string folder = "C:\\" + std::string(kMaxMoveSourceLength - 3, 'a');
    EXPECT_EQ(TMoveRefusal::None, CheckMove(folder, "D:\\x", kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::SourceTooLong, CheckMove(folder + "b", "D:\\x", kFileSystemCase));

    const std::string target = "D:\\" + std::string(kMaxShellPathLength - 3, 't');
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data", target, kFileSystemCase));
    EXPECT_EQ(TMoveRefusal::TargetTooLong, CheckMove("C:\\Data", target + "t", kFileSystemCase));
    // "é" is two bytes of UTF-8 and one UTF-16 character; the clef four bytes and two characters.
    std::string wide = "D:\\";
    while (Utf16Length(wide) < kMaxShellPathLength) wide += "\xC3\xA9";
    EXPECT_EQ(TMoveRefusal::None, CheckMove("C:\\Data", wide, kFileSystemCase));
    EXPECT_EQ(2u, Utf16Length("\xF0\x9D\x84\x9E"));
    EXPECT_EQ(TMoveRefusal::TargetTooLong, CheckMove("C:\\Data", wide + "\xF0\x9D\x84\x9E", kFileSystemCase));
}

TEST(CheckMoveTest, EveryRefusalHasItsOwnMessage) {
    std::set<std::string> texts;
    for (TMoveRefusal refusal :
         {TMoveRefusal::EmptyTarget, TMoveRefusal::RelativeTarget, TMoveRefusal::SourceTooLong,
          TMoveRefusal::TargetTooLong, TMoveRefusal::TargetInsideSource, TMoveRefusal::TargetNotAFolder,
          TMoveRefusal::TargetNotCreated, TMoveRefusal::RewrittenName})
        texts.insert(MoveRefusalText(refusal));
    EXPECT_EQ(8u, texts.size());
    EXPECT_EQ(0u, texts.count(""));
    EXPECT_EQ("", MoveRefusalText(TMoveRefusal::None));
    EXPECT_NE(std::string::npos, MoveRefusalText(TMoveRefusal::SourceTooLong).find("255"));
}

TEST(NormalizeFolderPathTest, FoldsSeparatorsDotsAndTrailingBackslash) {
    EXPECT_EQ("C:\\", NormalizeFolderPath("C:\\"));
    EXPECT_EQ("C:\\", NormalizeFolderPath("C:\\a\\..\\..\\"));
    EXPECT_EQ("C:\\a\\c", NormalizeFolderPath("C:/a/./b/../c/"));
    EXPECT_EQ("\\\\Server\\Share\\x", NormalizeFolderPath("\\\\Server\\Share\\\\x\\"));
}

class MoveFolderContentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Files.AddFile("C:\\Data\\Photos\\a.jpg", 100);
        Files.AddFolder("D:\\Archive");
    }
    TMoveOutcome Move(const std::string& target) {
        return MoveFolderContents("C:\\Data\\Photos", target, &Owner,
                                  TMoveFolderSystem{Files, Creator, Shell, kFileSystemCase});
    }
    TMemoryFileSystem Files;
    TMemoryFolderCreator Creator{Files};
    TScriptedShellFileOperation Shell;
    int Owner = 0;
};

TEST_F(MoveFolderContentsTest, AsksTheShellToMoveEverythingInsideWithNoFlags) {
    Files.AddFolder("D:\\Archive\\Photos");
    const TMoveOutcome outcome = Move("D:\\Archive\\Photos");
    EXPECT_EQ(TMoveRefusal::None, outcome.Refusal);
    ASSERT_EQ(1u, Shell.Requests.size());
    const TShellFileRequest& request = Shell.Requests[0];
    EXPECT_EQ(TShellFileAction::Move, request.Action);
    EXPECT_EQ(std::vector<std::string>{"C:\\Data\\Photos\\*.*"}, request.From);
    EXPECT_EQ("D:\\Archive\\Photos", request.To);
    EXPECT_EQ(0u, request.Flags);
    EXPECT_EQ(&Owner, request.Owner);
    EXPECT_EQ(std::vector<std::string>{"C:\\Data\\Photos"}, Shell.RemovedFolders);
    EXPECT_TRUE(outcome.SourceRemoved);
    EXPECT_TRUE(Creator.Created.empty());
}

TEST_F(MoveFolderContentsTest, MissingTargetIsMadeFirstSoEveryEntryGoesInsideIt) {
    Shell.OnRun = [this](const TShellFileRequest& request) { EXPECT_TRUE(Files.PathExists(request.To)); };
    const TMoveOutcome outcome = Move("D:/Archive/New/Photos/");
    EXPECT_EQ(std::vector<std::string>{"D:\\Archive\\New\\Photos"}, Creator.Created);
    ASSERT_EQ(1u, Shell.Requests.size());
    EXPECT_EQ("D:\\Archive\\New\\Photos", Shell.Requests[0].To);  // the path that was checked and made
    EXPECT_TRUE(outcome.SourceRemoved);
}

TEST_F(MoveFolderContentsTest, SourceStaysUnlessTheShellSaysDoneAndAnEmptyNewTargetGoes) {
    for (TShellFileResult result : {TShellFileResult::Cancelled, TShellFileResult::Failed}) {
        Shell.Result = result;
        Shell.RemovedFolders.clear();
        const TMoveOutcome outcome = Move("D:\\Fresh");
        EXPECT_EQ(result, outcome.ShellResult);
        EXPECT_FALSE(outcome.SourceRemoved);
        EXPECT_EQ(std::vector<std::string>{"D:\\Fresh"}, Shell.RemovedFolders);
        Files.Remove("D:\\Fresh");
    }
    // A target that was there before is never removed.
    Shell.RemovedFolders.clear();
    Move("D:\\Archive");
    EXPECT_TRUE(Shell.RemovedFolders.empty());
}

TEST_F(MoveFolderContentsTest, AFolderLeftNonEmptyIsReportedAsKept) {
    Shell.OnRemoveEmptyFolder = [](const std::string&) { return false; };
    TMoveOutcome outcome = Move("D:\\Archive");
    EXPECT_EQ(TShellFileResult::Done, outcome.ShellResult);
    EXPECT_FALSE(outcome.SourceRemoved);
    // The user hears what stayed and where the rest went; a failure of the
    // shell alike, a cancel or a complete move says nothing.
    const std::string said = IncompleteMoveText(outcome, "C:\\Data\\Photos");
    EXPECT_EQ(0u, said.find("Not everything in C:\\Data\\Photos could be moved to D:\\Archive.")) << said;
    outcome.ShellResult = TShellFileResult::Failed;
    EXPECT_EQ(said, IncompleteMoveText(outcome, "C:\\Data\\Photos"));
    outcome.ShellResult = TShellFileResult::Cancelled;
    EXPECT_EQ("", IncompleteMoveText(outcome, "C:\\Data\\Photos"));
    Shell.OnRemoveEmptyFolder = nullptr;
    EXPECT_EQ("", IncompleteMoveText(Move("D:\\Archive"), "C:\\Data\\Photos"));
}

TEST_F(MoveFolderContentsTest, RefusedMovesTouchNothing) {
    Files.AddFile("D:\\Archive\\list.txt", 10);
    Creator.Fails = true;
    EXPECT_EQ(TMoveRefusal::TargetInsideSource, Move("C:\\Data\\Photos\\x").Refusal);
    EXPECT_EQ(TMoveRefusal::EmptyTarget, Move("").Refusal);
    EXPECT_EQ(TMoveRefusal::TargetNotAFolder, Move("D:\\Archive\\list.txt").Refusal);
    EXPECT_EQ(TMoveRefusal::TargetNotCreated, Move("E:\\Photos").Refusal);
    EXPECT_TRUE(Shell.Requests.empty());
    EXPECT_TRUE(Shell.RemovedFolders.empty());
    EXPECT_EQ(std::vector<std::string>{"E:\\Photos"}, Creator.Created);
}

TEST_F(MoveFolderContentsTest, AnEmptyDriveRootIsAFolderToo) {
    Files.AddFolder("F:\\");
    Files.AddFolder("F:\\x");
    Files.Remove("F:\\x");  // the root stays, with nothing to list
    EXPECT_EQ(TMoveRefusal::None, Move("F:\\").Refusal);
    EXPECT_TRUE(Creator.Created.empty());
}

class FolderListTest : public ::testing::Test {
protected:
    std::string Lines(const std::vector<TFolderListItem>& items) {
        std::string text;
        for (const TFolderListItem& item : items)
            text += std::to_string(item.Level) + (item.Opened ? "+" : "-") + item.Name + "=" + item.Path + ";";
        return text;
    }
    TMemoryFileSystem Files;
};

TEST_F(FolderListTest, PathDownFromTheRootThenSubfoldersInNameOrder) {
    Files.AddFolder("C:\\Data\\Photos\\zoo");
    Files.AddFolder("C:\\Data\\Photos\\Beach");
    Files.AddFolder("C:\\Data\\Photos\\apple");
    Files.AddFile("C:\\Data\\Photos\\notes.txt", 10);
    const auto items = FolderListItems("C:\\Data\\Photos", Files);
    EXPECT_EQ(
        "0+c:\\=C:\\;1+Data=C:\\Data;2+Photos=C:\\Data\\Photos;"
        "3-apple=C:\\Data\\Photos\\apple;3-Beach=C:\\Data\\Photos\\Beach;3-zoo=C:\\Data\\Photos\\zoo;",
        Lines(items));
    EXPECT_EQ(2, CurrentFolderIndex(items));
}

TEST_F(FolderListTest, RootListsItsFoldersAndAnUnreadableFolderNone) {
    Files.AddFolder("D:\\One");
    Files.AddFolder("D:\\Two\\Deep");
    EXPECT_EQ("0+d:\\=D:\\;1-One=D:\\One;1-Two=D:\\Two;", Lines(FolderListItems("D:\\", Files)));
    Files.DenyListing("D:\\Two");
    EXPECT_EQ("0+d:\\=D:\\;1+Two=D:\\Two;", Lines(FolderListItems("D:\\Two\\", Files)));
}

TEST_F(FolderListTest, NoFullPathGivesNoList) {
    EXPECT_TRUE(FolderListItems("", Files).empty());
    EXPECT_TRUE(FolderListItems("Data", Files).empty());
    EXPECT_EQ(-1, CurrentFolderIndex({}));
}

}  // namespace
