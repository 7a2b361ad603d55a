// The archive dialog through its messages, with the real ZIP libraries,
// profile functions and files on drive T: (prepared by scripts/test):
// folders go into "T:\Archives Bin" and come back, and Debian's unzip
// checks what was written.

#include "cleanup/win32/CleanUpCompressFolderBox.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "../res/CompressFolderIds.h"
#include "CompressFolderWorld.h"
#include "ProgramRun.h"
#include "UnixTools.h"
#include "ZipTreeSupport.h"
#include "config/Options.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/win32/WindowText.h"
#include "scan/SizeText.h"
#include "CompressFolderBoxFixture.h"

TEST_F(CompressFolderBoxTest, OpensOnTheArchivePageWithTheOptionsAndKeepsThemWhenClosed) {
    Options.ZIPAddSubfolders = true;
    Options.ZIPDeleteAfterCompressing = false;
    Options.ZIPAddHiddenFiles = true;
    Options.ZIPPasswordProtect = false;
    Options.ZIPCompressionLevel = 4;
    Options.ZIPDeleteArchive = true;
    Run(Request(), [&](TCleanUpCompressFolderBox& box) {
        EXPECT_EQ("Compress Folder", WindowTextOf(box.Handle()));
        EXPECT_EQ((std::vector<std::string>{"Archive Folder", "Restore Folder"}), TabCaptions(box));
        EXPECT_EQ(TCompressPage::Compress, box.ActivePage());
        EXPECT_FALSE(box.PageTabShown(TCompressPage::Progress));
        EXPECT_EQ("Compress folder to a ZIP archive", ItemText(box, IDC_CF_COMPRESS_TITLE));
        EXPECT_EQ("Store archive in a special 'Archives Bin' folder on drive", ItemText(box, IDC_CF_STORE_ON_DRIVE));
        EXPECT_EQ("Project Folder", ItemText(box, IDC_CF_DESCRIPTION));
        EXPECT_EQ(GetDlgItem(box.Handle(), IDC_CF_DESCRIPTION), GetFocus());
        EXPECT_EQ('T', box.DrivesBox().SelectedLetter());
        EXPECT_EQ("Add &subfolders and all their files", ItemText(box, IDC_CF_SUBFOLDERS));
        EXPECT_EQ("&Move folder to archive (delete folder after compressing it)", ItemText(box, IDC_CF_DELETE_AFTER));
        EXPECT_EQ("Add &Hidden and System Files", ItemText(box, IDC_CF_HIDDEN));
        EXPECT_EQ("&Password protect archive", ItemText(box, IDC_CF_PASSWORD));
        EXPECT_EQ("&Archive >>", ItemText(box, IDC_CF_COMPRESS));
        EXPECT_TRUE(IsChecked(box, IDC_CF_SUBFOLDERS));
        EXPECT_FALSE(IsChecked(box, IDC_CF_DELETE_AFTER));
        EXPECT_TRUE(IsChecked(box, IDC_CF_HIDDEN));
        EXPECT_FALSE(IsChecked(box, IDC_CF_PASSWORD));
        EXPECT_TRUE(IsChecked(box, IDC_CF_DELETE_ARCHIVE_AFTER));
        EXPECT_EQ("4", ItemText(box, IDC_CF_LEVEL));
        EXPECT_TRUE(Visible(box, IDC_CF_COMPRESS));
        EXPECT_FALSE(Visible(box, IDC_CF_RESTORE));
        EXPECT_FALSE(Visible(box, IDC_CF_STOP));
        EXPECT_FALSE(Visible(box, IDC_CF_RESULTS1));

        Check(box, IDC_CF_SUBFOLDERS, false);
        Check(box, IDC_CF_PASSWORD, true);
        Check(box, IDC_CF_DELETE_ARCHIVE_AFTER, false);
        SendMessageW(GetDlgItem(box.Handle(), IDC_CF_LEVEL_SPIN), UDM_SETPOS32, 0, 7);
        Press(box, IDC_CF_HELP);
    });
    ASSERT_EQ(1u, ShellOpen.Opened.size());
    EXPECT_NE(std::string::npos, ShellOpen.Opened[0].Target.find("help")) << ShellOpen.Opened[0].Target;
    EXPECT_FALSE(Options.ZIPAddSubfolders);
    EXPECT_TRUE(Options.ZIPPasswordProtect);
    EXPECT_FALSE(Options.ZIPDeleteArchive);
    EXPECT_EQ(7, Options.ZIPCompressionLevel);
}

