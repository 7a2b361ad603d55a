#pragma once
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DrivePickerTestSupport.h"
#include "ScriptedModalRunner.h"
#include "controls/win32/SaveDialog.h"
#include "platform/memory/ScriptedShellFileOperation.h"
#include "main/MainCommands.h"
#include "main/MainFormParts.h"
#include "config/Options.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/OrdinalTextCompare.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/WideString.h"

// Answers the Save As dialog with a chosen path, or cancels when it is
// empty, and keeps what it was asked.
class TScriptedSaveDialog : public ISaveFileDialog {
public:
    std::wstring Answer;
    int Shown = 0;
    std::wstring Title, Filter, DefaultExtension, Offered;
    DWORD Flags = 0;

    bool Ask(OPENFILENAMEW& request) override {
        ++Shown;
        Title = request.lpstrTitle ? request.lpstrTitle : L"";
        for (const wchar_t* part = request.lpstrFilter; part && *part; part += wcslen(part) + 1)
            Filter += std::wstring(part) + L"|";
        DefaultExtension = request.lpstrDefExt ? request.lpstrDefExt : L"";
        Offered = request.lpstrFile;
        Flags = request.Flags;
        if (Answer.empty() || Answer.size() >= request.nMaxFile) return false;
        wcscpy(request.lpstrFile, Answer.c_str());
        return true;
    }
};

// Stand-ins for the parts the window hands its commands to: each notes
// what it was asked, in order.
class TFakeScanActions : public IScanActions {
public:
    TFolderNode* Selected = nullptr;
    bool OpenAnswer = true;          // what SelectFolderByPath answers
    std::vector<std::string> Calls;  // "scan <item>", "open <path>", "auto <letters>", or the command's name
    std::function<void(const std::string& call)> OnCall;  // what a call does besides being noted

    TFolderNode* SelectedNode() const override { return Selected; }
    void ScanOrRescanDrive(const std::string& driveItem) override { Note("scan " + driveItem); }
    void RescanCurrentFolder() override { Note("rescan folder"); }
    void RescanCurrentDrive() override { Note("rescan drive"); }
    void RescanAllDrives() override { Note("rescan all"); }
    void RemoveCurrentDrive() override { Note("remove drive"); }
    void RemoveAllDrives() override { Note("remove all"); }
    void SelectFolder() override { Note("select folder"); }
    void LevelUp() override { Note("level up"); }
    bool SelectFolderByPath(const std::string& path) override {
        Note("open " + path);
        return OpenAnswer;
    }
    void AutoScanDrives(const std::string& letters) override { Note("auto " + letters); }
    void ScanCommandLine() override { Note("command line"); }

private:
    void Note(const std::string& call) {
        Calls.push_back(call);
        if (OnCall) OnCall(call);
    }
};

class TFakeProgramDialogs : public IProgramDialogs {
public:
    std::vector<std::string> Shown;    // "restore", "options", "letter", "letter with Esc", "about"
    std::function<void()> OptionsRun;  // what Options does besides noting it

    void RestoreCompressedFolders() override { Shown.push_back("restore"); }
    void Options() override {
        Shown.push_back("options");
        if (OptionsRun) OptionsRun();
    }
    void ShowIntroLetter(bool keyPreview) override { Shown.push_back(keyPreview ? "letter with Esc" : "letter"); }
    void ShowAbout() override { Shown.push_back("about"); }
};

class TFakeSectionSizeWindow : public ISectionSizeWindowSwitch {
public:
    std::vector<std::string> Told;  // "window on", "window off", "hidden"

    void SectionSizeWindowToggled(bool shown) override { Told.push_back(shown ? "window on" : "window off"); }
    void HideSectionSizeWindow() override { Told.push_back("hidden"); }
};

// The main window with every service replaced by a test double. Messages
// go through the window's own preview, as in the program's message loop.
class TMainFormFixture {
public:
    TMainFormFixture() {
        Drives.AddLetter('C');
        Drives.AddLetter('D');
        Shell.Names['C'] = "Local Disk (C:)";
        Shell.Names['D'] = "Data (D:)";
        DriveInfo.AddDrive("C:\\");
        DriveInfo.AddDrive("D:\\");
    }
    ~TMainFormFixture() { Close(); }

    // Creates and shows the window and lets the deferred start-up run.
    void Start(bool show = true) {
        Form = std::make_unique<TMainForm>(
            TMainFormServices{Registry, Boxes, Runner, Launcher, *FileSystem, Drives, Shell, DriveInfo, Locale,
                              TextCompare, SaveDialog, *ShellOperation, "C:\\Apps\\Quarrymap.exe", Options},
            Parts);
        Created = Form->Create();
        if (Created && show) Form->Show(SW_SHOWNORMAL);
        Pump();
    }

