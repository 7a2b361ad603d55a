#include "cleanup/win32/CleanUpMoveFolderBox.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

#include "../res/MoveFolderIds.h"
#include "DrivePickerTestSupport.h"
#include "ScriptedModalRunner.h"
#include "ShellBoxAnswerer.h"
#include "Win32TestFiles.h"
#include "cleanup/DriveAccess.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "controls/DriveItems.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/FakeRemovableDrives.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryFolderCreator.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/memory/ScriptedShellFileOperation.h"
#include "platform/win32/Win32FolderCreator.h"
#include "platform/win32/Win32ShellFileOperation.h"

namespace {

const char kSource[] = "C:\\Data\\Photos";
const char kProgram[] = "C:\\Program\\Quarrymap.exe";

void Press(TDialog& dialog, int id) {
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog.Handle(), id)));
}

void SetItemText(TDialog& dialog, int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(dialog.Handle(), id), Widen(text).c_str());
}

std::string ItemText(const TDialog& dialog, int id) { return WindowText(GetDlgItem(dialog.Handle(), id)); }

bool IsItemEnabled(const TDialog& dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog.Handle(), id)) != FALSE; }

std::string ColumnCaption(HWND list, int column, int* width) {
    wchar_t text[64] = {};
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = text;
    info.cchTextMax = 64;
    SendMessageW(list, LVM_GETCOLUMNW, WPARAM(column), LPARAM(&info));
    *width = info.cx;
    return Narrow(text);
}

std::string CellText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return Narrow(text);
}

// The combo box as the user changes it: a new selection, then the notification.
void ChooseDrive(TDialog& dialog, const TShExDriveComboBox& drives, char letter) {
    const int index = FindDriveItem(drives.Items().Texts(), letter);
    SendMessageW(drives.Handle(), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MOVE_DRIVES, CBN_SELCHANGE), LPARAM(drives.Handle()));
}

class CleanUpMoveFolderBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        AddDrive('C', 4096, "System (C:)");
        AddDrive('D', 512, "Data (D:)");
        AddDrive('E', 2048, "Extra (E:)");
        AddDrive('F', 8192, "Big (F:)");
        AddDrive('A', 512, "Floppy (A:)");
        Removable.Letters.insert('a');
        Drives.AddLetter('Q');  // listed, but never answers
        Names.Names['Q'] = "Network (Q:)";
        Files.AddFolder("C:\\Data\\Photos\\2024");
        Files.AddFolder("D:\\Archive\\Old");
        Files.AddFolder("D:\\Backup");
        Request.SourcePath = kSource;
        Request.WastedShown = 100000;
        for (int k = 1; k <= 7; ++k) Request.WastedAt[size_t(k - 1)] = 10000 * k;
        Request.StartFolder = "D:\\Archive";
    }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }
    void AddDrive(char letter, int32_t cluster, const std::string& name) {
        Drives.AddLetter(letter);
        TFakeDrive& drive = DriveInfo.AddDrive(std::string(1, letter) + ":\\");
        drive.Volume.FileSystemName = "NTFS";
        drive.DiskClusterSize = cluster;
        Names.Names[letter] = name;
        Directory.AddFolder(std::string(1, letter) + ":\\");
    }

    // Runs the dialog over the main window with `script` acting on it.
    INT_PTR Run(const std::function<void(TCleanUpMoveFolderBox&)>& script) {
        TCleanUpMoveFolderBox box(Services, Request);
        Runner.Script = [&](TDialog&) {
            ASSERT_NE(nullptr, box.Handle());
            script(box);
        };
        return Runner.Run(box, Main.Handle());
    }

    bool ComReady = false;
    TFakeDriveEnumerator Drives;
    TFakeDriveInfo DriveInfo;
    TFakeRemovableDrives Removable;
    TNamedShellInfo Names;
    TMemoryFileSystem Files;
    TFakeCurrentDirectory Directory;
    TScriptedMessageBoxes Boxes;
    TMemoryFolderCreator Creator{Files};
    TScriptedShellFileOperation ShellFiles;
    TRecordingShellOpen ShellOpen;
    TFixedLocale Locale;
    TScriptedModalRunner Runner;
    std::string ProgramPath = kProgram;
    TMoveFolderServices Services{Drives,  DriveInfo,  Removable, Names,  Files,  Directory,  Boxes,
                                 Creator, ShellFiles, ShellOpen, Locale, Runner, ProgramPath};
    TMoveFolderRequest Request;
    THostWindow Main{200, 150, 800, 600};
};

