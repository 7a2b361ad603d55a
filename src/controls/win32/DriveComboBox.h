#pragma once
#include <windows.h>

#include <string>

#include "controls/win32/DriveItemDrawing.h"
#include "controls/win32/ShellDriveList.h"

class IDriveEnumerator;
class IShellInfo;

// A drop-down list of the logical drives, each drawn with the shell's small
// icon and display name. The list is filled when the window is created and
// again when its font changes (WM_SETFONT); it reflects the drives present
// then. Selecting changes nothing by itself: the parent hears CBN_SELCHANGE
// through WM_COMMAND as from any combo box.
//
// The items are drawn by this object, so the parent must hand its
// WM_DRAWITEM messages to DrawItem. Item heights are set directly, so
// WM_MEASUREITEM needs no forwarding.
class TShExDriveComboBox {
public:
    TShExDriveComboBox(IDriveEnumerator& drives, IShellInfo& shell);
    ~TShExDriveComboBox();
    TShExDriveComboBox(const TShExDriveComboBox&) = delete;
    TShExDriveComboBox& operator=(const TShExDriveComboBox&) = delete;

    // Creates the window as a child of `parent`, with the parent's font (the
    // default GUI font when it has none), and fills it; a window made before
    // is destroyed first, so creating again is how the list is recreated.
    // Throws std::runtime_error when the window cannot be created.
    void Create(HWND parent, int x, int y, int width, int id);
    // Null before Create and once the window is gone.
    HWND Handle() const { return Window; }

    // Fills the list anew from the drives present now. Nothing is selected
    // afterwards; the owner selects again with SelectLetter.
    void Refill();

    // The selected item's letter, or 0 when nothing is selected.
    char SelectedLetter() const;
    // The selected item's drive item text, or "" when nothing is selected.
    std::string SelectedItem() const;
    // Selects the first item with this letter (either case) and raises
    // CBN_SELCHANGE, even when no item has the letter and the selection
    // stays as it was. Does nothing when the letter is already selected.
    void SelectLetter(char letter);

    const TShellDriveList& Items() const { return Drives; }
    int ItemHeight() const { return Height; }

    // The parent's WM_DRAWITEM: paints the item and returns true when the
    // message is for this box, returns false for any other control.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    // Applies the item height for the present font and fills the list.
    void FontChanged();
    void UpdateItemHeight();
    void NotifySelectionChange();

    TShellDriveList Drives;
    TSmallIconSize SmallIcon;
    int Height = 0;
    HWND Window = nullptr;
};