TEST_F(CompressFolderBoxTest, RestoreOnlyShowsItsOwnPageAndCaption) {
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        EXPECT_EQ("Restore Compressed Folders", WindowTextOf(box.Handle()));
        EXPECT_EQ(std::vector<std::string>{"Restore Folder"}, TabCaptions(box));
        EXPECT_EQ(TCompressPage::Restore, box.ActivePage());
        EXPECT_FALSE(Visible(box, IDC_CF_COMPRESS));
        EXPECT_EQ("Restore folder from a ZIP archive", ItemText(box, IDC_CF_RESTORE_TITLE));
        EXPECT_EQ("Folders compressed by Quarrymap 2000 stored on drive", ItemText(box, IDC_CF_RESTORE_DRIVES_LABEL));
        EXPECT_EQ("&Delete archive after restoring folder", ItemText(box, IDC_CF_DELETE_ARCHIVE_AFTER));
        EXPECT_EQ("Delete Archive", ItemText(box, IDC_CF_DELETE_ARCHIVE));
        EXPECT_EQ("&Restore >>", ItemText(box, IDC_CF_RESTORE));
        // The drive box reported its first drive, so the (empty) list is filled.
        EXPECT_EQ('T', box.RestoreDrivesBox().SelectedLetter());
        EXPECT_EQ(0, box.ArchiveList()->RowCount());
        EXPECT_EQ(box.ArchiveList()->Handle(), GetFocus());
        for (int id : {IDC_CF_RESTORE_PATH, IDC_CF_BROWSE, IDC_CF_DELETE_ARCHIVE, IDC_CF_RESTORE})
            EXPECT_FALSE(Enabled(box, id)) << id;
        // The columns grow with the screen's scaling.
        const HWND list = box.ArchiveList()->Handle();
        const int descriptionWidth = ListView_GetColumnWidth(list, 0);
        RECT window = {};
        GetWindowRect(box.Handle(), &window);
        SendMessageW(box.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), LPARAM(&window));
        EXPECT_EQ(descriptionWidth * 3 / 2, ListView_GetColumnWidth(list, 0));
        Press(box, IDC_CF_HELP);
    });
    ASSERT_EQ(1u, ShellOpen.Opened.size());
}

