#include "main/win32/ScanCommands.h"

#include "main/win32/SystemServices.h"

#include "controls/win32/WaitCursor.h"

#include <windows.h>

#include <commctrl.h>

#include "cleanup/DriveAccess.h"
#include "controls/DriveItems.h"
#include "main/MainCommands.h"
#include "main/win32/FolderTreeView.h"
#include "main/win32/MainForm.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/WideString.h"
#include "main/DriveStatus.h"
#include "platform/ShellInfo.h"
#include "scan/DriveRecords.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"

TScanCommands::TScanCommands(const TScanServices& services)
    : Services(services),
      TheScanner(FolderTree, services.FileSystem, services.DriveInfo, ScannedDriveRecords, *this, services.NameOrder) {}

TScanCommands::~TScanCommands() { FolderTree.SetObserver(nullptr); }

void TScanCommands::RescanCurrentDrive() {
    if (Form && Form->State().CurrentDrive) RescanDrives(std::string(1, Form->State().CurrentDrive));
}

void TScanCommands::RescanAllDrives() {
    if (Form) RescanDrives(Form->State().ScannedDrives.Letters());
}

void TScanCommands::RemoveCurrentDrive() {
    if (Form) RemoveDrive(Form->State().CurrentDrive);
}

void TScanCommands::Attach(TMainForm& form) {
    Form = &form;
    View =
        std::make_unique<TFolderTreeView>(form.FolderTree(), Services.ShellInfo, static_cast<IFolderTreeEvents*>(this));
    form.SetNavigator(this);
    FolderTree.SetObserver(this);
}

void TScanCommands::NodeAdded(TFolderNode& node) {
    if (View) View->NodeAdded(node);
}

void TScanCommands::ChildrenSorted(TFolderNode& parent) {
    if (View) View->ChildrenSorted(parent);
}

void TScanCommands::NodeDeleting(TFolderNode& node) {
    if (Form) Form->NodesGoing(node);
    if (View) View->NodeDeleting(node);
}

void TScanCommands::NodeDeleted() {
    if (View) View->NodeDeleted();
}

TFolderNode* TScanCommands::SelectedNode() const { return View ? View->SelectedNode() : nullptr; }

bool TScanCommands::ScanRunning() const { return (Form && Form->State().Scanning) || TheScanner.Busy(); }

bool TScanCommands::DriveAccessible(char letter) {
    return CheckDriveAccessible(letter, Services.Directory, Services.MessageBoxes);
}

// Every scan command refuses to run inside a scan and then starts with no
// abort pending: a request left over from an earlier scan must not stop
// this one before its first drive.

void TScanCommands::ScanOrRescanDrive(const std::string& driveItem) {
    if (!Form || driveItem.empty() || ScanRunning()) return;
    AbortScan = false;
    const char letter = UpperDriveLetter(driveItem[0]);
    if (Form->State().ScannedDrives.Contains(letter))
        RescanDrives(std::string(1, letter));
    else
        ScanNewDrive(driveItem, nullptr);
}

bool TScanCommands::ScanNewDrive(const std::string& driveItem, TDriveRecInfo* driveRecord) {
    if (!Form || driveItem.empty() || ScanRunning()) return false;
    if (!DriveAccessible(UpperDriveLetter(driveItem[0]))) return false;
    ScanCheckedDrive(driveItem, driveRecord);
    return true;
}

// Scans a drive whose root was just entered as a new root of the tree.
void TScanCommands::ScanCheckedDrive(const std::string& driveItem, TDriveRecInfo* driveRecord) {
    // Drive letters are compared exactly, so the tree only ever holds upper case.
    std::string item = driveItem;
    item[0] = UpperDriveLetter(item[0]);
    const char letter = item[0];

    Form->State().ScannedDrives.Append(letter);
    if (!driveRecord) driveRecord = ScannedDriveRecords.Find(letter);
    if (!driveRecord) driveRecord = ScannedDriveRecords.Add(letter);

    struct TFinish {
        TScanCommands& Commands;
        ~TFinish() {
            Commands.SetStatusText(0, "Done.");
            Commands.Form->InvalidateViews(AbortScan);
            if (!Commands.SelectedNode() && !Commands.FolderTree.Roots().empty())
                Commands.View->Select(*Commands.FolderTree.Roots().front());
        }
    } finish{*this};
    TheScanner.ScanDrive(item, *driveRecord);
}

