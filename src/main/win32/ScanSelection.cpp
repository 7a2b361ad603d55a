// The folder tree's selection as the scan commands follow it: the readiness
// check before it moves, the current node, path and drive after it moved,
// folders that vanished behind the program's back, selecting a folder by
// its path and the context menus of folders.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "cleanup/DriveAccess.h"
#include "controls/win32/FolderBrowse.h"
#include "main/DriveStatus.h"
#include "main/MainCommands.h"
#include "main/win32/MainForm.h"
#include "main/win32/ScanCommands.h"
#include "pie/PieMath.h"
#include "pie/SectionInfo.h"
#include "pie/win32/PieView.h"
#include "pie/win32/SectionSizeBox.h"
#include "platform/DriveInfo.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/WideString.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

namespace {

const char kSelectFolderTitle[] =
    "Select the folder you want to analyze. If the folder has not been scanned, Quarrymap 2000 will scan it now.";
const char kNotFinishedScanning[] =
    "The context menu of the selected folder cannot be displayed because Quarrymap 2000 has not finished scanning "
    "the folder";

}  // namespace

bool TScanCommands::SelectionChanging(TFolderNode* node) {
    if (!Form || !node) return true;
    // A root's letter is the one it carries; NodePath starts with it for every node.
    const char letter = node->Parent ? NodePath(node)[0] : node->DriveLetter();
    if (!node->Parent || letter != Form->State().CurrentDrive)
        return CheckDriveAccessible(letter, Services.Directory, Services.MessageBoxes);
    return true;
}

void TScanCommands::SelectionChanged(TFolderNode* node) {
    if (!Form) return;
    TMainFormState& state = Form->State();
    state.CurrentNode = node;
    if (!node) return;
    state.CurrentRoot = RootOf(node);
    state.CurrentPath = NodePath(node);
    if (RemoveIfVanished(*node)) return;

    SetWindowTextW(Form->Handle(), Widen(std::string(kProductName) + " - " + state.CurrentPath).c_str());
    Form->SetStatusText(0, state.CurrentPath);
    Form->SetCommandEnabled(toolLevelUp, node->Parent != nullptr);
    Form->SetCommandEnabled(toolExplore, true);
    if (!node->Parent || state.CurrentPath[0] != state.CurrentDrive) SwitchDrive(state.CurrentPath[0]);

    if (!Form->UpdatePageVisibility(node)) return;
    Form->ShowFolderWaste();
    Form->ShowPage(state.CurrentPage);
}

// A folder deleted, moved or renamed outside the program leaves the tree
// when it is selected, and its totals leave its ancestors. Folders inside a
// scan that is still running wait until it has finished: the scanner holds
// their ancestors and would count them in again.
bool TScanCommands::RemoveIfVanished(TFolderNode& node) {
    if (!node.Parent || InsideRunningScan(node) || !HasVanished(Services.FileSystem, NodePath(&node))) return false;
    // When its parents went with it, they go too, all at once.
    TFolderNode* gone = &node;
    while (gone->Parent->Parent && HasVanished(Services.FileSystem, NodePath(gone->Parent))) gone = gone->Parent;
    RemoveAndSelectParent(*gone);
    return true;
}

// Takes a vanished folder out of the tree and selects its parent, which
// still exists. The selection must not pass through a sibling on the way:
// that one would be checked, and perhaps taken out, in turn.
void TScanCommands::RemoveAndSelectParent(TFolderNode& gone) {
    TFolderNode* parent = gone.Parent;
    Form->UpdatePageVisibility(nullptr);
    const bool selectionMoves = SelectedNode() != parent;
    if (selectionMoves) View->SelectQuietly(*parent);
    RemoveFolderNode(FolderTree, &gone);
    // A parent that was already selected still shows the old totals.
    Form->InvalidateViews(!selectionMoves);
    if (selectionMoves) SelectionChanged(parent);
}

bool TScanCommands::CheckDriveReady(const TFolderNode& node) {
    const char letter = node.Parent ? NodePath(&node)[0] : node.DriveLetter();
    return CheckDriveAccessible(letter, Services.Directory, Services.MessageBoxes);
}

bool TScanCommands::InsideRunningScan(const TFolderNode& node) const {
    if (!Form->State().Scanning) return false;
    for (const TFolderNode* n = &node; n; n = n->Parent)
        if (!n->Record) return true;
    return false;
}