TEST_F(CompressFolderBoxTest, MovedFolderGoesIntoAnIndexedArchiveAndComesBackWhole) {
    MakeProject();
    const TTreeSnapshot original = Snapshot(kFolder);
    std::string archive;
    Run(Request(), [&](TCleanUpCompressFolderBox& box) {
        Check(box, IDC_CF_SUBFOLDERS, true);
        Check(box, IDC_CF_HIDDEN, true);
        Check(box, IDC_CF_DELETE_AFTER, true);
        Check(box, IDC_CF_PASSWORD, false);
        SetItemText(box, IDC_CF_DESCRIPTION, "My project, r\xC3\xA9sum\xC3\xA9");
        Press(box, IDC_CF_COMPRESS);
        ASSERT_NE(nullptr, box.Handle()) << "closed: no archive";
        archive = box.Zip().ZipFilename();
        EXPECT_EQ(TCompressPage::Progress, box.ActivePage());
        EXPECT_EQ(std::vector<std::string>{"Progress"}, TabCaptions(box));
        EXPECT_EQ("Folder compressed OK.", ItemText(box, IDC_CF_PROGRESS_TITLE1));
        EXPECT_EQ("Folder compressed OK.", ItemText(box, IDC_CF_PROGRESS_TITLE2));
        // A finished archive shows whole, whatever the library's last event said.
        EXPECT_EQ("100%", ItemText(box, IDC_CF_PROGRESS_PERCENT));
        EXPECT_EQ(100, int(SendMessageW(GetDlgItem(box.Handle(), IDC_CF_PROGRESS_BAR), PBM_GETPOS, 0, 0)));
        EXPECT_EQ("T:\\archive-tests\\Src\\Project\\Sub\\more.txt", ItemText(box, IDC_CF_PROGRESS_FILE));
        EXPECT_TRUE(Enabled(box, IDC_CF_CLOSE));
        EXPECT_FALSE(Visible(box, IDC_CF_STOP));
        EXPECT_TRUE(Visible(box, IDC_CF_RESULTS1));
        EXPECT_EQ("The folder you have compressed was using " + FormatSize(1000000, Locale) +
                      " of disk space on drive Tests (T:)",
                  ItemText(box, IDC_CF_RESULTS1));
        EXPECT_EQ(0u, ItemText(box, IDC_CF_RESULTS2).find("The ZIP achive containing the compressed folder is using "));
        EXPECT_TRUE(Visible(box, IDC_CF_RESULTS3));
        EXPECT_EQ(0u, ItemText(box, IDC_CF_RESULTS3).find("By compressing the folder you have gained "));
    });
    EXPECT_TRUE(Boxes.Shown.empty()) << Boxes.Shown[0].Text;
    EXPECT_FALSE(PathIsThere(kFolder));
    ASSERT_TRUE(PathIsThere(archive)) << archive;
    EXPECT_TRUE(std::regex_match(archive, std::regex(R"(T:\\Archives Bin\\T[0-9A-F]{7,8}\.ZIP)"))) << archive;
    EXPECT_TRUE(GetFileAttributesW(Widen(kBin).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const TUnixRun test = RunUnixShell("unzip -tq '" + UnixPathOf(archive) + "'", std::string(kRoot) + "\\tool");
    EXPECT_TRUE(test.Ran);
    EXPECT_EQ(0, test.ExitCode) << test.Output;

    const std::string name = archive.substr(archive.find_last_of('\\') + 1);
    EXPECT_EQ(std::vector<std::string>{name}, IndexKeys("Descriptions"));
    EXPECT_EQ("My project, r\xC3\xA9sum\xC3\xA9", Profiles.ReadString(kIndex, "Descriptions", name, ""));
    EXPECT_EQ("Project", Profiles.ReadString(kIndex, "FolderNames", name, ""));
    EXPECT_EQ("T:\\archive-tests\\Src", Profiles.ReadString(kIndex, "OriginalPaths", name, ""));
    EXPECT_EQ(0u, ReadBytes(kIndex).find("\xFF\xFE")) << "UTF-16 with a byte order mark";

    // Back again, from the restore page alone, deleting the archive afterwards.
    Boxes.Shown.clear();
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        ASSERT_EQ(1, box.ArchiveList()->RowCount());
        EXPECT_EQ("My project, r\xC3\xA9sum\xC3\xA9", box.ArchiveList()->Cell(0, 0));
        EXPECT_EQ("Project", box.ArchiveList()->Cell(0, 1));
        EXPECT_EQ("T:\\archive-tests\\Src", box.ArchiveList()->Cell(0, 2));
        SelectRow(box, 0);
        for (int id : {IDC_CF_RESTORE_PATH, IDC_CF_BROWSE, IDC_CF_DELETE_ARCHIVE, IDC_CF_RESTORE})
            EXPECT_TRUE(Enabled(box, id)) << id;
        EXPECT_EQ("T:\\archive-tests\\Src", ItemText(box, IDC_CF_RESTORE_PATH));
        EXPECT_EQ("The path of the restored folder will be \r\nT:\\archive-tests\\Src\\Project|",
                  box.RestorePathHintText());
        Check(box, IDC_CF_DELETE_ARCHIVE_AFTER, true);
        Press(box, IDC_CF_RESTORE);
        EXPECT_EQ(nullptr, box.Handle()) << "a restore closes the dialog";
    });
    ASSERT_EQ(2u, Boxes.Shown.size());
    EXPECT_EQ("The folder T:\\archive-tests\\Src\\Project was successfully restored", Boxes.Shown[0].Text);
    EXPECT_EQ("You should rescan drive T: as its contents has been changed since the last time you have scanned it.",
              Boxes.Shown[1].Text);
    const TTreeSnapshot restored = Snapshot(kFolder);
    ASSERT_EQ(original.size(), restored.size());
    for (const auto& [path, item] : original) {
        const auto found = restored.find(path);
        ASSERT_NE(found, restored.end()) << path;
        EXPECT_EQ(item.Folder, found->second.Folder) << path;
        EXPECT_TRUE(item.Contents == found->second.Contents) << path;
        EXPECT_EQ(item.Attributes, found->second.Attributes) << path;
        if (!item.Folder) {
            EXPECT_LE(std::abs(int64_t(found->second.WriteTime - item.WriteTime)), 20000000) << path;
        }
    }
    // The last archive of the drive went, and with it the index and the folder.
    EXPECT_FALSE(PathIsThere(archive));
    EXPECT_FALSE(PathIsThere(kIndex));
    EXPECT_FALSE(PathIsThere(kBin));
}

