#pragma once
#include <windows.h>

#include <string>

#include "controls/win32/DriveListControl.h"

// A drop-down list of the logical drives; it reflects the drives present
// when it was last filled. Selecting changes nothing by itself: the parent
// hears CBN_SELCHANGE through WM_COMMAND as from any combo box.
class TShExDriveComboBox : public TDriveListControl {
public:
    TShExDriveComboBox(IDriveEnumerator& drives, IShellInfo& shell);

    // Creates the window as a child of `parent`, with the parent's font (the
    // default GUI font when it has none), and fills it; a window made before
    // is destroyed first, so creating again is how the list is recreated.
    // Throws std::runtime_error when the window cannot be created.
    void Create(HWND parent, int x, int y, int width, int id);

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

private:
    // Applies the item height for the present font and fills the list.
    void FontChanged() override;
    void PaintItem(const DRAWITEMSTRUCT& item) const override;
    void UpdateItemHeight();
    void NotifySelectionChange();
};
