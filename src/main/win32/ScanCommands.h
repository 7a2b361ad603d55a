#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/MainFormParts.h"
#include "main/StatusThrottle.h"
#include "main/win32/PageHost.h"
#include "main/win32/FolderTreeView.h"
#include "pie/CurrentPieItem.h"
#include "scan/DriveRecords.h"
#include "scan/FolderTree.h"
#include "scan/ScanProgress.h"
#include "scan/Scanner.h"

class ICurrentDirectory;
class IDriveInfo;
class IFileSystem;
class IFolderBrowseDialog;
class ILocale;
class IMessageBoxes;
class INameOrder;
class IShellInfo;
class TMainForm;
class TSectionSizeBox;
struct TDriveRecInfo;

// Shows the shell's context menu of a path at a screen point and waits
// until it closes; false when there was none.
using TShowContextMenu = std::function<bool(const std::string& path, HWND owner, POINT screenPoint)>;

// What scanning reads and asks; all of it outlives the commands.
struct TScanServices {
    IFileSystem& FileSystem;
    IDriveInfo& DriveInfo;
    IShellInfo& ShellInfo;
    ICurrentDirectory& Directory;  // for the readiness check of a drive
    IMessageBoxes& MessageBoxes;
    const INameOrder& NameOrder;
    const ILocale& Locale;
    IFolderBrowseDialog& FolderBrowser;
    TShowContextMenu ShowContextMenu;
    std::vector<std::string> Arguments;  // the command line, without the program
    std::function<uint64_t()> Clock;     // milliseconds; the system's tick count when empty
};

// The real services, with the boxes that report (the program's own, or a
// command line job's that only collects the texts), the shell's context
// menu (none for a job) and the command line's paths.
struct TSystemServices;
TScanServices SystemScanServices(TSystemServices& system, IMessageBoxes& boxes, TShowContextMenu showContextMenu,
                                 std::vector<std::string> arguments);

// The main window's side of scanning: owns the folder tree and the scanner,
// mirrors the tree into the window's tree control, keeps the current node
// and drive up to date as the selection moves, and serves the scanner as
// its host. Made in two steps, because the window takes its parts when it
// is constructed: this object before, Attach once the window is created.
class TScanCommands : public IScanActions,
                      public IScanHost,
                      public IFolderNavigator,
                      private IFolderTreeEvents,
                      private ITreeObserver {
public:
    explicit TScanCommands(const TScanServices& services);
    ~TScanCommands() override;
    TScanCommands(const TScanCommands&) = delete;
    TScanCommands& operator=(const TScanCommands&) = delete;

    void Attach(TMainForm& form);
    // The floating window told about the current drive and folder; may be none.
    void SetSectionSizeBox(TSectionSizeBox* box) { SectionBox = box; }
    // Told how far every scan has come, for a display besides the status bar.
    void SetProgress(TScanProgress progress) { Counter = TScanCounter(std::move(progress)); }

    TFolderTree& Tree() { return FolderTree; }
    TDriveList& DriveRecords() { return ScannedDriveRecords; }
    const TDriveList& DriveRecords() const override { return ScannedDriveRecords; }
    TScanner& Scanner() { return TheScanner; }
    TFolderNode* SelectedNode() const override;
    // True while a drive scan or folder rescan runs. Nothing may start,
    // rescan or remove a scan then, whoever asks.
    bool ScanRunning() const;

    // Rescans the drive when it is in the tree, else scans it as a new drive.
    void ScanOrRescanDrive(const std::string& driveItem) override;
    // False when the user cancelled the readiness prompt, or a scan runs.
    bool ScanNewDrive(const std::string& driveItem, TDriveRecInfo* driveRecord);
    void RescanDrives(const std::string& letters);
    void RescanCurrentFolder() override;
    void RescanCurrentDrive() override;
    void RescanAllDrives() override;
    // Takes the drive out of the tree and forgets its record.
    void RemoveDrive(char letter);
    void RemoveCurrentDrive() override;
    void RemoveAllDrives() override;
    // Selects the parent of the current folder, collapsing the folder first.
    void LevelUp() override;
    // Asks for a folder and selects it, scanning its drive when needed.
    void SelectFolder() override;
    // True when the path has the form "X:\..." and its drive is in the tree
    // (scanned now if it was not), whether or not the folder was found.
    bool SelectFolderByPath(const std::string& path) override;
    void AutoScanDrives(const std::string& letters) override;
    void ScanCommandLine() override;
    // The shell's menu for a folder or file at (x, y) of `control`'s client
    // area; takes out of the tree what the menu's command removed.
    void ShowNodeContextMenu(const TCurrentPieItem& item, int x, int y, HWND control) override;

    // IFolderNavigator
    void SelectNode(TFolderNode& node) override;
    void ExpandNode(TFolderNode& node) override;
    void CollapseSubtree(TFolderNode& node) override;
    void ShowPathContextMenu(const std::string& path, POINT screenPoint) override;
    bool RemoveIfVanished(TFolderNode& node) override;
    bool CheckDriveReady(const TFolderNode& node) override;
    void RescanNearest(const std::string& path) override;

    // IScanHost
    void SetStatusText(int panel, const std::string& text) override;
    void ProcessMessages() override;
    void ListingProgress() override;
    void FolderFinished(TFolderNode& node) override;
    void SetScanning(bool scanning) override;
    bool IsCurrentNode(const TFolderNode& node) override;
    void ShowCurrentPage() override;

private:
    // IFolderTreeEvents
    bool SelectionChanging(TFolderNode* node) override;
    void SelectionChanged(TFolderNode* node) override;
    void ContextMenuWanted(POINT clientPoint) override;

    // ITreeObserver: the tree view mirrors the tree, and whatever is about
    // to be freed leaves the pages and the window's state first.
    void NodeAdded(TFolderNode& node) override;
    void ChildrenSorted(TFolderNode& parent) override;
    void NodeDeleting(TFolderNode& node) override;
    void NodeDeleted() override;

    void SwitchDrive(char letter);
    void RescanNode(TFolderNode& node);
    // The scanned folder at the path, exactly; none when it is not in the tree.
    TFolderNode* NodeAt(const std::string& path);
    void RemoveAndSelectParent(TFolderNode& gone);
    void ScanCheckedDrive(const std::string& driveItem, TDriveRecInfo* driveRecord);
    bool DriveAccessible(char letter);
    uint64_t Now() const;
    bool InsideRunningScan(const TFolderNode& node) const;
    void ResetView();
    void ReleaseDriveTree(TDriveRecInfo& record);
    std::string DriveItemOf(char letter);

    TScanServices Services;
    TFolderTree FolderTree;
    TDriveList ScannedDriveRecords;  // kept until exit, a drive's record reused by its rescans
    TScanner TheScanner;
    TMainForm* Form = nullptr;
    TSectionSizeBox* SectionBox = nullptr;
    std::unique_ptr<TFolderTreeView> View;
    TStatusThrottle FolderNameThrottle{100};
    TScanCounter Counter;
};
