#include "config/win32/OptionsBox.h"

#include <stdexcept>

#include "../res/OptionsBoxIds.h"
#include "controls/DriveItems.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "main/HelpTopics.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellOpen.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowText.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"

namespace {

// The colour panel, beside its label, in dialog units.
const RECT kColorButtonPlace = {42, 109, 92, 123};
// Room between the drives' group box frame and the list; the top leaves
// space for the caption.
const RECT kDrivesMargins = {7, 12, 7, 7};

const int kThresholdEdits[kThresholdCount] = {IDC_OPT_MIN_FILE, IDC_OPT_MIN_FOLDER, IDC_OPT_MIN_TEXT};

RECT DialogUnitsToPixels(HWND dialog, RECT place) {
    MapDialogRect(dialog, &place);
    return place;
}

bool IsTicked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetTicked(HWND box, bool ticked) { SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

bool RunOptionsBox(const TOptionsServices& services, HWND owner) {
    TOptionsBox box(services);
    services.ModalRunner.Run(box, owner);
    return box.Confirmed();
}

TOptionsBox::TOptionsBox(const TOptionsServices& services)
    : TDialog(IDD_OPTIONS, &Help),
      Services(services),
      Help(services.Shell, services.MessageBoxes, services.FileSystem, services.ProgramPath),
      ColorTable(services.Options.Colors),
      DrivesBox(services.Drives, services.ShellInfo) {}

bool TOptionsBox::OnInitDialog() {
    IsConfirmed = false;
    ColorTable = Services.Options.Colors;
    FillColors();
    try {
        CreateColorButton();
        CreateDrivesBox();
    } catch (const std::runtime_error&) {
        // The rest of the dialog still works; a missing drive list stores no drives.
    }
    ShowSelectedColor();
    FillChoice();
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    return true;
}

void TOptionsBox::FillColors() {
    const HWND list = Item(IDC_OPT_COLORS);
    for (const char* name : ColorNames) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(Widen(name).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void TOptionsBox::CreateColorButton() {
    ColorButton.Create(Handle(), DialogUnitsToPixels(Handle(), kColorButtonPlace), IDC_OPT_COLOR,
                       Item(IDC_OPT_COLOR_LABEL));
}

// The list fills the group box below its caption and follows it in the tab order.
void TOptionsBox::CreateDrivesBox() {
    const HWND group = Item(IDC_OPT_DRIVES_GROUP);
    RECT area = {};
    GetWindowRect(group, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    const RECT margins = DialogUnitsToPixels(Handle(), kDrivesMargins);
    DrivesBox.Create(Handle(), area.left + margins.left, area.top + margins.top,
                     area.right - area.left - margins.left - margins.right,
                     area.bottom - area.top - margins.top - margins.bottom, IDC_OPT_DRIVES);
    SetWindowPos(DrivesBox.Handle(), group, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TOptionsBox::FillChoice() {
    const TOptionsChoice choice = OptionsChoiceOf(Services.Options);
    SetTicked(Item(IDC_OPT_INCLUDE_WASTED), choice.IncludeWasted);
    SetTicked(Item(IDC_OPT_SHOW_FILE_NAMES), choice.ShowFileNames);
    SetTicked(Item(IDC_OPT_AUTO_EXPAND), choice.AutoExpand);
    SetTicked(Item(IDC_OPT_AUTO_COLLAPSE), choice.AutoCollapse);
    ShowThresholds(choice.Angles);
    MarkDrives(choice.DrivesToAutoScan);
    // Ticked by design; the registry may say otherwise.
    SetTicked(Item(IDC_OPT_EXPLORER_MENU), ExplorerEntryTicked(Services.Registry, true));
}

// The program's own drive is selected; the drives scanned at start-up are ticked.
void TOptionsBox::MarkDrives(const std::string& drivesToScan) {
    if (!DrivesBox.Handle()) return;
    if (!Services.ProgramPath.empty()) {
        const int own = DrivesBox.IndexOfLetter(Services.ProgramPath[0]);
        if (own >= 0) DrivesBox.SetSelectedIndex(own);
    }
    for (const char letter : drivesToScan)
        for (int row = 0; row < DrivesBox.Count(); ++row)
            if (UpperDriveLetter(DriveItemLetter(DrivesBox.ItemText(row))) == UpperDriveLetter(letter))
                DrivesBox.SetChecked(row, true);
}

int TOptionsBox::SelectedColor() const {
    const LRESULT index = SendMessageW(Item(IDC_OPT_COLORS), LB_GETCURSEL, 0, 0);
    return index >= 0 && index < kColorCount ? int(index) : -1;
}

void TOptionsBox::ShowSelectedColor() {
    const int index = SelectedColor();
    if (index >= 0) ColorButton.SetColor(ColorTable[size_t(index)]);
}

void TOptionsBox::PickColor() {
    const int index = SelectedColor();
    if (index < 0) return;
    COLORREF color = ToColorRef(ColorTable[size_t(index)]);
    if (!Services.ColorPicker.Pick(Handle(), color)) return;
    ColorTable[size_t(index)] = color;
    ColorButton.SetColor(color);
}

void TOptionsBox::DefaultColorsClick() {
    ColorTable = DefaultColors;
    ShowSelectedColor();
}

void TOptionsBox::ShowThresholds(const TThresholdAngles& angles) {
    const TThresholdTexts texts = ThresholdTextsOf(angles, Services.Locale.DecimalSeparator());
    for (int k = 0; k < kThresholdCount; ++k) SetWindowTextOf(Item(kThresholdEdits[k]), texts[size_t(k)]);
}

void TOptionsBox::DefaultValuesClick() { ShowThresholds(kDefaultThresholdAngles); }

bool TOptionsBox::OnCommand(int id, int notifyCode, HWND) {
    static const TCommandRoute<TOptionsBox> routes[] = {
        {IDC_OPT_COLORS, LBN_SELCHANGE, &TOptionsBox::ShowSelectedColor},
        {IDC_OPT_COLORS, LBN_DBLCLK, &TOptionsBox::PickColor},
        {IDC_OPT_COLOR, BN_CLICKED, &TOptionsBox::PickColor},
        {IDC_OPT_DEFAULT_COLORS, BN_CLICKED, &TOptionsBox::DefaultColorsClick},
        {IDC_OPT_DEFAULT_VALUES, BN_CLICKED, &TOptionsBox::DefaultValuesClick},
    };
    return RouteCommand(*this, routes, id, notifyCode);
}

void TOptionsBox::OnOk() {
    TThresholdTexts texts;
    for (int k = 0; k < kThresholdCount; ++k) texts[size_t(k)] = WindowTextOf(Item(kThresholdEdits[k]));
    const TThresholdCheck check = CheckThresholdTexts(texts, Services.Locale.DecimalSeparator());
    if (check.Rejected >= 0) {
        Services.MessageBoxes.Show(kProductName, InvalidThresholdMessage(texts[size_t(check.Rejected)]),
                                   TMsgButtons::Ok, TMsgIcon::Error);
        const HWND edit = Item(kThresholdEdits[check.Rejected]);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }

    TOptionsChoice choice = OptionsChoiceOf(Services.Options);
    choice.IncludeWasted = IsTicked(Item(IDC_OPT_INCLUDE_WASTED));
    choice.ShowFileNames = IsTicked(Item(IDC_OPT_SHOW_FILE_NAMES));
    choice.AutoExpand = IsTicked(Item(IDC_OPT_AUTO_EXPAND));
    choice.AutoCollapse = IsTicked(Item(IDC_OPT_AUTO_COLLAPSE));
    if (DrivesBox.Handle()) choice.DrivesToAutoScan = DrivesBox.CheckedLetters();
    choice.Angles = check.Angles;
    choice.Colors = ColorTable;
    StoreOptionsChoice(choice, Services.Options);
    IsConfirmed = true;

    if (IsTicked(Item(IDC_OPT_EXPLORER_MENU))) {
        if (!WriteExplorerEntry(Services.Registry, Services.ProgramPath)) {
            Services.MessageBoxes.Show(kProductName, kExplorerEntryError, TMsgButtons::Ok, TMsgIcon::Error);
            return;
        }
    } else {
        RemoveExplorerEntry(Services.Registry);
    }
    Close(IDOK);
}
