#pragma once
#include <windows.h>

#include "controls/win32/DriveItemDrawing.h"
#include "controls/win32/ShellDriveList.h"
#include "platform/win32/BoundWindow.h"

class IDriveEnumerator;
class IShellInfo;

// What the drive box and the drive list share: a control of a system class
// (combo box or list box) whose items are the logical drives, drawn by this
// object with the shell's small icon and display name. The control is
// filled when it is created and again when its font changes (WM_SETFONT).
// Its WM_DRAWITEM reaches it through its parent's reflection; item heights
// are set directly, so WM_MEASUREITEM needs nothing.
class TDriveListControl : public TBoundWindow {
public:
    const TShellDriveList& Items() const { return Drives; }
    int ItemHeight() const { return Height; }

    // Paints the item and returns true when the message is for this
    // control; false for any other.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

protected:
    TDriveListControl(IDriveEnumerator& drives, IShellInfo& shell, UINT ownerDrawType);

    // Creates the control as a child of `parent`, with the parent's font
    // (the default GUI font when it has none), and fills it; a control made
    // before is destroyed first. Throws std::runtime_error naming `what`.
    void CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width, int height,
                       HWND parent, int id, const char* what);

    // The list is to be filled anew for the control's present font.
    virtual void FontChanged() = 0;
    virtual void PaintItem(const DRAWITEMSTRUCT& item) const = 0;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    TShellDriveList Drives;
    TSmallIconSize SmallIcon;
    int Height = 0;

private:
    UINT OwnerDrawType;
};
