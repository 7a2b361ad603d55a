#include "cleanup/CompressFolder.h"

#include <gtest/gtest.h>

#include "cleanup/ZipMaster.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryFileActions.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProfileFiles.h"
#include "scan/SizeText.h"

namespace {

TZipEntry Entry(const std::string& name, uint64_t size) {
    TZipEntry entry;
    entry.Name = name;
    entry.UncompressedSize = size;
    return entry;
}

TEST(CompressFolderNaming, PresetDescriptionFileMaskAndOptionsComeFromTheFolder) {
    EXPECT_EQ("Temp Folder", PresetDescription("C:\\Data\\Temp"));
    EXPECT_EQ("Temp Folder", PresetDescription("C:\\Data\\Temp\\"));
    EXPECT_EQ("Temp\\*.*", ArchiveSpecOf("C:\\Data\\Temp"));
    EXPECT_EQ("Old Mail", FolderNameOf("D:\\Old Mail"));

    EXPECT_EQ(uint32_t(AddDirNames), ArchiveAddOptions({}));
    EXPECT_EQ(uint32_t(AddDirNames | AddRecurseDirs | AddHiddenFiles | AddMove | AddEncrypt),
              ArchiveAddOptions({true, true, true, true}));
    EXPECT_EQ(uint32_t(AddDirNames | AddMove), ArchiveAddOptions({false, false, true, false}));
}

TEST(CompressFolderResults, GainTextDependsOnDeletionAndOnTheArchiveBeingSmaller) {
    const TFixedLocale locale;
    const TCompressResults moved =
        CompressResultTexts(3 * 1024 * 1024, "System (C:)", 1024 * 1024, "Data (D:)", true, locale);
    EXPECT_EQ("The folder you have compressed was using 3.0 MB of disk space on drive System (C:)", moved.Usage);
    EXPECT_EQ("The ZIP achive containing the compressed folder is using 1.0 MB of disk space on drive Data (D:)",
              moved.Archive);
    EXPECT_EQ("By compressing the folder you have gained 2.0 MB of disk space", moved.Gain);
    EXPECT_TRUE(moved.GainShown);

    const TCompressResults kept = CompressResultTexts(3 * 1024 * 1024, "C", 1024 * 1024, "C", false, locale);
    EXPECT_EQ("You should delete the folder you have compressed. This way you will gain 2.0 MB of disk space",
              kept.Gain);
    EXPECT_TRUE(kept.GainShown);

    // An archive as large as the folder's usage, or larger, gains nothing.
    EXPECT_FALSE(CompressResultTexts(4096, "C", 4096, "C", true, locale).GainShown);
    EXPECT_FALSE(CompressResultTexts(4096, "C", 5000, "C", false, locale).GainShown);
}

TEST(CompressFolderResults, ArchiveSizeCountsByItsLow32Bits) {
    const TFixedLocale locale;
    const int64_t archive = (int64_t(1) << 32) + 2048;  // shows as 2,048 bytes
    const TCompressResults results = CompressResultTexts(10000, "C", archive, "C", true, locale);
    EXPECT_EQ("The ZIP achive containing the compressed folder is using " + FormatSize(2048, locale) +
                  " of disk space on drive C",
              results.Archive);
    EXPECT_TRUE(results.GainShown);
    EXPECT_EQ("By compressing the folder you have gained " + FormatSize(10000 - 2048, locale) + " of disk space",
              results.Gain);
}

TEST(CompressFolderProgress, FileLabelJoinsTheParentAndTheEntryWithBackslashes) {
    EXPECT_EQ("C:\\Data\\Temp\\sub\\a.txt", ProgressFileText("C:\\Data\\", "Temp/sub/a.txt"));
    EXPECT_EQ("Temp\\a.txt", ProgressFileText("", "Temp/a.txt"));
}

TEST(CompressFolderRestore, PathRulesKeepOneBackslashAndDriveRoots) {
    EXPECT_EQ("The path of the restored folder will be \r\nC:\\Data\\Temp|", RestorePathHint("C:\\Data", "Temp"));
    EXPECT_EQ("The path of the restored folder will be \r\nC:\\Data\\Temp|", RestorePathHint("C:\\Data\\", "Temp"));
    EXPECT_EQ("The path of the restored folder will be \r\nC:\\Temp|", RestorePathHint("C:\\", "Temp"));
    EXPECT_EQ("C:\\Data", ExtractionBaseFolder("C:\\Data\\"));
    EXPECT_EQ("C:\\Data", ExtractionBaseFolder("C:\\Data"));
    EXPECT_EQ("C:\\", ExtractionBaseFolder("C:\\"));
    EXPECT_EQ("C:\\", ExtractionBaseFolder("C:"));
    EXPECT_EQ("C:\\Temp", RestoredFolderPath("C:\\", "Temp"));
    EXPECT_EQ("D:\\Old\\Temp", RestoredFolderPath("D:\\Old", "Temp"));
}

TEST(CompressFolderRestore, SuccessComparesExtractedFilesWithFileEntriesOnly) {
    const std::vector<TZipEntry> entries = {Entry("Temp/", 0), Entry("Temp/a.txt", 100), Entry("Temp/Empty/", 0),
                                            Entry("Temp/sub/b.bin", 50000)};
    EXPECT_EQ(2u, FileEntryCount(entries));
    EXPECT_TRUE(RestoreSucceeded(2, entries));
    EXPECT_FALSE(RestoreSucceeded(1, entries));
    EXPECT_FALSE(RestoreSucceeded(4, entries));
    EXPECT_EQ(50100, UncompressedTotal(entries));
    // A folder of empty folders restores with nothing extracted.
    EXPECT_TRUE(RestoreSucceeded(0, {Entry("Temp/", 0), Entry("Temp/Empty/", 0)}));
    EXPECT_FALSE(RestoreSucceeded(0, {}));
    EXPECT_FALSE(RestoreSucceeded(-1, {}));
}

TEST(CompressFolderTexts, MessagesReadAsTheUserSeesThem) {
    EXPECT_EQ("The folder C:\\Data\\Temp was successfully restored", RestoreSuccessText("C:\\Data\\Temp"));
    EXPECT_EQ(
        "The folder C:\\Temp was not successfully restored. The ZIP archive containing the folder "
        "(C:\\Archives Bin\\C0000001.ZIP) will not be deleted from your hard-disk so you can try to "
        "manually restore the folder from the archive.",
        RestoreFailureText("C:\\Temp", "C:\\Archives Bin\\C0000001.ZIP"));
    EXPECT_EQ("You should rescan drive D: as its contents has been changed since the last time you have scanned it.",
              RescanHintText('D'));
    EXPECT_EQ(
        "Really delete the ZIP archive that contains the folder 'Temp' ?\r\n\r\nWarning: You will not be able "
        "to restore any file from this folder if you delete the ZIP archive.",
        DeleteArchiveQuestion("Temp"));
    EXPECT_EQ("Error: Disk full\r\n(error code 7)", LibraryErrorText(7, "Disk full"));
    EXPECT_EQ("Could not delete archive C:\\Archives Bin\\C1.ZIP", DeleteArchiveFailedText("C:\\Archives Bin\\C1.ZIP"));
    EXPECT_EQ("Could not create folder Q:\\Archives Bin", CreateFolderFailedText("Q:\\Archives Bin"));
    EXPECT_EQ("Unable to write to C:\\Archives Bin\\archives.ini",
              IndexWriteFailedText("C:\\Archives Bin\\archives.ini"));
}

TEST(CompressFolderRestore, ControlsFollowTheSelection) {
    EXPECT_FALSE(RestoreControlsEnabled(-1));
    EXPECT_TRUE(RestoreControlsEnabled(0));
    EXPECT_TRUE(RestoreControlsEnabled(3));
}

class ArchiveFolderUpkeepTest : public testing::Test {
protected:
    void SetUp() override { Files.AddFolder("C:\\"); }

