#pragma once
#include <windows.h>

#include <string>

#include "controls/win32/Dialog.h"
#include "controls/win32/DriveCheckListBox.h"
#include "controls/win32/Fonts.h"
#include "platform/win32/GdiObjects.h"

class IDriveEnumerator;
class IDriveInfo;
class IShellInfo;

// "Scan Drives": the user ticks the drives to scan. It comes up with the
// program's own drive ticked and selected, centred over its owner (the main
// window). Afterwards the caller reads Confirmed and the ticked items of
// TheDrivesBox, which outlive the dialog's window.
class TDrivesSelectBox : public TDialog {
public:
    // `programPath` is the running executable's path; its first character
    // names the drive ticked at first.
    TDrivesSelectBox(IDriveEnumerator& drives, IShellInfo& shell, IDriveInfo& driveInfo, std::string programPath);

    // True only when the dialog was closed with "&Scan".
    bool Confirmed() const { return IsConfirmed; }
    const TShExDriveCheckListBox& TheDrivesBox() const { return DrivesBox; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    // Scan carries IDOK, so that Enter scans the ticked drives.
    void OnOk() override;
    // Scales its fonts made in code with everything else.
    bool OnDpiChanged(int dpi, LPARAM suggested) override;

private:
    void SetLabelFonts();
    void CreateDrivesBox();
    void CheckProgramDrive();
    // "Select &all" and "&Deselect all" share this action.
    void SelectAllClick();
    void DeselectAllClick();
    void FixedClick();

    IDriveInfo& DriveInfo;
    std::string ProgramPath;
    TShExDriveCheckListBox DrivesBox;
    TDialogFont DialogFont;
    int Dpi = 96;
    TFont LabelFont;
    bool IsConfirmed = false;
};