TEST_F(CleanUpMoveFolderBoxTest, ShowsEveryControlWithItsText) {
    Run([](TCleanUpMoveFolderBox& box) {
        const HWND window = box.Handle();
        EXPECT_EQ("Move Folder", WindowText(window));
        EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & DS_MODALFRAME);
        EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_EQ("Move folder:", ItemText(box, IDC_MOVE_SOURCE_LABEL));
        EXPECT_EQ(kSource, ItemText(box, IDC_MOVE_SOURCE));
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(window, IDC_MOVE_SOURCE), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ("To the following &new location:", ItemText(box, IDC_MOVE_TARGET_LABEL));
        EXPECT_EQ("This folder is wasting 98 KB on the drive where is located.", ItemText(box, IDC_MOVE_WASTED));
        EXPECT_EQ("You should move the folder to one of the following drives, as they have smaller cluster sizes:",
                  ItemText(box, IDC_MOVE_ADVICE));
        EXPECT_NE(0, SendMessageW(GetDlgItem(window, IDC_MOVE_INFO_ICON), STM_GETICON, 0, 0));
        EXPECT_EQ(
            "Note: If the folder contains an installed application, you should uninstall the application "
            "and install it to \r\nthe new location. Some folders can also be moved by the application that "
            "uses them.",
            ItemText(box, IDC_MOVE_NOTE));
        const LONG noteStyle = GetWindowLongW(GetDlgItem(window, IDC_MOVE_NOTE), GWL_STYLE);
        EXPECT_TRUE(noteStyle & ES_READONLY);
        EXPECT_FALSE(noteStyle & WS_BORDER);
        EXPECT_EQ(
            "IMPORTANT: Before moving the folder, make sure that all applications that use it will continue to "
            "work properly even if you move the folder.",
            ItemText(box, IDC_MOVE_IMPORTANT));
        LOGFONTW font = {};
        GetObjectW(HGDIOBJ(SendMessageW(GetDlgItem(window, IDC_MOVE_IMPORTANT), WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        EXPECT_EQ(FW_BOLD, font.lfWeight);
        EXPECT_EQ("OK", ItemText(box, IDC_MOVE_OK));
        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongW(GetDlgItem(window, IDC_MOVE_OK), GWL_STYLE) & 0x0F);
        EXPECT_EQ("Cancel", ItemText(box, IDC_MOVE_CANCEL));
        EXPECT_EQ("Help", ItemText(box, IDC_MOVE_HELP));
        EXPECT_EQ(box.DrivesBox().Handle(), GetDlgItem(window, IDC_MOVE_DRIVES));

        const HWND list = GetDlgItem(window, IDC_MOVE_WASTING);
        ASSERT_NE(nullptr, list);
        const LONG listStyle = GetWindowLongW(list, GWL_STYLE);
        EXPECT_EQ(LVS_REPORT, listStyle & LVS_TYPEMASK);
        EXPECT_TRUE(listStyle & LVS_NOSORTHEADER);
        EXPECT_FALSE(listStyle & LVS_EDITLABELS);
        EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
        EXPECT_NE(nullptr, ListView_GetImageList(list, LVSIL_SMALL));
        int width = 0;
        EXPECT_EQ("Drive", ColumnCaption(list, 0, &width));
        EXPECT_EQ(100, width);
        EXPECT_EQ("Cluster", ColumnCaption(list, 1, &width));
        EXPECT_EQ("You gain", ColumnCaption(list, 2, &width));
        EXPECT_EQ(120, width);
    });
}

TEST_F(CleanUpMoveFolderBoxTest, OpensOnTheStartDriveWithTheTargetFilledAtOnce) {
    Run([this](TCleanUpMoveFolderBox& box) {
        EXPECT_EQ('D', box.DrivesBox().SelectedLetter());
        EXPECT_EQ("D:\\Archive", box.FolderList().Folder());
        EXPECT_EQ(std::vector<std::string>{"D:\\"}, Directory.Attempts);
        const auto& lines = box.FolderList().Items();
        ASSERT_EQ(3u, lines.size());
        EXPECT_EQ("d:\\", lines[0].Name);
        EXPECT_EQ("Archive", lines[1].Name);
        EXPECT_EQ("Old", lines[2].Name);
        EXPECT_FALSE(lines[2].Opened);
        EXPECT_EQ(3, SendMessageW(box.FolderList().Handle(), LB_GETCOUNT, 0, 0));
        EXPECT_EQ(1, SendMessageW(box.FolderList().Handle(), LB_GETCURSEL, 0, 0));
        EXPECT_EQ("D:\\Archive\\Photos", ItemText(box, IDC_MOVE_TARGET));
        EXPECT_TRUE(IsItemEnabled(box, IDC_MOVE_OK));
    });
}

TEST_F(CleanUpMoveFolderBoxTest, ListsFixedDrivesWithSmallerClustersAndTheirGain) {
    Run([](TCleanUpMoveFolderBox& box) {
        const HWND list = GetDlgItem(box.Handle(), IDC_MOVE_WASTING);
        ASSERT_EQ(2, ListView_GetItemCount(list));
        EXPECT_EQ("Data (D:)", CellText(list, 0, 0));
        EXPECT_EQ("512 bytes", CellText(list, 0, 1));
        EXPECT_EQ("88 KB", CellText(list, 0, 2));
        EXPECT_EQ("Extra (E:)", CellText(list, 1, 0));
        EXPECT_EQ("2 KB", CellText(list, 1, 1));
        EXPECT_EQ("78 KB", CellText(list, 1, 2));
        ASSERT_EQ(2u, box.GainRows().size());
        EXPECT_EQ('d', box.GainRows()[0].Letter);
        EXPECT_EQ('e', box.GainRows()[1].Letter);
    });
}

TEST_F(CleanUpMoveFolderBoxTest, ChoosingAGainRowSelectsItsDriveAndRetargets) {
    Run([](TCleanUpMoveFolderBox& box) {
        const HWND list = GetDlgItem(box.Handle(), IDC_MOVE_WASTING);
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ('E', box.DrivesBox().SelectedLetter());
        EXPECT_EQ("E:\\", box.FolderList().Folder());
        EXPECT_EQ("E:\\Photos", ItemText(box, IDC_MOVE_TARGET));
        // Back on D the list returns to where it was on that drive.
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ("D:\\Archive", box.FolderList().Folder());
    });
}

TEST_F(CleanUpMoveFolderBoxTest, DoubleClickOpensAFolderAndRetargets) {
    Run([](TCleanUpMoveFolderBox& box) {
        const HWND folders = box.FolderList().Handle();
        SendMessageW(folders, LB_SETCURSEL, 2, 0);  // "Old"
        SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MOVE_FOLDERS, LBN_DBLCLK), LPARAM(folders));
        EXPECT_EQ("D:\\Archive\\Old", box.FolderList().Folder());
        EXPECT_EQ("D:\\Archive\\Old\\Photos", ItemText(box, IDC_MOVE_TARGET));
        SendMessageW(folders, LB_SETCURSEL, 0, 0);  // the root
        SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MOVE_FOLDERS, LBN_DBLCLK), LPARAM(folders));
        EXPECT_EQ("D:\\Photos", ItemText(box, IDC_MOVE_TARGET));
        EXPECT_EQ(3, SendMessageW(folders, LB_GETCOUNT, 0, 0));  // d:\, Archive, Backup
    });
}