    TMemoryFileSystem Files;
    TMemoryFileActions Actions{Files};
    TMemoryProfileFiles Profiles;
    TArchiveIndex Index{Profiles, Files, "C:\\Archives Bin", "E:\\"};
};

TEST_F(ArchiveFolderUpkeepTest, AMissingArchiveFolderIsCreatedHiddenAndAnExistingOneKept) {
    ASSERT_TRUE(PrepareArchiveFolder("C:\\Archives Bin", Files, Actions));
    TDirEntry entry;
    auto listing = Files.OpenListing("C:\\*.*");
    ASSERT_TRUE(listing && listing->Next(entry));
    EXPECT_EQ("Archives Bin", entry.Name);
    EXPECT_TRUE(entry.Attributes & kAttrHidden);
    EXPECT_TRUE(PrepareArchiveFolder("C:\\Archives Bin", Files, Actions));

    Actions.Refused.insert("D:\\Archives Bin");
    Files.AddFolder("D:\\");
    EXPECT_FALSE(PrepareArchiveFolder("D:\\Archives Bin", Files, Actions));
    EXPECT_FALSE(Files.PathExists("D:\\Archives Bin"));
}

TEST_F(ArchiveFolderUpkeepTest, DeletingTheOnlyArchiveRemovesTheIndexAndTheFolder) {
    Files.AddFolder("C:\\Archives Bin", kAttrHidden);
    Files.AddFile("C:\\Archives Bin\\archives.ini", 100);
    Files.AddFile("C:\\Archives Bin\\C0000001.ZIP", 5000);
    Files.AddFile("C:\\Archives Bin\\C0000002.ZIP", 7000);
    ASSERT_TRUE(Index.Add({"C0000001.ZIP", "First", "Temp", "C:\\Data"}));
    ASSERT_TRUE(Index.Add({"C0000002.ZIP", "Second", "Mail", "C:\\"}));

    ASSERT_TRUE(DeleteIndexedArchive(Index, "C0000001.ZIP", Actions));
    EXPECT_FALSE(Files.PathExists("C:\\Archives Bin\\C0000001.ZIP"));
    const std::vector<TArchiveRecord> left = ListDriveArchives(Index, Actions);
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ("C0000002.ZIP", left[0].ArchiveName);
    EXPECT_TRUE(Files.PathExists("C:\\Archives Bin\\archives.ini"));

    ASSERT_TRUE(DeleteIndexedArchive(Index, "C0000002.ZIP", Actions));
    EXPECT_TRUE(ListDriveArchives(Index, Actions).empty());
    EXPECT_FALSE(Files.PathExists("C:\\Archives Bin\\archives.ini"));
    EXPECT_FALSE(Files.PathExists("C:\\Archives Bin"));
}

TEST_F(ArchiveFolderUpkeepTest, AnArchiveThatCannotBeDeletedStaysIndexed) {
    Files.AddFile("C:\\Archives Bin\\C0000001.ZIP", 5000);
    ASSERT_TRUE(Index.Add({"C0000001.ZIP", "First", "Temp", "C:\\Data"}));
    Actions.Refused.insert("C:\\Archives Bin\\C0000001.ZIP");
    EXPECT_FALSE(DeleteIndexedArchive(Index, "C0000001.ZIP", Actions));
    ASSERT_EQ(1u, ListDriveArchives(Index, Actions).size());
    EXPECT_EQ("Temp", Profiles.ReadString(Index.IndexPath(), "FolderNames", "C0000001.ZIP", ""));
}

TEST_F(ArchiveFolderUpkeepTest, AnIndexWithOtherFilesBesideItKeepsTheFolder) {
    Files.AddFile("C:\\Archives Bin\\archives.ini", 100);
    Files.AddFile("C:\\Archives Bin\\notes.txt", 10);
    ASSERT_TRUE(Index.Add({"C0000009.ZIP", "Gone", "Temp", "C:\\Data"}));  // its archive is missing
    EXPECT_TRUE(ListDriveArchives(Index, Actions).empty());
    EXPECT_TRUE(Index.IsEmpty());
    EXPECT_FALSE(Files.PathExists("C:\\Archives Bin\\archives.ini"));
    EXPECT_TRUE(Files.PathExists("C:\\Archives Bin\\notes.txt"));
}

TEST(MemoryFileActions, SizesFilesAndRefusesFolders) {
    TMemoryFileSystem files;
    TMemoryFileActions actions(files);
    files.AddFile("C:\\Data\\a.bin", 1234);
    EXPECT_EQ(1234, actions.FileSize("C:\\data\\A.BIN"));
    EXPECT_EQ(-1, actions.FileSize("C:\\Data"));
    EXPECT_EQ(-1, actions.FileSize("C:\\Data\\missing"));
    EXPECT_FALSE(actions.RemoveFile("C:\\Data"));
    EXPECT_FALSE(actions.RemoveEmptyFolder("C:\\Data"));
    EXPECT_TRUE(actions.RemoveFile("C:\\Data\\a.bin"));
    EXPECT_TRUE(actions.RemoveEmptyFolder("C:\\Data"));
    EXPECT_FALSE(files.PathExists("C:\\Data"));
    EXPECT_FALSE(actions.CreateHiddenFolder("C:\\No\\Parent"));
}

}  // namespace
