#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/PixelScale.h"
#include "controls/win32/DriveListControl.h"

// A list of the logical drives, each with a check box before it. A click
// on an item's check box or the space bar toggles its check. The items and
// their checks outlive the window, so a dialog's caller can read them after
// the dialog has closed.
class TShExDriveCheckListBox : public TDriveListControl {
public:
    TShExDriveCheckListBox(IDriveEnumerator& drives, IShellInfo& shell);

    // Creates the window as a child of `parent`, with the parent's font (the
    // default GUI font when it has none), and fills it; a window made before
    // is destroyed first, so creating again is how the list is recreated.
    // Throws std::runtime_error when the window cannot be created.
    void Create(HWND parent, int x, int y, int width, int height, int id);

    // Fills the list anew from the drives present now, every item unchecked
    // and none selected.
    void Refill();

    int Count() const { return Drives.Count(); }
    // The drive item text; "" outside the list.
    std::string ItemText(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    void SetAllChecked(bool checked);
    // -1 when nothing is selected or the window is gone.
    int SelectedIndex() const;
    void SetSelectedIndex(int index);
    // The first item with this letter (either case); -1 when none.
    int IndexOfLetter(char letter) const;

    // The checked items' letters in list order: "CD" for C and D.
    std::string CheckedLetters() const;
    // The checked items' drive item texts in list order.
    std::vector<std::string> CheckedItems() const;

private:
    void FontChanged() override;
    void PaintItem(const DRAWITEMSTRUCT& item) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void UpdateItemHeight();
    void ToggleAt(int x, int y);
    void Toggle(int index);
    void RepaintItem(int index);
    int CheckAreaWidth() const;

    std::vector<bool> Checks;
    TPixelScale Scale;  // the list's resolution, for the check boxes
};
