#pragma once
// The archive dialog driven through its messages, with the real ZIP
// libraries, profile functions and files on drive T: (prepared by
// scripts/test): the folder it archives, the helpers that press its
// buttons and read its controls, and a host window to own it.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

#include "../res/CompressFolderIds.h"
#include "CompressFolderWorld.h"
#include "ProgramRun.h"
#include "ZipTreeSupport.h"
#include "config/Options.h"
#include "platform/win32/WindowText.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"

const char kRoot[] = "T:\\archive-tests";
const char kFolder[] = "T:\\archive-tests\\Src\\Project";
const char kBin[] = "T:\\Archives Bin";
const char kIndex[] = "T:\\Archives Bin\\archives.ini";

inline void Press(TDialog& dialog, int id) {
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog.Handle(), id)));
}
inline std::string ItemText(const TDialog& dialog, int id) { return WindowTextOf(GetDlgItem(dialog.Handle(), id)); }
inline void SetItemText(TDialog& dialog, int id, const std::string& text) {
    SetWindowTextOf(GetDlgItem(dialog.Handle(), id), text);
}
inline bool Enabled(const TDialog& dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog.Handle(), id)) != FALSE; }
// The dialog itself is never shown to the screen here: the control's own style says.
inline bool Visible(const TDialog& dialog, int id) {
    return (GetWindowLongW(GetDlgItem(dialog.Handle(), id), GWL_STYLE) & WS_VISIBLE) != 0;
}
inline bool IsChecked(const TDialog& dialog, int id) {
    return SendMessageW(GetDlgItem(dialog.Handle(), id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void Check(TDialog& dialog, int id, bool on) {
    SendMessageW(GetDlgItem(dialog.Handle(), id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
inline std::vector<std::string> TabCaptions(const TDialog& dialog) {
    const HWND tabs = GetDlgItem(dialog.Handle(), IDC_CF_TABS);
    std::vector<std::string> captions;
    const int count = int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, WPARAM(i), LPARAM(&item));
        captions.push_back(Narrow(text));
    }
    return captions;
}
inline void SelectRow(const TCleanUpCompressFolderBox& box, int row) {
    ListView_SetItemState(box.ArchiveList()->Handle(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

inline std::string TextBytes(size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "Line " + std::to_string(line) + " of a folder to archive.\r\n";
    text.resize(size);
    return text;
}

// build\<tree>\tests\qmwintests.exe -> build\<tree>\src\Quarrymap.exe, beside which the libraries lie.
inline std::string ProgramBesideLibraries() { return Narrow(ProgramUnderTest()); }

class CompressFolderBoxTest : public ::testing::Test, protected TCompressFolderWorld {
protected:
    CompressFolderBoxTest() {
        ProgramPath = ProgramBesideLibraries();
        IsDriveScanned = [this](char letter) { return ScannedDrives.find(letter) != std::string::npos; };
    }

    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        GetCurrentDirectoryW(MAX_PATH, SavedFolder);
        RemoveTree(kRoot);
        RemoveTree(kBin);
        Ready = CreateDirectoryW(Widen(kRoot).c_str(), nullptr) != FALSE;
        ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test";
        Drives.AddLetter('C');
        Drives.AddLetter('T');
        Names.Names['C'] = "System (C:)";
        Names.Names['T'] = "Tests (T:)";
        // The dialog starts on the process's current drive.
        SetCurrentDirectoryW(Widen(kRoot).c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryW(SavedFolder);
        RemoveTree(kRoot);
        RemoveTree(kBin);
        if (ComReady) CoUninitialize();
    }

    // T:\archive-tests\Src\Project: text, an empty file, a hidden file, a
    // non-ASCII name, a subfolder and an empty folder.
    void MakeProject() {
        const std::string p = kFolder;
        ASSERT_TRUE(CreateDirectoryW(L"T:\\archive-tests\\Src", nullptr));
        ASSERT_TRUE(CreateDirectoryW(Widen(p).c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(p + "\\notes.txt", TextBytes(300000)));
        ASSERT_TRUE(WriteBytes(p + "\\empty.dat", ""));
        ASSERT_TRUE(WriteBytes(p + "\\hidden.cfg", "secret=1", FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(WriteBytes(p + "\\R\xC3\xA9sum\xC3\xA9.txt", "unicode"));
        ASSERT_TRUE(CreateDirectoryW(Widen(p + "\\Sub").c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(p + "\\Sub\\more.txt", TextBytes(70000)));
        ASSERT_TRUE(CreateDirectoryW(Widen(p + "\\Empty folder").c_str(), nullptr));
    }

    TCompressFolderRequest Request() const {
        TCompressFolderRequest request;
        request.FolderPath = kFolder;
        request.FolderSize = 300000 + 8 + 7 + 70000;
        request.DiskUsage = 1000000;
        return request;
    }

    // Runs a dialog over the host window with `script` acting on it.
    void Run(const TCompressFolderRequest& request, const std::function<void(TCleanUpCompressFolderBox&)>& script) {
        TCleanUpCompressFolderBox box(Services, request);
        Runner.Script = [&](TDialog&) {
            ASSERT_NE(nullptr, box.Handle());
            script(box);
        };
        Runner.Run(box, Main.Handle());
    }

    // Archives the project with the given check boxes, leaving the dialog
    // on its results; returns the archive's path ("" when none was made).
    std::string Archive(bool move, const std::string& description = "") {
        std::string archive;
        Run(Request(), [&](TCleanUpCompressFolderBox& box) {
            Check(box, IDC_CF_SUBFOLDERS, true);
            Check(box, IDC_CF_HIDDEN, true);
            Check(box, IDC_CF_DELETE_AFTER, move);
            Check(box, IDC_CF_PASSWORD, false);
            if (!description.empty()) SetItemText(box, IDC_CF_DESCRIPTION, description);
            Press(box, IDC_CF_COMPRESS);
            if (box.Handle()) archive = box.Zip().ZipFilename();
        });
        return archive;
    }

    std::vector<std::string> IndexKeys(const char* section) { return Profiles.KeyNames(kIndex, section); }

    bool ComReady = false;
    bool Ready = false;
    WCHAR SavedFolder[MAX_PATH] = {};
    std::string ScannedDrives = "T";
    THostWindow Main{200, 150, 800, 600};
};