void TScanCommands::RescanDrives(const std::string& letters) {
    if (!Form || ScanRunning()) return;
    AbortScan = false;
    Form->InvalidateViews(false);
    for (const char letter : letters) {
        TDriveRecInfo* record = ScannedDriveRecords.Find(letter);
        if (!Form->State().ScannedDrives.Contains(letter) || !record) continue;
        // Asked before anything is released: a drive that is not there
        // keeps the results it has.
        if (!DriveAccessible(letter)) continue;
        const std::string path = Form->State().CurrentPath;

        Form->State().ScannedDrives.Remove(letter);
        ReleaseDriveTree(*record);
        if (!SelectedNode()) ResetView();

        const std::string driveItem = record->DriveItem.empty() ? std::string(1, letter) : record->DriveItem;
        ScanCheckedDrive(driveItem, record);
        SelectFolderByPath(path);
        if (AbortScan) break;
    }
}

void TScanCommands::RescanCurrentFolder() {
    if (!Form || ScanRunning() || !Form->State().CurrentNode) return;
    if (TFolderNode* selected = SelectedNode()) RescanNode(*selected);
}

void TScanCommands::RescanNearest(const std::string& path) {
    if (!Form || ScanRunning() || !NodeAt(path.substr(0, 3))) return;
    // Up from the path until a folder is in the tree; the drive's root is.
    std::string at = path;
    TFolderNode* node = NodeAt(at);
    while (!node) node = NodeAt(at = ParentFolderPath(at));
    RescanNode(*node);
}

void TScanCommands::RescanNode(TFolderNode& target) {
    TFolderNode* selected = &target;
    AbortScan = false;
    // A folder on a drive that went away is neither vanished nor empty:
    // the user fixes the drive or keeps the tree as it is.
    if (!DriveAccessible(NodePath(selected)[0])) return;
    if (RemoveIfVanished(*selected)) return;
    SetScanning(true);
    Form->UpdatePageVisibility(nullptr);
    struct TFinish {
        TScanCommands& Commands;
        ~TFinish() {
            Commands.Form->InvalidateViews(true);
            Commands.SetScanning(false);
            // As after a drive's scan: the last folder listed is not named on.
            Commands.SetStatusText(0, "Done.");
            Commands.Form->UpdatePageVisibility(Commands.SelectedNode());
        }
    } finish{*this};
    TheScanner.RescanFolder(NodePath(selected), selected);
}

void TScanCommands::RemoveDrive(char letter) {
    if (!Form || Form->State().Scanning || letter == 0) return;
    TDriveRecInfo* record = ScannedDriveRecords.Find(letter);
    Form->State().ScannedDrives.Remove(letter);
    if (record) {
        ReleaseDriveTree(*record);
        ScannedDriveRecords.Remove(letter);
    }
    if (!SelectedNode()) ResetView();
}

void TScanCommands::RemoveAllDrives() {
    if (!Form) return;
    // Counted up front: a removal that is refused must not loop for ever.
    const size_t count = Form->State().ScannedDrives.Letters().size();
    for (size_t i = 0; i < count && !Form->State().ScannedDrives.Letters().empty(); ++i)
        RemoveDrive(Form->State().ScannedDrives.Letters()[0]);
}

// Releases the records of the drive's subtree and deletes its root node.
void TScanCommands::ReleaseDriveTree(TDriveRecInfo& record) {
    if (!record.RootNode) return;
    // The pages must not keep showing a node that is about to go.
    TFolderNode* current = Form->State().CurrentNode;
    if (current && RootOf(current) == record.RootNode) {
        Form->UpdatePageVisibility(nullptr);
        Form->State().CurrentRoot = nullptr;
    }
    FreeRecords(*record.RootNode, true);
    FolderTree.DeleteNode(record.RootNode);
    record.RootNode = nullptr;
}

void TScanCommands::LevelUp() {
    if (!Form || !View) return;
    TFolderNode* current = Form->State().CurrentNode;
    if (!current || !current->Parent) return;
    const TWaitCursor waitCursor;
    View->CollapseSubtree(*current);
    View->Select(*current->Parent);
}

void TScanCommands::SelectNode(TFolderNode& node) {
    if (View) View->Select(node);
}

void TScanCommands::ExpandNode(TFolderNode& node) {
    if (View) View->Expand(node);
}

