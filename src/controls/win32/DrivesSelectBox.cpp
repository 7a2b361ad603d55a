#include "controls/win32/DrivesSelectBox.h"

#include <stdexcept>
#include <utility>

#include "../res/DrivesSelectIds.h"
#include "controls/DriveItems.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "controls/win32/WindowRescale.h"
#include "platform/DriveInfo.h"
#include "platform/win32/WindowDpi.h"

namespace {

// Room between the group box's frame and the list, in dialog units; the
// top leaves space for the caption.
const RECT kListMargins = {7, 12, 7, 7};

const int kLabelPointSize = 9;

}  // namespace

TDrivesSelectBox::TDrivesSelectBox(IDriveEnumerator& drives, IShellInfo& shell, IDriveInfo& driveInfo,
                                   std::string programPath)
    : TDialog(IDD_DRIVES_SELECT), DriveInfo(driveInfo), ProgramPath(std::move(programPath)), DrivesBox(drives, shell) {}

bool TDrivesSelectBox::OnInitDialog() {
    IsConfirmed = false;
    Dpi = WindowDpi(Handle());
    DialogFont.Opened(Handle(), Dpi);
    LabelFont = MakeFont({L"Arial", TFontSize::Points(kLabelPointSize)}, TPixelScale(Dpi));
    SetLabelFonts();
    try {
        CreateDrivesBox();
        CheckProgramDrive();
    } catch (const std::runtime_error&) {
        // Without its list the dialog can still be cancelled, and Scan scans nothing.
    }
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    return true;
}

void TDrivesSelectBox::OnOk() {
    IsConfirmed = true;
    Close(IDOK);
}

bool TDrivesSelectBox::OnCommand(int id, int notifyCode, HWND) {
    static const TCommandRoute<TDrivesSelectBox> routes[] = {
        {IDC_DRIVES_SELECT_ALL, BN_CLICKED, &TDrivesSelectBox::SelectAllClick},
        {IDC_DRIVES_DESELECT_ALL, BN_CLICKED, &TDrivesSelectBox::DeselectAllClick},
        {IDC_DRIVES_FIXED, BN_CLICKED, &TDrivesSelectBox::FixedClick},
    };
    return RouteCommand(*this, routes, id, notifyCode);
}

void TDrivesSelectBox::SetLabelFonts() {
    for (int id : {IDC_DRIVES_INTRO, IDC_DRIVES_NOTE})
        SendMessageW(Item(id), WM_SETFONT, WPARAM(LabelFont.Get()), FALSE);
}

bool TDrivesSelectBox::OnDpiChanged(int dpi, LPARAM suggested) {
    if (dpi <= 0 || dpi == Dpi) return true;
    RECT client = {};
    GetClientRect(Handle(), &client);
    const SIZE size = {MulDiv(client.right, dpi, Dpi), MulDiv(client.bottom, dpi, Dpi)};
    // The old fonts stay alive until no control uses them.
    const HFONT oldDialog = DialogFont.Font();
    const TFont oldDialogCopy = DialogFont.Rescale(dpi);
    const TFont oldLabels = std::move(LabelFont);
    LabelFont = MakeFont({L"Arial", TFontSize::Points(kLabelPointSize)}, TPixelScale(dpi));
    RescaleDialog(Handle(), Dpi, dpi, {{oldLabels.Get(), LabelFont.Get()}, {oldDialog, DialogFont.Font()}}, suggested,
                  size);
    Dpi = dpi;
    return true;
}

// The list fills the group box below its caption and sits right after it in
// the tab order.
void TDrivesSelectBox::CreateDrivesBox() {
    const HWND group = Item(IDC_DRIVES_GROUP);
    RECT area = {};
    GetWindowRect(group, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    RECT margins = kListMargins;
    MapDialogRect(Handle(), &margins);
    area.left += margins.left;
    area.top += margins.top;
    area.right -= margins.right;
    area.bottom -= margins.bottom;
    DrivesBox.Create(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, IDC_DRIVES_LIST);
    SetWindowPos(DrivesBox.Handle(), group, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TDrivesSelectBox::CheckProgramDrive() {
    if (ProgramPath.empty()) return;
    const int index = DrivesBox.IndexOfLetter(ProgramPath[0]);
    if (index < 0) return;
    DrivesBox.SetChecked(index, true);
    DrivesBox.SetSelectedIndex(index);
}

void TDrivesSelectBox::SelectAllClick() { DrivesBox.SetAllChecked(true); }

void TDrivesSelectBox::DeselectAllClick() { DrivesBox.SetAllChecked(false); }

// Adds every fixed disk; the checks of other drives stay as they are.
void TDrivesSelectBox::FixedClick() {
    for (int i = 0; i < DrivesBox.Count(); ++i) {
        const std::string root = std::string(1, DriveItemLetter(DrivesBox.ItemText(i))) + ":\\";
        if (DriveInfo.IsFixedDrive(root)) DrivesBox.SetChecked(i, true);
    }
}