TEST_F(CompressFolderBoxTest, ArchivingWithoutMoveAsksTheUserToDeleteAndNamesNeverRepeat) {
    MakeProject();
    std::vector<uint32_t> draws = {0x1234, 0x1234, 0xBEEF};
    size_t next = 0;
    Services.DrawArchiveNumber = [&] { return next < draws.size() ? draws[next++] : uint32_t(0xC000 + next++); };
    std::string gain;
    Run(Request(), [&](TCleanUpCompressFolderBox& box) {
        Check(box, IDC_CF_DELETE_AFTER, false);
        Check(box, IDC_CF_SUBFOLDERS, true);
        Press(box, IDC_CF_COMPRESS);
        ASSERT_NE(nullptr, box.Handle());
        gain = ItemText(box, IDC_CF_RESULTS3);
    });
    EXPECT_EQ(0u, gain.find("You should delete the folder you have compressed. This way you will gain ")) << gain;
    EXPECT_TRUE(PathIsThere(kFolder));
    EXPECT_TRUE(PathIsThere("T:\\Archives Bin\\T0001234.ZIP"));
    const std::string first = ReadBytes("T:\\Archives Bin\\T0001234.ZIP");

    // The same number again: a new one is drawn, the first archive stays.
    std::string second = Archive(false, "Second");
    EXPECT_EQ("T:\\Archives Bin\\T000BEEF.ZIP", second);
    EXPECT_EQ(first, ReadBytes("T:\\Archives Bin\\T0001234.ZIP"));
    EXPECT_EQ((std::vector<std::string>{"T0001234.ZIP", "T000BEEF.ZIP"}), IndexKeys("Descriptions"));

    // An archive larger than the folder's usage hides the gain.
    TCompressFolderRequest small = Request();
    small.DiskUsage = 10;
    bool gainShown = true;
    Run(small, [&](TCleanUpCompressFolderBox& box) {
        Press(box, IDC_CF_COMPRESS);
        ASSERT_NE(nullptr, box.Handle());
        gainShown = Visible(box, IDC_CF_RESULTS3);
    });
    EXPECT_FALSE(gainShown);
}

TEST_F(CompressFolderBoxTest, StopInTheMiddleLeavesTheFolderAndNoArchive) {
    MakeProject();
    const TTreeSnapshot original = Snapshot(kFolder);
    bool closed = false;
    Run(Request(), [&](TCleanUpCompressFolderBox& box) {
        Check(box, IDC_CF_DELETE_AFTER, true);
        Check(box, IDC_CF_SUBFOLDERS, true);
        // Waiting in the queue: the first library event lets it through.
        PostMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CF_STOP, BN_CLICKED),
                     LPARAM(GetDlgItem(box.Handle(), IDC_CF_STOP)));
        // Esc and Close wait too, and are refused while the library runs.
        PostMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CF_CLOSE, BN_CLICKED),
                     LPARAM(GetDlgItem(box.Handle(), IDC_CF_CLOSE)));
        Press(box, IDC_CF_COMPRESS);
        closed = box.Handle() == nullptr;
    });
    EXPECT_TRUE(closed) << "no archive: the dialog closes";
    EXPECT_EQ(original.size(), Snapshot(kFolder).size());
    EXPECT_FALSE(PathIsThere(kIndex));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"T:\\Archives Bin\\*.ZIP", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << Narrow(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(CompressFolderBoxTest, ACorruptedArchiveIsKeptAndTheFailureNamesIt) {
    MakeProject();
    const std::string archive = Archive(false);
    ASSERT_FALSE(archive.empty());
    // Spoil the packed bytes of the large file; the headers stay readable.
    std::string bytes = ReadBytes(archive);
    const size_t at = bytes.find("Project/notes.txt");
    ASSERT_NE(std::string::npos, at);
    for (size_t i = at + 200; i < at + 400 && i < bytes.size(); ++i) bytes[i] = char(bytes[i] ^ 0x5A);
    ASSERT_TRUE(WriteBytes(archive, bytes));
    ScannedDrives.clear();

    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        ASSERT_EQ(1, box.ArchiveList()->RowCount());
        SelectRow(box, 0);
        SetItemText(box, IDC_CF_RESTORE_PATH, "T:\\archive-tests\\Elsewhere\\Deeper");
        Check(box, IDC_CF_DELETE_ARCHIVE_AFTER, true);
        Press(box, IDC_CF_RESTORE);
    });
    ASSERT_FALSE(Boxes.Shown.empty());
    EXPECT_EQ(
        "The folder T:\\archive-tests\\Elsewhere\\Deeper\\Project was not successfully restored. The ZIP "
        "archive containing the folder (" +
            archive +
            ") will not be deleted from your hard-disk so you can "
            "try to manually restore the folder from the archive.",
        Boxes.Shown.back().Text);
    for (size_t i = 0; i + 1 < Boxes.Shown.size(); ++i)
        EXPECT_EQ(0u, Boxes.Shown[i].Text.find("Error: ")) << Boxes.Shown[i].Text;
    EXPECT_TRUE(PathIsThere(archive));
    EXPECT_EQ(1u, IndexKeys("Descriptions").size());
    // The restore path did not exist: it was made for the restore.
    EXPECT_TRUE(PathIsThere("T:\\archive-tests\\Elsewhere\\Deeper\\Project\\notes.txt") ||
                PathIsThere("T:\\archive-tests\\Elsewhere\\Deeper\\Project"));
}

