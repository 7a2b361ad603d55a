#include "cleanup/ArchiveChecks.h"

#include <gtest/gtest.h>

#include "cleanup/CompressFolder.h"
#include "platform/memory/MemoryFileSystem.h"

namespace {

class FolderOnDiskTest : public testing::Test {
protected:
    FolderOnDiskTest() {
        Files.AddFile("Q:\\Data\\Old\\Temp\\a.txt", 10);
        Files.AddFolder("Q:\\Data\\Twin");
        Files.AddFolder("Q:\\Data\\Link", kAttrReparsePoint);
        Files.AddFile("Q:\\Data\\file.txt", 5);
    }
    TMemoryFileSystem Files;
};

}  // namespace

TEST_F(FolderOnDiskTest, OnlyTheFolderItselfAsTheDiskHoldsItNowPasses) {
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\Old\\Temp", Files), TFolderRefusal::None);
    // The parent renamed: the path names nothing, whatever the current directory holds.
    Files.Remove("Q:\\Data\\Old");
    Files.AddFile("Q:\\Temp\\other.txt", 1);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\Old\\Temp", Files), TFolderRefusal::Missing);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\Link", Files), TFolderRefusal::FolderLink);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\file.txt", Files), TFolderRefusal::NotAFolder);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\Twin.", Files), TFolderRefusal::RewrittenName);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\Twin ", Files), TFolderRefusal::RewrittenName);
    EXPECT_EQ(CheckFolderOnDisk("Temp", Files), TFolderRefusal::NotFullPath);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\Data\\..\\Temp", Files), TFolderRefusal::NotFullPath);
    EXPECT_EQ(CheckFolderOnDisk("Q:\\", Files), TFolderRefusal::NotFullPath);
    for (TFolderRefusal refusal : {TFolderRefusal::Missing, TFolderRefusal::FolderLink, TFolderRefusal::RewrittenName})
        EXPECT_NE(FolderRefusalText(refusal, "Q:\\X", "archived").find("Q:\\X"), std::string::npos);
}

TEST(ArchiveChecks, TheEnteredFolderMustBeTheOneAskedFor) {
    EXPECT_TRUE(IsSameFolder("T:\\Data", "t:\\Data\\"));
    EXPECT_TRUE(IsSameFolder("T:\\", "T:\\"));
    EXPECT_TRUE(IsSameFolder("T:\\Data", "\\\\?\\T:\\Data"));
    EXPECT_FALSE(IsSameFolder("Q:\\Data\\Old", "Q:\\"));
    EXPECT_FALSE(IsSameFolder("Q:\\Data\\Old", ""));
    EXPECT_FALSE(IsSameFolder("Q:\\Data\\Twin.", "Q:\\Data\\Twin"));
}

TEST(ArchiveChecks, WhatTheArchiveLeftOutIsCountedByReason) {
    TMemoryFileSystem files;
    files.AddFile("C:\\P\\a.txt", 1);
    files.AddFile("C:\\P\\h.txt", 1, kAttrHidden);
    files.AddFile("C:\\P\\Sub\\b.txt", 1);
    files.AddFile("C:\\P\\Sub\\s.sys", 1, kAttrSystem);
    files.AddFolder("C:\\P\\Secret", kAttrHidden);
    files.AddFile("C:\\P\\Secret\\c.txt", 1);
    files.AddFolder("C:\\P\\Link", kAttrReparsePoint);
    files.AddFile("C:\\P\\Link\\target.txt", 1);  // the link's target: not the folder's own
    const TFolderFiles found = CountFolderFiles("C:\\P", files);
    EXPECT_EQ(found.Files, 5);
    EXPECT_EQ(found.InSubfolders, 3);
    EXPECT_EQ(found.HiddenOrSystem, 3);
    EXPECT_EQ(found.InBoth, 2);

    TArchiveChoices all;
    all.Subfolders = all.Hidden = true;
    EXPECT_EQ(LeftOutOf(found, all, 5, 0).Total(), 0);
    const TLeftOut unreadable = LeftOutOf(found, all, 3, 0);
    EXPECT_EQ(unreadable.Unreadable, 2);
    EXPECT_EQ(LeftOutOf(found, all, 5, 1).Unreadable, 1);  // archived, but changed while read

    TArchiveChoices topOnly;  // neither subfolders nor hidden files: a.txt alone
    const TLeftOut partial = LeftOutOf(found, topOnly, 1, 0);
    EXPECT_EQ(partial.InSubfolders, 3);
    EXPECT_EQ(partial.Hidden, 1);
    EXPECT_EQ(partial.Total(), 4);
    const std::string text = LeftOutText(partial);
    EXPECT_EQ(text,
              "4 files of the folder are not in the archive: 3 in subfolders (not added), 1 hidden or system "
              "(not added). The folder has been kept; do not delete it, or those files will be lost.");
    EXPECT_EQ(text.find("You should delete"), std::string::npos);

    const TCompressResults results =
        WithLeftOut(TCompressResults{"u", "a", "You should delete the folder you have compressed.", false}, partial);
    EXPECT_TRUE(results.GainShown);
    EXPECT_EQ(results.Gain, text);
}

TEST(ArchiveChecks, RestorePathsMustBeFullAndUnrewritten) {
    EXPECT_EQ(CheckRestorePath("D:\\Restore"), TRestoreRefusal::None);
    EXPECT_EQ(CheckRestorePath("D:\\"), TRestoreRefusal::None);
    EXPECT_EQ(CheckRestorePath("\\\\Server\\Share\\Data"), TRestoreRefusal::None);
    for (const char* path : {"", "Gone", "K:", "K:Gone", "\\Gone", "D:\\a\\..\\b", "D:/Restore", "\\\\Server"})
        EXPECT_EQ(CheckRestorePath(path), TRestoreRefusal::NotFullPath) << path;
    EXPECT_EQ(CheckRestorePath("D:\\Twin.\\x"), TRestoreRefusal::RewrittenName);
    EXPECT_EQ(VolumeRootOf("D:\\Restore\\x"), "D:\\");
    EXPECT_EQ(VolumeRootOf("\\\\Server\\Share\\Data"), "\\\\Server\\Share\\");
}

TEST(ArchiveChecks, TheRestoreCreatesTheEntriesFirstNames) {
    std::vector<TZipEntry> entries(4);
    entries[0].Name = "Photos/";
    entries[1].Name = "Photos/2024/a.jpg";
    entries[2].Name = "notes.txt";
    entries[3].Name = "../x";
    EXPECT_EQ(TopLevelNames(entries), (std::vector<std::string>{"Photos", "notes.txt"}));
}