void TScanCommands::SwitchDrive(char letter) {
    TMainFormState& state = Form->State();
    const std::string root = std::string(1, letter) + ":\\";
    const TDriveRecInfo* record = ScannedDriveRecords.Find(letter);
    state.CurrentDrive = letter;
    state.CurrentClusterSize = record ? record->ClusterSize : 0;
    // Unknown sizes show as nothing rather than as negative amounts.
    state.DriveTotalBytes = std::max<int64_t>(0, Services.DriveInfo.GetDriveTotalBytes(root));
    state.DriveFreeBytes = std::max<int64_t>(0, Services.DriveInfo.GetDriveFreeBytes(root));
    if (SectionBox) {
        SectionBox->SetDrive(letter, PercentOf(state.DriveFreeBytes, state.DriveTotalBytes),
                             FormatSize(state.DriveFreeBytes, Services.Locale),
                             FormatSize(state.DriveTotalBytes, Services.Locale));
    }
    Form->SetStatusText(
        1, ClusterStatusText(state.CurrentClusterSize, GetFileSystemName(Services.DriveInfo, root), Services.Locale));
    Form->DriveBox().SelectLetter(letter);
}

void TScanCommands::SelectFolder() {
    if (ScanRunning()) return;
    TFolderBrowse browse(Services.FolderBrowser);
    browse.Title = kSelectFolderTitle;
    browse.AllowDriveRoots = true;
    if (browse.Execute()) SelectFolderByPath(browse.Folder);
}

TFolderNode* TScanCommands::NodeAt(const std::string& path) {
    if (!HasFullPathForm(path)) return nullptr;
    const char letter = UpperDriveLetter(path[0]);
    const TDriveRecInfo* drive = ScannedDriveRecords.Find(letter);
    TFolderNode* root = drive ? drive->RootNode : nullptr;
    const std::string below = PathBelowRoot(path);
    if (!root || below.empty()) return root;
    return FindNodeByPath(root, below, IsCaseSensitiveVolume(Services.DriveInfo, std::string(1, letter) + ":\\"));
}

bool TScanCommands::SelectFolderByPath(const std::string& path) {
    // A drop or a command arriving while the scanner services the queue
    // would start a second scan inside the running one.
    if (!Form || ScanRunning() || !HasFullPathForm(path)) return false;
    // Drive letters are compared exactly, and the tree holds upper case only.
    const char letter = UpperDriveLetter(path[0]);
    if (!ScannedDriveRecords.Find(letter)) {
        ScanOrRescanDrive(DriveItemOf(letter));
        if (!ScannedDriveRecords.Find(letter)) return false;
    }
    TFolderNode* node = NodeAt(path);
    if (node && node->ViewItem && View) {
        HWND tree = Form->FolderTree();
        View->Select(*node);
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node->ViewItem));
        SetFocus(tree);
    }
    return true;
}

void TScanCommands::ContextMenuWanted(POINT clientPoint) {
    TFolderNode* node = SelectedNode();
    if (!Form || !node) return;
    if (!node->Record) {
        Services.MessageBoxes.Show(kProductName, kNotFinishedScanning, TMsgButtons::Ok, TMsgIcon::Error);
        return;
    }
    TCurrentPieItem item;
    item.Path = NodePath(node);
    item.Node = node;
    item.Size = node->Record->TreeSize;
    item.Wasted = ViewTreeWasted(*node->Record, Form->State().ClusterView);
    if (const TPieView* pie = Form->Pie())
        if (const TSectionInfo* info = pie->SectionInfos().Get(0)) item.Info = *info;
    ShowNodeContextMenu(item, clientPoint.x, clientPoint.y, Form->FolderTree());
}

void TScanCommands::ShowNodeContextMenu(const TCurrentPieItem& item, int x, int y, HWND control) {
    if (!Form || !Services.ShowContextMenu) return;
    POINT point = {x, y};
    ClientToScreen(control, &point);
    if (IsDriveRoot(item.Path)) {
        Services.ShowContextMenu(AddBackslash(item.Path), Form->Handle(), point);
        return;
    }
    TFolderNode* folder = item.Node ? item.Node->Parent : SelectedNode();
    Services.ShowContextMenu(item.Path, Form->Handle(), point);
    if (!folder || !HasVanished(Services.FileSystem, item.Path)) return;
    // A running scan counts this folder in when it finishes; it leaves the
    // tree when it is next selected instead.
    if (InsideRunningScan(*folder)) return;

    if (item.Node) {
        // Deleted, moved or renamed through the menu.
        RemoveAndSelectParent(*item.Node);
        return;
    }
    RemoveTotals(folder, nullptr, 0, 1, item.Wasted, item.Size);
    // The folder shown still shows the file's share.
    Form->InvalidateViews(true);
}
