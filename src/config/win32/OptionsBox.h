#pragma once
#include <windows.h>

#include <string>

#include "config/Options.h"
#include "config/OptionsRules.h"
#include "config/win32/OptionsBoxColorPanel.h"
#include "config/win32/OptionsBoxColorPicker.h"
#include "controls/win32/Dialog.h"
#include "main/HelpTopics.h"
#include "controls/win32/DriveCheckListBox.h"

class IDriveEnumerator;
class IFileSystem;
class ILocale;
class IMessageBoxes;
class IRegistry;
class IShellInfo;
class IShellOpen;

// What the Options dialog works with; all of it outlives the dialog.
struct TOptionsServices {
    IRegistry& Registry;  // the Explorer entry
    IMessageBoxes& MessageBoxes;
    IShellOpen& Shell;         // the help page
    IFileSystem& FileSystem;   // whether the help page is there
    IDriveEnumerator& Drives;  // the start-up drive list
    IShellInfo& ShellInfo;
    const ILocale& Locale;  // the decimal separator of the thresholds
    IColorPicker& ColorPicker;
    IModalRunner& ModalRunner;
    const std::string& ProgramPath;  // the running executable: its drive, the Explorer command, the help
    TProgramOptions& Options;        // what the dialog shows and, once confirmed, changes
};

constexpr int kOptionsHelpContext = 4030;

// Shows the Options dialog over `owner`. True when the user confirmed it,
// that is once its changes went into the option store; the caller then
// applies them to its views.
bool RunOptionsBox(const TOptionsServices& services, HWND owner);

// "Options": colours, preferences, pie thresholds, start-up drives and the
// Explorer entry. The dialog edits its own copy of the colour table; OK
// checks the three thresholds first and, only when all are valid, stores
// everything into the option store and writes or removes the Explorer
// entry. A rejected threshold or a failed registry write keeps it open.
class TOptionsBox : public TDialog {
public:
    explicit TOptionsBox(const TOptionsServices& services);

    // Set once OK has stored the changes, even if the dialog stayed open
    // afterwards because the Explorer entry could not be written.
    bool Confirmed() const { return IsConfirmed; }
    const TColorTable& DialogColors() const { return ColorTable; }
    const TColorPanel& TheColorButton() const { return ColorButton; }
    const TShExDriveCheckListBox& TheDrivesBox() const { return DrivesBox; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    // All three thresholds are checked before anything is stored, so a
    // rejected one leaves every option as it was.
    void OnOk() override;
    int HelpContext() const override { return kOptionsHelpContext; }

private:
    void FillColors();
    void CreateColorButton();
    void CreateDrivesBox();
    void FillChoice();
    void MarkDrives(const std::string& drivesToScan);
    int SelectedColor() const;
    void ShowSelectedColor();
    void PickColor();
    void DefaultColorsClick();
    void ShowThresholds(const TThresholdAngles& angles);
    void DefaultValuesClick();

    const TOptionsServices& Services;
    THelpTopics Help;
    TColorTable ColorTable;
    TColorPanel ColorButton;
    TShExDriveCheckListBox DrivesBox;
    bool IsConfirmed = false;
};
