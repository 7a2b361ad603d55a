#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "cleanup/FolderList.h"
#include "controls/win32/DriveItemDrawing.h"
#include "platform/win32/BoundWindow.h"

class IFileSystem;
class IShellInfo;

// The folder list of the Move Folder dialog over an owner-drawn list box of
// the dialog's template: the current folder's path from the root down,
// shown opened, then its subfolders, shown closed, each indented under its
// parent with the shell's small picture of it. A double click opens a folder.
// Its WM_DRAWITEM reaches it through the dialog's reflection.
class TFolderListBox : public TBoundWindow {
public:
    TFolderListBox(IFileSystem& fileSystem, IShellInfo& shell) : FileSystem(fileSystem), Shell(shell) {}

    // Takes over the list box (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS) and
    // sets its item height for the icons. The dialog owns the window.
    void Attach(HWND listBox);

    // Makes `folder` (a full path) the current folder and fills the list.
    void ShowFolder(const std::string& folder);
    // The current folder; "" until a folder was shown.
    const std::string& Folder() const { return CurrentFolder; }
    // The current folder's drive letter in upper case; 0 until a folder was shown.
    char DriveLetter() const;
    const std::vector<TFolderListItem>& Items() const { return Lines; }

    // The list box's LBN_DBLCLK: the selected line's folder becomes the
    // current one. True when the current folder changed.
    bool OpenSelected();

    // Paints a line; false when the message is for another control.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    IFileSystem& FileSystem;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    IShellInfo& Shell;
    TSmallIconSize SmallIcon;
    std::string CurrentFolder;
    std::vector<TFolderListItem> Lines;
    std::vector<int> IconIndexes;  // in the system's small image list, by line; -1 for none
};