TEST_F(CleanUpMoveFolderBoxTest, OkIsOfferedExactlyWhileTheTargetDiffersFromTheSource) {
    Run([](TCleanUpMoveFolderBox& box) {
        SetItemText(box, IDC_MOVE_TARGET, kSource);
        EXPECT_FALSE(IsItemEnabled(box, IDC_MOVE_OK));
        SetItemText(box, IDC_MOVE_TARGET, "c:\\data\\photos");
        EXPECT_TRUE(IsItemEnabled(box, IDC_MOVE_OK));
    });
}

TEST_F(CleanUpMoveFolderBoxTest, InaccessibleDriveIsReportedOnceAndTheBoxGoesBack) {
    Run([this](TCleanUpMoveFolderBox& box) {
        SetItemText(box, IDC_MOVE_TARGET, "D:\\Elsewhere");
        ChooseDrive(box, box.DrivesBox(), 'Q');
        ASSERT_EQ(1u, Boxes.Shown.size());
        EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
        EXPECT_EQ(DriveNotAccessibleText('q'), Boxes.Shown[0].Text);
        EXPECT_EQ(TMsgButtons::Ok, Boxes.Shown[0].Buttons);
        EXPECT_EQ(TMsgIcon::Error, Boxes.Shown[0].Icon);
        EXPECT_EQ('D', box.DrivesBox().SelectedLetter());
        EXPECT_EQ("D:\\Archive", box.FolderList().Folder());
        EXPECT_EQ("D:\\Archive\\Photos", ItemText(box, IDC_MOVE_TARGET));
        EXPECT_NE(nullptr, box.Handle());
    });
}