void TScanCommands::CollapseSubtree(TFolderNode& node) {
    if (View) View->CollapseSubtree(node);
}

void TScanCommands::ShowPathContextMenu(const std::string& path, POINT screenPoint) {
    if (Form && Services.ShowContextMenu) Services.ShowContextMenu(path, Form->Handle(), screenPoint);
}

void TScanCommands::ResetView() {
    Form->UpdatePageVisibility(nullptr);
    Form->State().CurrentPath.clear();
    SetWindowTextW(Form->Handle(), Widen(kProductName).c_str());
    Form->SetStatusText(0, std::string());
    Form->SetStatusText(1, std::string());
    Form->SetCommandEnabled(cmdFileRescanCurrentDirectory, false);
    Form->SetCommandEnabled(toolExplore, false);
    if (Form->State().ScannedDrives.Letters().empty()) {
        Form->UpdateNotScannedText();
        Form->SetCommandEnabled(cmdFileRescan, false);
        Form->SetCommandEnabled(cmdFileRemove, false);
    }
}

std::string TScanCommands::DriveItemOf(char letter) {
    return DriveItemText(letter, Services.ShellInfo.GetShellDisplayName(std::string(1, letter) + ":\\"));
}

void TScanCommands::AutoScanDrives(const std::string& letters) {
    if (ScanRunning()) return;
    AbortScan = false;
    for (const char letter : letters) {
        ScanOrRescanDrive(DriveItemOf(UpperDriveLetter(letter)));
        if (AbortScan) break;
    }
}

void TScanCommands::ScanCommandLine() {
    if (ScanRunning()) return;
    AbortScan = false;
    for (const std::string& argument : Services.Arguments) {
        if (IsDriveRoot(argument)) {
            AutoScanDrives(std::string(1, UpperDriveLetter(argument[0])));
        } else if (SelectFolderByPath(argument) && !AbortScan && !NodeAt(argument)) {
            // Its drive was scanned, and shows; the folder itself is not there.
            Services.MessageBoxes.Show(
                kProductName, "The folder " + argument + " was not found. It may have been moved, renamed or deleted.",
                TMsgButtons::Ok, TMsgIcon::Warning);
        }
        if (AbortScan) break;
    }
}

uint64_t TScanCommands::Now() const { return Services.Clock ? Services.Clock() : GetTickCount64(); }

void TScanCommands::SetStatusText(int panel, const std::string& text) {
    if (!Form) return;
    if (panel == 0 && Form->State().Scanning) Counter.FolderEntered(text);
    // The scanner names every folder it enters; show a few a second.
    if (panel == 0 && Form->State().Scanning && !FolderNameThrottle.Offer(Now(), text)) return;
    Form->SetStatusText(panel, text);
}

// The folder held back when it was entered is still being listed: name it
// now, and draw it at once, since the queue waits for the next folder.
void TScanCommands::ListingProgress() {
    Counter.Listing();
    std::string text;
    if (!Form || !Form->State().Scanning || !FolderNameThrottle.TakeDue(Now(), text)) return;
    Form->SetStatusText(0, text);
    Form->PaintStatusBarNow();
}

void TScanCommands::FolderFinished(TFolderNode& node) { Counter.FolderFinished(node); }

void TScanCommands::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is closing: leave the quit for the main loop and stop the scan.
            PostQuitMessage(int(message.wParam));
            AbortScan = true;
            return;
        }
        if (Form && Form->PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TScanCommands::SetScanning(bool scanning) {
    FolderNameThrottle.Reset();
    if (Form) Form->SetScanning(scanning);
}

bool TScanCommands::IsCurrentNode(const TFolderNode& node) { return Form && Form->State().CurrentNode == &node; }

void TScanCommands::ShowCurrentPage() {
    if (Form) Form->ShowPage(Form->State().CurrentPage);
}

TScanServices SystemScanServices(TSystemServices& system, IMessageBoxes& boxes, TShowContextMenu showContextMenu,
                                 std::vector<std::string> arguments) {
    // The system's tick count for a clock.
    return TScanServices{system.FileSystem,
                         system.DriveInfo,
                         system.ShellInfo,
                         system.CurrentDirectory,
                         boxes,
                         system.NameOrder,
                         system.Locale,
                         system.FolderBrowser,
                         std::move(showContextMenu),
                         std::move(arguments),
                         std::function<uint64_t()>()};
}
