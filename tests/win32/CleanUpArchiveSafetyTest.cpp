// The archive dialog never packs, deletes or overwrites what the user did
// not point at: on drive T: with the real libraries, a folder whose parent
// was renamed, restores that cannot reach their folder or would write over
// one, an index naming other files, and files an archive left out.

#include <gtest/gtest.h>

#include <algorithm>

#include "CompressFolderBoxFixture.h"
#include "UnixTools.h"

namespace {

class ArchiveSafetyTest : public CompressFolderBoxTest {
protected:
    bool Shows(const std::string& part) const {
        for (const auto& shown : Boxes.Shown)
            if (shown.Text.find(part) != std::string::npos) return true;
        return false;
    }
    // Restores the only archive into `path`, ticking "Delete archive"; true when the dialog closed.
    bool Restore(const std::string& path) {
        bool closed = false;
        Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
            ASSERT_EQ(1, box.ArchiveList()->RowCount());
            SelectRow(box, 0);
            SetItemText(box, IDC_CF_RESTORE_PATH, path);
            Check(box, IDC_CF_DELETE_ARCHIVE_AFTER, true);
            Press(box, IDC_CF_RESTORE);
            closed = box.Handle() == nullptr;
            if (!closed) {
                EXPECT_EQ(TCompressPage::Restore, box.ActivePage());
            }
        });
        return closed;
    }
};

}  // namespace

// Before, the relative file pattern resolved against whatever folder was
// current and "Move" then deleted that folder.
TEST_F(ArchiveSafetyTest, AFolderWhoseParentWasRenamedIsNeitherPackedNorDeleted) {
    MakeProject();
    ASSERT_TRUE(CreateDirectoryW(L"T:\\archive-tests\\Project", nullptr));
    ASSERT_TRUE(WriteBytes("T:\\archive-tests\\Project\\other.txt", "not the user's choice"));
    ASSERT_TRUE(MoveFileW(L"T:\\archive-tests\\Src", L"T:\\archive-tests\\Renamed"));
    EXPECT_EQ("", Archive(true));
    EXPECT_TRUE(Shows("no longer exists")) << (Boxes.Shown.empty() ? "" : Boxes.Shown[0].Text);
    EXPECT_EQ("not the user's choice", ReadBytes("T:\\archive-tests\\Project\\other.txt"));
    EXPECT_TRUE(PathIsThere("T:\\archive-tests\\Renamed\\Project\\notes.txt"));
    EXPECT_FALSE(PathIsThere(kIndex));
}

TEST_F(ArchiveSafetyTest, ARestoreThatCannotReachItsFolderWritesNothingAndKeepsTheArchive) {
    MakeProject();
    const std::string archive = Archive(true);
    ASSERT_FALSE(archive.empty());
    ASSERT_FALSE(PathIsThere(kFolder));
    Boxes.Shown.clear();
    // A drive that is not there, and a path that would resolve against the current folder.
    for (const char* path : {"K:\\Gone", "Gone", "T:Gone"}) {
        EXPECT_FALSE(Restore(path)) << path;
        EXPECT_TRUE(PathIsThere(archive)) << path;
    }
    ASSERT_EQ(3u, Boxes.Shown.size());
    EXPECT_NE(std::string::npos, Boxes.Shown[0].Text.find("K:\\Gone could not be created or opened"));
    EXPECT_NE(std::string::npos, Boxes.Shown[1].Text.find("is not a full path"));
    EXPECT_FALSE(PathIsThere("T:\\archive-tests\\Project"));
    EXPECT_FALSE(PathIsThere("T:\\Project"));
    EXPECT_EQ(1u, IndexKeys("Descriptions").size());
}

TEST_F(ArchiveSafetyTest, ARestoreOverAnExistingFolderAsksFirstAndNoWritesNothing) {
    MakeProject();
    const std::string archive = Archive(false);
    ASSERT_FALSE(archive.empty());
    ASSERT_TRUE(WriteBytes(std::string(kFolder) + "\\notes.txt", "edited since"));
    Boxes.Shown.clear();
    Boxes.Answer(TMsgResult::No);
    EXPECT_FALSE(Restore("T:\\archive-tests\\Src"));
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ(TMsgButtons::YesNoDefaultNo, Boxes.Shown[0].Buttons);
    EXPECT_NE(std::string::npos, Boxes.Shown[0].Text.find(kFolder));
    EXPECT_EQ("edited since", ReadBytes(std::string(kFolder) + "\\notes.txt"));
    EXPECT_TRUE(PathIsThere(archive));

    Boxes.Shown.clear();
    Boxes.Answer(TMsgResult::Yes);
    ScannedDrives.clear();
    EXPECT_TRUE(Restore("T:\\archive-tests\\Src"));
    EXPECT_EQ(TextBytes(300000), ReadBytes(std::string(kFolder) + "\\notes.txt"));
    EXPECT_EQ("The folder T:\\archive-tests\\Src\\Project was successfully restored", Boxes.Shown.back().Text);
}

TEST_F(ArchiveSafetyTest, ARestoreLargerThanTheFreeSpaceIsRefused) {
    MakeProject();
    const std::string archive = Archive(true);
    ASSERT_FALSE(archive.empty());
    DriveInfo.AddDrive("T:\\").FreeBytes = 1000;
    Boxes.Shown.clear();
    EXPECT_FALSE(Restore("T:\\archive-tests\\Src"));
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_NE(std::string::npos, Boxes.Shown[0].Text.find("bytes is free on that drive")) << Boxes.Shown[0].Text;
    EXPECT_FALSE(PathIsThere(kFolder));
    EXPECT_TRUE(PathIsThere(archive));
}

