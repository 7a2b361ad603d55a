#include "cleanup/win32/CleanUpMoveFolderBox.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "../res/MoveFolderIds.h"
#include "cleanup/DriveAccess.h"
#include "controls/win32/Fonts.h"
#include "controls/PixelScale.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "controls/win32/WindowRescale.h"
#include "main/HelpTopics.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellOpen.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowDpi.h"
#include "platform/win32/WindowText.h"
#include "platform/win32/Win32PathCase.h"
#include "platform/win32/Win32ShellInfo.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"

namespace {

// Places of the controls the dialog makes itself, in dialog units.
const RECT kDrivesBoxPlace = {7, 164, 177, 176};
const RECT kWastingListPlace = {192, 73, 382, 172};

const int kDriveColumnWidth = 100;
const int kClusterColumnWidth = 50;  // the list view's usual width
const int kGainColumnWidth = 120;

const char kNoteText[] =
    "Note: If the folder contains an installed application, you should uninstall the application and install it to "
    "\r\nthe new location. Some folders can also be moved by the application that uses them.";

RECT DialogUnitsToPixels(HWND dialog, RECT place) {
    MapDialogRect(dialog, &place);
    return place;
}

void SetRowIcon(HWND list, int row, int iconIndex) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = iconIndex;
    SendMessageW(list, LVM_SETITEMW, 0, LPARAM(&item));
}

std::string ProcessCurrentFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? Narrow(folder) : std::string();
}

}  // namespace

bool RunMoveFolderBox(const TMoveFolderServices& services, const TMoveFolderRequest& request, HWND owner,
                      std::string* movedTo) {
    TMoveFolderRequest opened = request;
    if (opened.StartFolder.empty()) opened.StartFolder = ProcessCurrentFolder();
    TCleanUpMoveFolderBox box(services, std::move(opened));
    const bool ran = services.ModalRunner.Run(box, owner) == IDOK;
    if (ran && movedTo) *movedTo = box.MovedTarget();
    return ran;
}

TCleanUpMoveFolderBox::TCleanUpMoveFolderBox(const TMoveFolderServices& services, TMoveFolderRequest request)
    : TDialog(IDD_MOVE_FOLDER, &Help),
      Services(services),
      Help(services.Shell, services.MessageBoxes, services.FileSystem, services.ProgramPath),
      Request(std::move(request)),
      Folders(services.FileSystem, services.ShellInfo),
      Drives(services.Drives, services.ShellInfo) {
    if (HasFullPathForm(Request.StartFolder))
        LastFolders[UpperDriveLetter(Request.StartFolder[0])] = Request.StartFolder;
}

bool TCleanUpMoveFolderBox::OnInitDialog() {
    FillTexts();
    Folders.Attach(Item(IDC_MOVE_FOLDERS));
    try {
        CreateDrivesBox();
        CreateWastingList();
    } catch (const std::runtime_error&) {
        // The target can still be typed, and Cancel still closes.
    }
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    // Reported as a change, so the folder list and the target follow at once.
    if (!Request.StartFolder.empty()) Drives.SelectLetter(Request.StartFolder[0]);
    SetFocus(Item(IDC_MOVE_TARGET));
    return false;
}

void TCleanUpMoveFolderBox::FillTexts() {
    SetWindowTextOf(Item(IDC_MOVE_SOURCE), Request.SourcePath);
    SetWindowTextOf(Item(IDC_MOVE_WASTED), WastedOnSourceText(Request.WastedShown, Services.Locale));
    SetWindowTextOf(Item(IDC_MOVE_NOTE), kNoteText);
    SendMessageW(Item(IDC_MOVE_INFO_ICON), STM_SETICON, WPARAM(LoadIconW(nullptr, IDI_INFORMATION)), 0);
    // The dialog's font made bold, for the warning that must not be overlooked.
    BoldFont = VariantOf(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), {FW_BOLD});
    if (BoldFont.Get()) SendMessageW(Item(IDC_MOVE_IMPORTANT), WM_SETFONT, WPARAM(BoldFont.Get()), FALSE);
}