TEST_F(CompressFolderBoxTest, DeleteArchiveAsksFirstAndTheLastOneTakesTheIndexAlong) {
    MakeProject();
    const std::string archive = Archive(false, "Keep me?");
    ASSERT_FALSE(archive.empty());
    Boxes.Answer(TMsgResult::No);
    Boxes.Answer(TMsgResult::Yes);
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        SelectRow(box, 0);
        Press(box, IDC_CF_DELETE_ARCHIVE);
        EXPECT_EQ(1, box.ArchiveList()->RowCount());
        EXPECT_TRUE(PathIsThere(archive));
        Press(box, IDC_CF_DELETE_ARCHIVE);
        EXPECT_EQ(0, box.ArchiveList()->RowCount());
        EXPECT_FALSE(Enabled(box, IDC_CF_RESTORE));
    });
    ASSERT_EQ(2u, Boxes.Shown.size());
    EXPECT_EQ(
        "Really delete the ZIP archive that contains the folder 'Project' ?\r\n\r\nWarning: You will not be able "
        "to restore any file from this folder if you delete the ZIP archive.",
        Boxes.Shown[0].Text);
    EXPECT_EQ(TMsgButtons::YesNoCancel, Boxes.Shown[0].Buttons);
    EXPECT_FALSE(PathIsThere(archive));
    EXPECT_FALSE(PathIsThere(kIndex));
    EXPECT_FALSE(PathIsThere(kBin));
}

TEST_F(CompressFolderBoxTest, TheListDropsMissingArchivesAndFillsInWhatTheIndexLacks) {
    ASSERT_TRUE(CreateDirectoryW(Widen(kBin).c_str(), nullptr));
    ASSERT_TRUE(WriteBytes("T:\\Archives Bin\\T0000001.ZIP", "not looked at"));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "Descriptions", "T0000002.ZIP", "Gone"));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "FolderNames", "T0000002.ZIP", "Old"));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "OriginalPaths", "T0000002.ZIP", "T:\\"));
    ASSERT_TRUE(Profiles.WriteString(kIndex, "Descriptions", "T0000001.ZIP", "Only a description"));
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        ASSERT_EQ(1, box.ArchiveList()->RowCount());
        EXPECT_EQ("Only a description", box.ArchiveList()->Cell(0, 0));
        EXPECT_EQ("", box.ArchiveList()->Cell(0, 1));
        EXPECT_EQ(std::string(1, ProgramPath[0]) + ":\\", box.ArchiveList()->Cell(0, 2));

        // A description edited in the list is written at once.
        std::wstring text = L"Renamed";
        NMLVDISPINFOW edit = {};
        edit.hdr.hwndFrom = box.ArchiveList()->Handle();
        edit.hdr.idFrom = IDC_CF_ARCHIVES;
        edit.hdr.code = LVN_ENDLABELEDITW;
        edit.item.iItem = 0;
        edit.item.pszText = &text[0];
        EXPECT_TRUE(SendMessageW(box.Handle(), WM_NOTIFY, IDC_CF_ARCHIVES, LPARAM(&edit)));
    });
    EXPECT_EQ(std::vector<std::string>{"T0000001.ZIP"}, IndexKeys("Descriptions"));
    EXPECT_TRUE(IndexKeys("FolderNames").empty());
    EXPECT_TRUE(IndexKeys("OriginalPaths").empty());
    EXPECT_EQ("Renamed", Profiles.ReadString(kIndex, "Descriptions", "T0000001.ZIP", ""));
}

TEST_F(CompressFolderBoxTest, BrowsingReplacesTheRestorePath) {
    MakeProject();
    ASSERT_FALSE(Archive(false).empty());
    Browser.Answer = kRoot;
    Run(TCompressFolderRequest(), [&](TCleanUpCompressFolderBox& box) {
        SelectRow(box, 0);
        Press(box, IDC_CF_BROWSE);
        EXPECT_EQ(kRoot, ItemText(box, IDC_CF_RESTORE_PATH));
        EXPECT_EQ("The path of the restored folder will be \r\nT:\\archive-tests\\Project|", box.RestorePathHintText());
    });
    ASSERT_EQ(1u, Browser.Titles.size());
    EXPECT_EQ("Select the destination folder where you want to restore the selected folder from the ZIP archive.",
              Browser.Titles[0]);
}