TEST_F(ArchiveSafetyTest, IndexKeysThatNameOtherFilesAreNeitherListedNorDeleted) {
    ASSERT_TRUE(CreateDirectoryW(L"T:\\archive-tests\\Data", nullptr));
    ASSERT_TRUE(WriteBytes("T:\\archive-tests\\Data\\thesis.zip", "the only copy"));
    ASSERT_TRUE(CreateDirectoryW(Widen(kBin).c_str(), nullptr));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "Descriptions", "..\\archive-tests\\Data\\thesis.zip", "bait"));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "OriginalPaths", "..\\archive-tests\\Data\\thesis.zip", "T:\\"));
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        EXPECT_EQ(0, box.ArchiveList()->RowCount());
        EXPECT_FALSE(Enabled(box, IDC_CF_DELETE_ARCHIVE));
        EXPECT_FALSE(Enabled(box, IDC_CF_RESTORE));
    });
    EXPECT_EQ("the only copy", ReadBytes("T:\\archive-tests\\Data\\thesis.zip"));
    EXPECT_TRUE(PathIsThere(kIndex));  // not the program's to tidy away
}

TEST_F(ArchiveSafetyTest, APartialArchiveSaysWhatIsMissingAndKeepsTheFolder) {
    MakeProject();
    std::string results;
    Run(Request(), [&](TCleanUpCompressFolderBox& box) {
        Check(box, IDC_CF_SUBFOLDERS, false);
        Check(box, IDC_CF_HIDDEN, false);
        Check(box, IDC_CF_DELETE_AFTER, true);
        Press(box, IDC_CF_COMPRESS);
        ASSERT_NE(nullptr, box.Handle());
        EXPECT_TRUE(Visible(box, IDC_CF_RESULTS3));
        results = ItemText(box, IDC_CF_RESULTS3);
    });
    EXPECT_EQ(0u, results.find("2 files of the folder are not in the archive: 1 in subfolders (not added), 1 hidden "
                               "or system (not added)."))
        << results;
    EXPECT_EQ(std::string::npos, results.find("You should delete")) << results;
    EXPECT_EQ(std::string::npos, results.find("gained")) << results;
    EXPECT_TRUE(PathIsThere(std::string(kFolder) + "\\Sub\\more.txt"));
    EXPECT_TRUE(PathIsThere(std::string(kFolder) + "\\hidden.cfg"));
}

// The index is written before the library may delete the folder: an index
// that cannot be written stops the archive before anything is packed.
TEST_F(ArchiveSafetyTest, AnIndexThatCannotBeWrittenStopsTheArchiveBeforeTheFolderGoes) {
    MakeProject();
    // A folder where the index should be: no profile function can write it.
    ASSERT_TRUE(CreateDirectoryW(Widen(kBin).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Widen(kIndex).c_str(), nullptr));
    EXPECT_EQ("", Archive(true));
    EXPECT_TRUE(Shows("Unable to write to " + std::string(kIndex)));
    EXPECT_TRUE(PathIsThere(std::string(kFolder) + "\\notes.txt"));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"T:\\Archives Bin\\*.ZIP", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// The archived folder's parent is not left as the current directory, where
// it would stay open and could not be deleted.
TEST_F(ArchiveSafetyTest, TheCurrentDirectoryIsPutBackAfterEachRun) {
    MakeProject();
    ASSERT_TRUE(SetCurrentDirectoryW(L"T:\\"));
    ASSERT_FALSE(Archive(false).empty());
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    EXPECT_EQ(L"T:\\", std::wstring(folder));
}

// Every damaged entry fails alike; each kind of error is shown once, with a count.
TEST_F(ArchiveSafetyTest, EachKindOfLibraryErrorIsShownOncePerRun) {
    MakeProject();
    ASSERT_TRUE(WriteBytes(std::string(kFolder) + "\\Sub\\copy.txt", TextBytes(300000)));
    const std::string archive = Archive(false);
    ASSERT_FALSE(archive.empty());
    std::string bytes = ReadBytes(archive);
    for (const char* name : {"Project/notes.txt", "Project/Sub/copy.txt", "Project/Sub/more.txt"}) {
        const size_t at = bytes.find(name);
        ASSERT_NE(std::string::npos, at) << name;
        for (size_t i = at + 200; i < at + 400 && i < bytes.size(); ++i) bytes[i] = char(bytes[i] ^ 0x5A);
    }
    ASSERT_TRUE(WriteBytes(archive, bytes));
    ScannedDrives.clear();
    Boxes.Shown.clear();
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        SelectRow(box, 0);
        SetItemText(box, IDC_CF_RESTORE_PATH, "T:\\archive-tests\\Elsewhere");
        Press(box, IDC_CF_RESTORE);
    });
    std::vector<std::string> codes;
    bool counted = false;
    for (const auto& shown : Boxes.Shown) {
        const size_t at = shown.Text.find("(error code ");
        if (at == std::string::npos) continue;
        const std::string code = shown.Text.substr(at, shown.Text.find(')', at) - at);
        EXPECT_EQ(std::find(codes.begin(), codes.end(), code), codes.end()) << shown.Text;
        codes.push_back(code);
        counted = counted || shown.Text.find("more time") != std::string::npos;
    }
    EXPECT_EQ(codes.size(), 1u);
    EXPECT_TRUE(counted) << "three damaged entries, one box that counts them";
    EXPECT_TRUE(PathIsThere(archive));
}