// Right below the folder list, and after it in the tab order.
void TCleanUpMoveFolderBox::CreateDrivesBox() {
    const RECT place = DialogUnitsToPixels(Handle(), kDrivesBoxPlace);
    Drives.Create(Handle(), place.left, place.top, place.right - place.left, IDC_MOVE_DRIVES);
    SetWindowPos(Drives.Handle(), Item(IDC_MOVE_FOLDERS), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCleanUpMoveFolderBox::CreateWastingList() {
    WastingList = std::make_unique<TListView>(Handle(), IDC_MOVE_WASTING,
                                              LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, false);
    const RECT place = DialogUnitsToPixels(Handle(), kWastingListPlace);
    WastingList->SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
    SetWindowPos(WastingList->Handle(), Item(IDC_MOVE_ADVICE), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WastingList->SetFont(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    WastingList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    WastingList->SetSmallImages(GetSystemImageList(true));
    // The columns' widths are for 96 DPI.
    ListDpi = WindowDpi(Handle());
    const TPixelScale listScale(ListDpi);
    WastingList->AddColumn("Drive", listScale(kDriveColumnWidth), false);
    WastingList->AddColumn("Cluster", listScale(kClusterColumnWidth), false);
    WastingList->AddColumn("You gain", listScale(kGainColumnWidth), false);
    Rows = SmallerClusterDrives(Request, Services.Drives, Services.DriveInfo, Services.RemovableDrives,
                                Services.ShellInfo, Services.Locale);
    for (const TGainRow& gain : Rows) {
        const int row = WastingList->AddRow(gain.DisplayName);
        SetRowIcon(WastingList->Handle(), row, gain.IconIndex);
        WastingList->SetCell(row, 1, gain.ClusterText);
        WastingList->SetCell(row, 2, gain.GainText);
    }
}

bool TCleanUpMoveFolderBox::OnCommand(int id, int notifyCode, HWND) {
    static const TCommandRoute<TCleanUpMoveFolderBox> routes[] = {
        {IDC_MOVE_DRIVES, CBN_SELCHANGE, &TCleanUpMoveFolderBox::DrivesChange},
        {IDC_MOVE_FOLDERS, LBN_DBLCLK, &TCleanUpMoveFolderBox::FoldersDoubleClick},
        {IDC_MOVE_TARGET, EN_CHANGE, &TCleanUpMoveFolderBox::TargetChange},
    };
    return RouteCommand(*this, routes, id, notifyCode);
}

// The dialog manager scales the controls; the list's columns follow here.
bool TCleanUpMoveFolderBox::OnDpiChanged(int dpi, LPARAM) {
    if (WastingList) RescaleListColumns(WastingList->Handle(), ListDpi, dpi);
    ListDpi = dpi;
    return false;
}

bool TCleanUpMoveFolderBox::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR&) {
    switch (message) {
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom != IDC_MOVE_WASTING || header.code != LVN_ITEMCHANGED) return false;
            WastingChange(*reinterpret_cast<const NMLISTVIEW*>(lParam));
            return true;
        }
        default: return false;
    }
}

// A drive that does not answer is reported, and the box goes back to the
// drive the list still shows; that change back is not checked again.
void TCleanUpMoveFolderBox::DrivesChange() {
    const char letter = UpperDriveLetter(Drives.SelectedLetter());
    if (!RevertingDrive && letter != 0 && letter != Folders.DriveLetter()) {
        if (Services.CurrentDirectory.Change(std::string(1, letter) + ":\\")) {
            Folders.ShowFolder(FolderOnDrive(letter));
            LastFolders[letter] = Folders.Folder();
        } else {
            Services.MessageBoxes.Show(kProductName, DriveNotAccessibleText(char(letter - 'A' + 'a')), TMsgButtons::Ok,
                                       TMsgIcon::Error);
            if (Folders.DriveLetter() != 0) {
                RevertingDrive = true;
                Drives.SelectLetter(Folders.DriveLetter());
                RevertingDrive = false;
            }
        }
    }
    UpdateTarget();
}

std::string TCleanUpMoveFolderBox::FolderOnDrive(char letter) const {
    const auto last = LastFolders.find(letter);
    return last != LastFolders.end() ? last->second : std::string(1, letter) + ":\\";
}

void TCleanUpMoveFolderBox::FoldersDoubleClick() {
    if (!Folders.OpenSelected()) return;
    LastFolders[Folders.DriveLetter()] = Folders.Folder();
    UpdateTarget();
}

void TCleanUpMoveFolderBox::WastingChange(const NMLISTVIEW& change) {
    const bool newlySelected =
        (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if (!newlySelected || change.iItem < 0 || size_t(change.iItem) >= Rows.size()) return;
    Drives.SelectLetter(Rows[size_t(change.iItem)].Letter);
}

void TCleanUpMoveFolderBox::UpdateTarget() {
    if (Folders.Folder().empty()) return;
    SetWindowTextOf(Item(IDC_MOVE_TARGET), ComposeMoveTarget(Folders.Folder(), Request.SourcePath));
}

void TCleanUpMoveFolderBox::TargetChange() {
    EnableWindow(Item(IDC_MOVE_OK), IsMoveTargetChanged(WindowTextOf(Item(IDC_MOVE_TARGET)), Request.SourcePath));
}

void TCleanUpMoveFolderBox::OnOk() {
    if (!IsWindowEnabled(Item(IDC_MOVE_OK))) return;  // Enter reaches here even while OK is greyed
    const TWin32PathCase pathCase;
    const TMoveFolderSystem system{Services.FileSystem, Services.FolderCreator, Services.ShellFiles, pathCase};
    const TMoveOutcome outcome =
        MoveFolderContents(Request.SourcePath, WindowTextOf(Item(IDC_MOVE_TARGET)), Handle(), system);
    if (outcome.Refusal != TMoveRefusal::None) {
        Services.MessageBoxes.Show(kProductName, MoveRefusalText(outcome.Refusal), TMsgButtons::Ok, TMsgIcon::Warning);
        SetFocus(Item(IDC_MOVE_TARGET));
        return;
    }
    MovedTo = outcome.Target;
    const std::string incomplete = IncompleteMoveText(outcome, Request.SourcePath);
    if (!incomplete.empty()) Services.MessageBoxes.Show(kProductName, incomplete, TMsgButtons::Ok, TMsgIcon::Warning);
    Close(IDOK);
}