TEST_F(CleanUpMoveFolderBoxTest, RefusedTargetsMoveNothingAndKeepTheDialogOpen) {
    struct TCase {
        const char* Target;
        TMoveRefusal Refusal;
    };
    const std::string tooLong = "D:\\" + std::string(kMaxShellPathLength, 'x');
    Files.AddFile("D:\\Archive\\list.txt", 10);
    const std::vector<TCase> cases = {{"", TMoveRefusal::EmptyTarget},
                                      {"Photos", TMoveRefusal::RelativeTarget},
                                      {"c:\\data\\photos", TMoveRefusal::TargetInsideSource},
                                      {"C:\\Data\\Photos\\2024", TMoveRefusal::TargetInsideSource},
                                      {tooLong.c_str(), TMoveRefusal::TargetTooLong},
                                      {"D:\\Archive\\list.txt", TMoveRefusal::TargetNotAFolder}};
    Run([&](TCleanUpMoveFolderBox& box) {
        for (const TCase& test : cases) {
            SetItemText(box, IDC_MOVE_TARGET, test.Target);
            Press(box, IDC_MOVE_OK);
            ASSERT_NE(nullptr, box.Handle()) << test.Target;
            ASSERT_FALSE(Boxes.Shown.empty());
            EXPECT_EQ(MoveRefusalText(test.Refusal), Boxes.Shown.back().Text) << test.Target;
            EXPECT_EQ(TMsgButtons::Ok, Boxes.Shown.back().Buttons);
        }
    });
    EXPECT_EQ(cases.size(), Boxes.Shown.size());
    EXPECT_TRUE(Creator.Created.empty());
    EXPECT_TRUE(ShellFiles.Requests.empty());
    EXPECT_TRUE(ShellFiles.RemovedFolders.empty());
}

TEST_F(CleanUpMoveFolderBoxTest, SourceTooLongForTheShellIsRefusedWhole) {
    Request.SourcePath = "C:\\" + std::string(kMaxMoveSourceLength - 2, 's');
    Run([this](TCleanUpMoveFolderBox& box) {
        EXPECT_EQ(Request.SourcePath, ItemText(box, IDC_MOVE_SOURCE));  // shown whole, never cut
        Press(box, IDC_MOVE_OK);
        EXPECT_NE(nullptr, box.Handle());
    });
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ(MoveRefusalText(TMoveRefusal::SourceTooLong), Boxes.Shown[0].Text);
    EXPECT_TRUE(ShellFiles.Requests.empty());
}

