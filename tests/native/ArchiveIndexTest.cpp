#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "cleanup/ArchiveIndex.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProfileFiles.h"

TEST(ArchiveName, DriveLetterThenAtLeastSevenUpperCaseHexDigits) {
    EXPECT_EQ(ArchiveFolderOf('c'), "C:\\Archives Bin");
    EXPECT_EQ(ArchiveFileName('c', 0), "C0000000.ZIP");
    EXPECT_EQ(ArchiveFileName('D', 0xABCDE), "D00ABCDE.ZIP");
    EXPECT_EQ(ArchiveFileName('e', kArchiveNumberMax), "E7FFFFFFE.ZIP");
}

TEST(ArchiveName, ANameInUseIsNeverChosen) {
    TMemoryFileSystem files;
    files.AddFile("C:\\Archives Bin\\C0000001.ZIP", 10);
    files.AddFolder("C:\\Archives Bin\\C0000002.ZIP");
    std::deque<uint32_t> draws = {1, 2, 1, 3};
    const auto draw = [&draws] {
        const uint32_t next = draws.front();
        draws.pop_front();
        return next;
    };
    EXPECT_EQ(ChooseArchivePath('c', "C:\\Archives Bin", draw, files), "C:\\Archives Bin\\C0000003.ZIP");
    EXPECT_TRUE(draws.empty());
}

TEST(ArchiveName, NumbersAreDrawnOverTheWholeRangeAndDifferBetweenRuns) {
    TArchiveNumbers first, second;
    std::set<uint32_t> seen;
    bool aboveHalf = false;
    for (int i = 0; i < 200; ++i) {
        const uint32_t n = first();
        EXPECT_LE(n, kArchiveNumberMax);
        aboveHalf = aboveHalf || n > kArchiveNumberMax / 2;
        seen.insert(n);
    }
    EXPECT_TRUE(aboveHalf);
    EXPECT_GT(seen.size(), 195u);
    // Two generators seeded separately do not repeat each other.
    int same = 0;
    for (int i = 0; i < 8; ++i) same += first() == second();
    EXPECT_LT(same, 8);
}

namespace {
class ArchiveIndexTest : public testing::Test {
protected:
    ArchiveIndexTest() {
        Files.AddFile("D:\\Archives Bin\\D1111111.ZIP", 100);
        Files.AddFile("D:\\Archives Bin\\D2222222.ZIP", 200);
    }
    TMemoryProfileFiles Profiles;
    TMemoryFileSystem Files;
    TArchiveIndex Index{Profiles, Files, "D:\\Archives Bin", "C:\\"};
};
}  // namespace

TEST_F(ArchiveIndexTest, AnArchiveIsRecordedInThreeSectionsAndListedBack) {
    EXPECT_TRUE(Index.IsEmpty());
    ASSERT_TRUE(Index.Add({"D1111111.ZIP", "Temp Folder", "Temp", "D:\\Work"}));
    ASSERT_TRUE(Index.Add({"D2222222.ZIP", "", "Photos", "D:\\"}));
    EXPECT_EQ(Index.IndexPath(), "D:\\Archives Bin\\archives.ini");
    EXPECT_EQ(Profiles.ReadString(Index.IndexPath(), "FolderNames", "D1111111.ZIP", "?"), "Temp");
    const std::vector<TArchiveRecord> listed = Index.List();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].ArchiveName, "D1111111.ZIP");
    EXPECT_EQ(listed[0].Description, "Temp Folder");
    EXPECT_EQ(listed[0].OriginalPath, "D:\\Work");
    EXPECT_EQ(listed[1].Description, "");  // typed empty: stays empty
    EXPECT_EQ(listed[1].OriginalPath, "D:\\");
    EXPECT_FALSE(Index.IsEmpty());
}

TEST_F(ArchiveIndexTest, MissingFolderNameAndLocationFallBackToEmptyAndTheProgramsDrive) {
    Profiles.WriteString(Index.IndexPath(), "Descriptions", "D1111111.ZIP", "Old");
    const std::vector<TArchiveRecord> listed = Index.List();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].FolderName, "");
    EXPECT_EQ(listed[0].OriginalPath, "C:\\");
}