    void Close() {
        Form.reset();
        Pump();
    }

    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (Form && Form->PreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    HWND Window() const { return Form->Handle(); }

    HWND Control(int id) const {
        TSearch search = {id, nullptr};
        EnumChildWindows(Window(), &TMainFormFixture::MatchId, LPARAM(&search));
        return search.Found;
    }

    void Command(int id) {
        SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }

    // The menu entry with that id anywhere in the menu bar.
    MENUITEMINFOW MenuItem(int id, std::wstring* text = nullptr) const { return FindItem(GetMenu(Window()), id, text); }
    bool MenuEnabled(int id) const { return !(MenuItem(id).fState & MFS_DISABLED); }
    bool MenuChecked(int id) const { return (MenuItem(id).fState & MFS_CHECKED) != 0; }
    HMENU Popup(int id) const { return MenuItem(id).hSubMenu; }

    std::wstring StatusText(int panel, bool* bevel = nullptr) const {
        const LRESULT info = SendMessageW(Control(idStatusBar), SB_GETTEXTLENGTHW, WPARAM(panel), 0);
        if (bevel) *bevel = !(HIWORD(info) & SBT_NOBORDERS);
        std::wstring text(LOWORD(info) + 1, L'\0');
        SendMessageW(Control(idStatusBar), SB_GETTEXTW, WPARAM(panel), LPARAM(text.data()));
        text.resize(LOWORD(info));
        return text;
    }

    std::vector<int> StatusRightEdges() const {
        int edges[4] = {};
        const int count = int(SendMessageW(Control(idStatusBar), SB_GETPARTS, 4, LPARAM(edges)));
        return std::vector<int>(edges, edges + count);
    }

    std::vector<std::wstring> TabCaptions() const {
        std::vector<std::wstring> captions;
        HWND tabs = Control(idPages);
        const int count = int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            wchar_t buffer[100] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = buffer;
            item.cchTextMax = 100;
            SendMessageW(tabs, TCM_GETITEMW, WPARAM(index), LPARAM(&item));
            captions.push_back(buffer);
        }
        return captions;
    }

    std::wstring SelectedTabCaption() const {
        const int selected = int(SendMessageW(Control(idPages), TCM_GETCURSEL, 0, 0));
        const auto captions = TabCaptions();
        return selected >= 0 && selected < int(captions.size()) ? captions[size_t(selected)] : L"";
    }

    // A user's click on a tab: the control selects it and tells its parent.
    void ClickTab(int index) {
        HWND tabs = Control(idPages);
        SendMessageW(tabs, TCM_SETCURSEL, WPARAM(index), 0);
        NMHDR header = {tabs, UINT_PTR(idPages), UINT(TCN_SELCHANGE)};
        SendMessageW(GetParent(tabs), WM_NOTIFY, WPARAM(idPages), LPARAM(&header));
        Pump();
    }

    static std::wstring Text(HWND window) {
        std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
        GetWindowTextW(window, text.data(), int(text.size()));
        text.resize(text.size() - 1);
        return text;
    }

    static RECT Bounds(HWND window, HWND relativeTo) {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    TMemoryRegistry Registry;
    TProgramOptions Options;  // loaded from Registry by Start, as the program does
    TScriptedMessageBoxes Boxes;
    TScriptedModalRunner Runner;
    TRecordingShellOpen Launcher;
    TMemoryFileSystem Files;
    IFileSystem* FileSystem = &Files;  // a test may give the real one
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Shell;
    TFakeDriveInfo DriveInfo;
    TFixedLocale Locale;
    TOrdinalTextCompare TextCompare;
    TScriptedSaveDialog SaveDialog;
    TScriptedShellFileOperation ShellFiles;
    IShellFileOperation* ShellOperation = &ShellFiles;  // a test may give the real one
    // Unconnected until a test connects them, as their commands stay disabled then.
    TFakeScanActions ScanFake;
    TFakeProgramDialogs DialogsFake;
    TFakeSectionSizeWindow SectionWindowFake;
    TMainFormParts Parts;
    std::unique_ptr<TMainForm> Form;
    bool Created = false;

private:
    struct TSearch {
        int Id;
        HWND Found;
    };

    static BOOL CALLBACK MatchId(HWND child, LPARAM context) {
        auto* wanted = reinterpret_cast<TSearch*>(context);
        if (GetDlgCtrlID(child) != wanted->Id) return TRUE;
        wanted->Found = child;
        return FALSE;
    }

    static MENUITEMINFOW FindItem(HMENU menu, int id, std::wstring* text) {
        const int count = GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
            wchar_t buffer[200] = {};
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
            info.dwTypeData = buffer;
            info.cch = 200;
            GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
            if (int(info.wID) == id && !(info.fType & MFT_SEPARATOR)) {
                if (text) *text = buffer;
                return info;
            }
            if (info.hSubMenu) {
                MENUITEMINFOW inner = FindItem(info.hSubMenu, id, text);
                if (inner.cbSize) return inner;
            }
        }
        return MENUITEMINFOW{};
    }
};

// What the shell hands a window when files are dropped on it; the window
// releases it.
inline HGLOBAL BuildDrop(const std::vector<std::wstring>& paths) {
    size_t characters = 1;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& path : paths) {
        std::copy(path.begin(), path.end(), text);
        text += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

// Sets or clears the keys the window looks at while it previews key strokes.
class TKeyboardState {
public:
    TKeyboardState(bool ctrl, bool shift) {
        GetKeyboardState(Saved);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_LCONTROL] = state[VK_CONTROL];
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_MENU] = 0;
        SetKeyboardState(state);
    }
    ~TKeyboardState() { SetKeyboardState(Saved); }

private:
    BYTE Saved[256];
};