TEST_F(CleanUpMoveFolderBoxTest, OkMovesTheContentsThenRemovesTheEmptiedSource) {
    HWND dialog = nullptr;
    const INT_PTR result = Run([&](TCleanUpMoveFolderBox& box) {
        dialog = box.Handle();
        ShellFiles.OnRun = [&](const TShellFileRequest&) { EXPECT_TRUE(ShellFiles.RemovedFolders.empty()); };
        Press(box, IDC_MOVE_OK);
        EXPECT_EQ(nullptr, box.Handle());
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(1u, ShellFiles.Requests.size());
    const TShellFileRequest& request = ShellFiles.Requests[0];
    EXPECT_EQ(TShellFileAction::Move, request.Action);
    EXPECT_EQ(std::vector<std::string>{"C:\\Data\\Photos\\*.*"}, request.From);
    EXPECT_EQ("D:\\Archive\\Photos", request.To);
    EXPECT_EQ(0u, request.Flags);
    EXPECT_EQ(dialog, request.Owner);
    EXPECT_EQ(std::vector<std::string>{"D:\\Archive\\Photos"}, Creator.Created);
    EXPECT_EQ(std::vector<std::string>{kSource}, ShellFiles.RemovedFolders);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(CleanUpMoveFolderBoxTest, SourceStaysWhenTheShellDidNotFinishYetTheDialogClosesWithOk) {
    for (TShellFileResult shellResult : {TShellFileResult::Cancelled, TShellFileResult::Failed}) {
        ShellFiles.Result = shellResult;
        EXPECT_EQ(IDOK, Run([](TCleanUpMoveFolderBox& box) { Press(box, IDC_MOVE_OK); }));
    }
    EXPECT_EQ(2u, ShellFiles.Requests.size());
    // Only the target made for the first run is taken away again, never the source.
    EXPECT_EQ(std::vector<std::string>{"D:\\Archive\\Photos"}, ShellFiles.RemovedFolders);
}

TEST_F(CleanUpMoveFolderBoxTest, CancelAndTheEntryPointReportWhetherOkClosedIt) {
    Runner.Script = [](TDialog& dialog) { Press(dialog, IDC_MOVE_CANCEL); };
    EXPECT_FALSE(RunMoveFolderBox(Services, Request, Main.Handle()));
    EXPECT_TRUE(ShellFiles.Requests.empty());
    Runner.Script = [](TDialog& dialog) { Press(dialog, IDC_MOVE_OK); };
    EXPECT_TRUE(RunMoveFolderBox(Services, Request, Main.Handle()));
    EXPECT_EQ(1u, ShellFiles.Requests.size());
    EXPECT_EQ(2, Runner.Runs);
}

TEST_F(CleanUpMoveFolderBoxTest, HelpOpensTheMoveFolderTopic) {
    Files.AddFile("C:\\Program\\help\\2100.htm", 100);
    Run([](TCleanUpMoveFolderBox& box) { Press(box, IDC_MOVE_HELP); });
    ASSERT_EQ(1u, ShellOpen.Opened.size());
    EXPECT_EQ("C:\\Program\\help\\2100.htm", ShellOpen.Opened[0].Target);
}

// --- The real shell, from T: to U: ----------------------------------------

const char kRealSource[] = "T:\\move-src";
const char kRealTargetFolder[] = "U:\\move-dst";  // another drive, as a move to smaller clusters is

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW entry = {};
    const HANDLE find = FindFirstFileW(Widen(path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Narrow(entry.cFileName);
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesW(Widen(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Widen(child).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(Widen(path).c_str());
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

int64_t SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(CleanUpMoveFolderBoxShellTest, MovesEveryFileHiddenOnesIncludedAndRemovesTheSource) {
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    RemoveTree(kRealSource);
    RemoveTree(kRealTargetFolder);
    ASSERT_TRUE(MakeFolder(kRealSource));
    ASSERT_TRUE(MakeFolder(std::string(kRealSource) + "\\sub"));
    ASSERT_TRUE(MakeFolder(std::string(kRealSource) + "\\sub\\deeper"));
    ASSERT_TRUE(MakeFolder(kRealTargetFolder));
    ASSERT_TRUE(MakeFile(std::string(kRealSource) + "\\a.txt", 1000));
    ASSERT_TRUE(MakeFile(std::string(kRealSource) + "\\hidden.dat", 2000, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeFile(std::string(kRealSource) + "\\sub\\b.txt", 3000));
    ASSERT_TRUE(MakeFile(std::string(kRealSource) + "\\sub\\deeper\\c.bin", 5000, FILE_ATTRIBUTE_HIDDEN));

    TFakeDriveEnumerator drives;
    drives.AddLetter('T');
    drives.AddLetter('U');
    TFakeDriveInfo driveInfo;
    TFakeRemovableDrives removable;
    TNamedShellInfo names;
    TWin32FileSystem files;
    TWin32CurrentDirectory directory;
    TWin32FolderCreator creator;
    TScriptedMessageBoxes boxes;
    TWin32ShellFileOperation shellFiles;
    TRecordingShellOpen shellOpen;
    TFixedLocale locale;
    TScriptedModalRunner runner;
    const std::string programPath = kProgram;
    const TMoveFolderServices services{drives,  driveInfo,  removable, names,  files,  directory,  boxes,
                                       creator, shellFiles, shellOpen, locale, runner, programPath};
    TMoveFolderRequest request;
    request.SourcePath = kRealSource;
    request.StartFolder = kRealTargetFolder;
    std::vector<std::string> questions;
    runner.Script = [&](TDialog& dialog) {
        EXPECT_EQ("U:\\move-dst\\move-src", ItemText(dialog, IDC_MOVE_TARGET));
        TShellBoxAnswerer answerer({IDYES, IDOK, IDCONTINUE}, dialog.Handle());
        Press(dialog, IDC_MOVE_OK);
        questions = answerer.Questions();
    };
    THostWindow main;
    EXPECT_TRUE(RunMoveFolderBox(services, request, main.Handle()));
    EXPECT_TRUE(boxes.Shown.empty());
    for (const std::string& question : questions) std::printf("shell asked: %s\n", question.c_str());

    const std::string moved = std::string(kRealTargetFolder) + "\\move-src";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, AttributesOf(kRealSource));
    EXPECT_EQ(1000, SizeOf(moved + "\\a.txt"));
    EXPECT_EQ(2000, SizeOf(moved + "\\hidden.dat"));
    EXPECT_TRUE(AttributesOf(moved + "\\hidden.dat") & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(3000, SizeOf(moved + "\\sub\\b.txt"));
    EXPECT_EQ(5000, SizeOf(moved + "\\sub\\deeper\\c.bin"));

    RemoveTree(kRealSource);
    RemoveTree(kRealTargetFolder);
    if (comReady) CoUninitialize();
}

}  // namespace