TEST_F(ArchiveIndexTest, ArchivesWhoseFileIsGoneAreDroppedFromAllThreeSections) {
    Index.Add({"D1111111.ZIP", "a", "A", "D:\\"});
    Index.Add({"D9999999.ZIP", "gone", "G", "D:\\"});
    Index.Add({"D2222222.ZIP", "b", "B", "D:\\"});
    const std::vector<TArchiveRecord> listed = Index.List();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].ArchiveName, "D2222222.ZIP");
    for (const char* section : {"Descriptions", "FolderNames", "OriginalPaths"})
        EXPECT_EQ(Profiles.KeyNames(Index.IndexPath(), section),
                  (std::vector<std::string>{"D1111111.ZIP", "D2222222.ZIP"}))
            << section;
    Files.Remove("D:\\Archives Bin\\D1111111.ZIP");
    Files.Remove("D:\\Archives Bin\\D2222222.ZIP");
    EXPECT_TRUE(Index.List().empty());
    EXPECT_TRUE(Index.IsEmpty());
}

TEST_F(ArchiveIndexTest, AnEditedDescriptionIsWrittenAtOnceAndAFailedWriteIsReported) {
    Index.Add({"D1111111.ZIP", "a", "A", "D:\\"});
    EXPECT_TRUE(Index.SetDescription("D1111111.ZIP", "Family photos 2024"));
    EXPECT_EQ(Index.List()[0].Description, "Family photos 2024");
    Profiles.ReadOnly.insert(Index.IndexPath());
    EXPECT_FALSE(Index.Add({"D2222222.ZIP", "b", "B", "D:\\"}));
}

TEST(ArchiveName, OnlyTheProgramsOwnFormIsAnArchiveName) {
    for (const char* name : {"D1111111.ZIP", "C0000000.zip", "e7ffffffe.Zip", "Z0123456789ABCDEF.ZIP"})
        EXPECT_TRUE(IsArchiveFileName(name)) << name;
    for (const char* name :
         {"", "D111111.ZIP", "..\\Data\\thesis.zip", "D1111111.ZIP\\..\\x.zip", "D:\\1111111.ZIP", "D1111111.EXE",
          "D11G1111.ZIP", "1D111111.ZIP", "D1111111.ZIP ", " D1111111.ZIP", "D1111111.ZIP:stream", "D1111111ZIP",
          "\xC3\x84"
          "1111111.ZIP"})
        EXPECT_FALSE(IsArchiveFileName(name)) << name;
}

// An index anyone could have edited: keys that name other files are not
// listed (so never restored from or deleted), nor removed from the index.
TEST_F(ArchiveIndexTest, KeysThatAreNotArchiveNamesAreIgnoredAndValuesThatAreNotPathsReadAsMissing) {
    Files.AddFile("D:\\Data\\thesis.zip", 5000);
    Files.AddFile("D:\\Archives Bin\\notes.zip", 10);
    const std::string index = Index.IndexPath();
    for (const char* key : {"..\\Data\\thesis.zip", "notes.zip", "D:\\Data\\thesis.zip"})
        Profiles.WriteString(index, "Descriptions", key, "bait");
    Index.Add({"D1111111.ZIP", "mine", "..\\..\\Windows", "Data"});
    Index.Add({"D2222222.ZIP", "also mine", "Temp", "\\\\Server\\Share\\Work"});
    Profiles.WriteString(index, "OriginalPaths", "D1111111.ZIP", "Data\\..\\..");

    const std::vector<TArchiveRecord> listed = Index.List();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].ArchiveName, "D1111111.ZIP");
    EXPECT_EQ(listed[0].FolderName, "");        // a path, not a folder's name
    EXPECT_EQ(listed[0].OriginalPath, "C:\\");  // not a full path: as if missing
    EXPECT_EQ(listed[1].OriginalPath, "\\\\Server\\Share\\Work");
    EXPECT_EQ(Profiles.KeyNames(index, "Descriptions").size(), 5u);
    EXPECT_TRUE(Files.PathExists("D:\\Data\\thesis.zip"));
}
