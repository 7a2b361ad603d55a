#pragma once
#include <memory>
#include <string>

#include "main/MainFormHooks.h"
#include "scan/FolderTree.h"
#include "scan/Scanner.h"

class ICurrentDirectory;
class IDriveInfo;
class IFileSystem;
class IMessageBoxes;
class INameOrder;
class IShellInfo;
class TFolderTreeView;
class TMainForm;
struct TDriveRecInfo;

// What scanning reads and asks; all of it outlives the commands.
struct TScanServices {
    IFileSystem& FileSystem;
    IDriveInfo& DriveInfo;
    IShellInfo& ShellInfo;
    ICurrentDirectory& Directory;  // for the readiness check of a drive
    IMessageBoxes& MessageBoxes;
    const INameOrder& NameOrder;
};

// The main window's side of scanning: owns the folder tree and the scanner,
// mirrors the tree into the window's tree control and serves the scanner as
// its host. Made in two steps, because the window takes its hooks when it
// is constructed: FillHooks before, Attach once the window is created.
class TScanCommands : public IScanHost {
public:
    explicit TScanCommands(const TScanServices& services);
    ~TScanCommands() override;
    TScanCommands(const TScanCommands&) = delete;
    TScanCommands& operator=(const TScanCommands&) = delete;

    void FillHooks(TMainFormHooks& hooks);
    void Attach(TMainForm& form);

    TFolderTree& Tree() { return FolderTree; }
    TScanner& Scanner() { return TheScanner; }
    TFolderNode* SelectedNode() const;

    // Rescans the drive when it is in the tree, else scans it as a new drive.
    void ScanOrRescanDrive(const std::string& driveItem);
    // False when the user cancelled the readiness prompt.
    bool ScanNewDrive(const std::string& driveItem, TDriveRecInfo* driveRecord);
    void RescanDrives(const std::string& letters);
    // Takes the drive out of the tree and forgets its record.
    void RemoveDrive(char letter);
    void RemoveAllDrives();
    // Selects the parent of the current folder, collapsing the folder first.
    void LevelUp();

    // IScanHost
    void SetStatusText(int panel, const std::string& text) override;
    void ProcessMessages() override;
    void SetScanning(bool scanning) override;
    bool IsCurrentNode(const TFolderNode& node) override;
    void ShowCurrentPage() override;

private:
    void ResetView();
    void ReleaseDriveTree(TDriveRecInfo& record);
    void Reselect(TFolderNode& root, const std::string& path);

    TScanServices Services;
    TFolderTree FolderTree;
    TScanner TheScanner;
    TMainForm* Form = nullptr;
    std::unique_ptr<TFolderTreeView> View;
};
