#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cleanup/MoveFolder.h"
#include "cleanup/win32/FolderListBox.h"
#include "controls/win32/Dialog.h"
#include "main/HelpTopics.h"
#include "controls/win32/DriveComboBox.h"
#include "controls/win32/ListView.h"
#include "platform/win32/GdiObjects.h"

class ICurrentDirectory;
class IDriveEnumerator;
class IDriveInfo;
class IFileSystem;
class IFolderCreator;
class ILocale;
class IMessageBoxes;
class IRemovableDrives;
class IShellFileOperation;
class IShellInfo;
class IShellOpen;

// What the Move Folder dialog works with; all of it outlives the dialog.
struct TMoveFolderServices {
    IDriveEnumerator& Drives;
    IDriveInfo& DriveInfo;
    IRemovableDrives& RemovableDrives;
    IShellInfo& ShellInfo;
    IFileSystem& FileSystem;
    ICurrentDirectory& CurrentDirectory;  // entered at a drive's root to see that it answers
    IMessageBoxes& MessageBoxes;
    IFolderCreator& FolderCreator;    // a missing target is made before the move
    IShellFileOperation& ShellFiles;  // the move itself
    IShellOpen& Shell;                // the help page
    const ILocale& Locale;
    IModalRunner& ModalRunner;
    const std::string& ProgramPath;  // the running executable, beside which the help lies
};

constexpr int kMoveFolderHelpContext = 2100;

// Shows the Move Folder dialog for one folder over `owner`. True when it
// closed with OK, that is once the shell was asked to move; the caller then
// sees from the disk whether the folder went, and learns where its contents
// went in `movedTo`.
bool RunMoveFolderBox(const TMoveFolderServices& services, const TMoveFolderRequest& request, HWND owner,
                      std::string* movedTo = nullptr);

// "Move Folder": the user picks where the current folder goes, helped by a
// list of the drives with smaller clusters and what moving there gains.
// OK checks the target, has the shell move the folder's contents and then
// removes the emptied folder; the dialog closes with OK once the shell ran,
// and stays open while the target is refused.
class TCleanUpMoveFolderBox : public TDialog {
public:
    TCleanUpMoveFolderBox(const TMoveFolderServices& services, TMoveFolderRequest request);

    const TFolderListBox& FolderList() const { return Folders; }
    const TShExDriveComboBox& DrivesBox() const { return Drives; }
    const std::vector<TGainRow>& GainRows() const { return Rows; }
    // Where the shell was asked to move the contents; empty until OK ran it.
    const std::string& MovedTarget() const { return MovedTo; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnDpiChanged(int dpi, LPARAM suggested) override;
    // Nothing moves while a check fails: the user is told why and can
    // correct the target. Once the shell ran, the dialog closes with OK
    // whatever it did.
    void OnOk() override;
    int HelpContext() const override { return kMoveFolderHelpContext; }

private:
    void FillTexts();
    void CreateDrivesBox();
    void CreateWastingList();
    void DrivesChange();
    void FoldersDoubleClick();
    void WastingChange(const NMLISTVIEW& change);
    void UpdateTarget();
    void TargetChange();
    // Where the list goes on a drive: where it was last on that drive in
    // this dialog, else the start folder on its own drive, else the root.
    std::string FolderOnDrive(char letter) const;

    const TMoveFolderServices& Services;
    THelpTopics Help;
    TMoveFolderRequest Request;
    std::string MovedTo;
    TFolderListBox Folders;
    TShExDriveComboBox Drives;
    std::unique_ptr<TListView> WastingList;
    int ListDpi = 96;                         // the resolution its columns were last sized for
    std::vector<TGainRow> Rows;               // the list's rows, in order
    std::map<char, std::string> LastFolders;  // by upper-case drive letter
    TFont BoldFont;
    bool RevertingDrive = false;
};
