// The main window's commands: binding them to their actions, enabling and
// ticking their menu entries and toolbar buttons, and the actions that
// belong to the window itself.

#include <windows.h>

#include <commctrl.h>

#include "cleanup/CleanUpMenu.h"
#include "cleanup/win32/CleanUpPage.h"
#include "config/Options.h"
#include "controls/ShellOpenReport.h"
#include "controls/Url.h"
#include "controls/win32/DrivesSelectBox.h"
#include "main/HelpTopics.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/win32/FolderReportExport.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "pie/PieMath.h"
#include "pie/SectionInfo.h"
#include "pie/win32/PieView.h"
#include "pie/win32/SectionSizeBox.h"
#include "platform/win32/WideString.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"
#include "scan/Scanner.h"
#include "scan/SizeText.h"

namespace {

bool IsSubmenuEntry(int id) {
    const TMenuEntry* entry = FindMenuEntry(id);
    return entry && entry->Kind == TMenuKind::Submenu;
}

}  // namespace

void TMainForm::BindCommands() {
    // A command of a part that is not connected keeps no action, so it stays disabled.
    const auto bind = [this](int id, auto* part, void (std::remove_pointer_t<decltype(part)>::*action)()) {
        if (part) Actions[id] = [part, action] { (part->*action)(); };
    };
    IScanActions* scan = Parts.Scan;
    IPieExportActions* pieExport = Parts.PieExport;
    IProgramDialogs* dialogs = Parts.Dialogs;
    const auto bindPieToggle = [this](int id, void (TPieView::*toggled)(bool)) {
        Actions[id] = [this, id, toggled] {
            if (PieView) (PieView->*toggled)(!CommandChecked(id));
        };
    };

    Actions[cmdFileScanDrives] = [this] { ScanDrivesCommand(); };
    bind(cmdFileRescanCurrentDirectory, scan, &IScanActions::RescanCurrentFolder);
    bind(cmdFileRescanCurrentDrive, scan, &IScanActions::RescanCurrentDrive);
    bind(cmdFileRescanAllDrives, scan, &IScanActions::RescanAllDrives);
    bind(cmdFileRemoveCurrentDrive, scan, &IScanActions::RemoveCurrentDrive);
    bind(cmdFileRemoveAllDrives, scan, &IScanActions::RemoveAllDrives);
    Actions[cmdFileAbort] = [] { AbortScan = true; };
    bind(cmdFilePieAsMetafile, pieExport, &IPieExportActions::PieAsMetafile);
    bind(cmdFilePieAsBitmap, pieExport, &IPieExportActions::PieAsBitmap);
    bind(cmdFilePieToFile, pieExport, &IPieExportActions::PieToFile);
    Actions[cmdFileExportFolderReport] = [this] {
        if (ReportExport) ReportExport->Execute();
    };
    bind(cmdFileSelectFolder, scan, &IScanActions::SelectFolder);
    bind(cmdFileRestoreCompressedFolders, dialogs, &IProgramDialogs::RestoreCompressedFolders);
    Actions[cmdFileExit] = [this] { PostMessageW(Window, WM_CLOSE, 0, 0); };

    Actions[cmdViewToolbar] = [this] { TogglePane(ToolbarSupport->Handle(), Services.Options.ViewToolbar); };
    Actions[cmdViewStatusBar] = [this] { TogglePane(TheStatusBar, Services.Options.ViewStatusBar); };
    Actions[cmdViewFolderTree] = [this] { ToggleFolderTree(); };
    for (int page = 0; page < kPageCount; ++page)
        Actions[CommandOfPage(page)] = [this, page] { SelectPageCommand(page); };
    if (ISectionSizeWindowSwitch* sectionWindow = Parts.SectionSizeWindow)
        Actions[cmdViewPieSectionSizeWindow] = [this, sectionWindow] {
            Services.Options.PieSectionSizeWindow = !Services.Options.PieSectionSizeWindow;
            sectionWindow->SectionSizeWindowToggled(Services.Options.PieSectionSizeWindow);
        };
    // What the pie counts, labels and orders: the pie page's own commands.
    for (int id : {int(cmdViewPieSortAscending), int(cmdViewPieSortDescending)})
        Actions[id] = [this, id] {
            if (PieView) PieView->SortOrderChosen(id == cmdViewPieSortAscending);
        };
    bind(cmdViewOptions, dialogs, &IProgramDialogs::Options);

    Actions[cmdHelpHelpTopics] = [this] { OpenHelp(0); };
    Actions[cmdHelpVisitWebPage] = [this] {
        TURL link(Services.Shell);
        link.URL = kProductWebPage;
        link.URLType = TURLType::utHttp;
        OpenOrSay(Services.Shell, Services.MessageBoxes, link.FullAddress(), "", kShowNoActivate);
    };
    if (dialogs) Actions[cmdHelpIntroductoryLetter] = [dialogs] { dialogs->ShowIntroLetter(true); };
    bind(cmdHelpAbout, dialogs, &IProgramDialogs::ShowAbout);

    if (scan) Actions[toolScan] = [this] { ScanSelectedDriveCommand(); };
    bind(toolLevelUp, scan, &IScanActions::LevelUp);
    Actions[toolExplore] = [this] { ExploreCommand(); };
    bindPieToggle(toolShowWasted, &TPieView::ShowWastedToggled);
    bindPieToggle(toolShowFiles, &TPieView::ShowFilesToggled);
    bindPieToggle(toolPercent, &TPieView::PercentToggled);
    bindPieToggle(toolMB, &TPieView::SizesToggled);
    for (size_t index = 0; index < kCleanUpItems.size(); ++index)
        Actions[int(cmdCleanUpFirst + index)] = [this, action = kCleanUpItems[index].Action] {
            if (TCleanUpPage* page = CleanUp()) page->Run(action);
        };
}

void TMainForm::ApplyInitialCommandStates() {
    for (const TMenuEntry& entry : MainMenuEntries())
        if (entry.Level > 0 && entry.Kind != TMenuKind::Separator) SetCommandEnabled(entry.Id, entry.Enabled);
    for (const TToolButton& tool : ToolbarButtons())
        if (tool.Kind != TToolKind::Separator) SetCommandEnabled(tool.Id, tool.Enabled);
}

bool TMainForm::Available(int id) const {
    if (IsSubmenuEntry(id)) return true;
    const auto action = Actions.find(id);
    return action != Actions.end() && action->second;
}

HMENU TMainForm::MenuOf(int id) const {
    const auto popup = PopupOf.find(id);
    return popup == PopupOf.end() ? nullptr : popup->second;
}

// A command shows in the menu, on the toolbar or both, with one state.
void TMainForm::SetCommandEnabled(int id, bool enabled) {
    const bool effective = enabled && Available(id);
    if (FindToolButton(id))
        SendMessageW(TheToolbar, TB_ENABLEBUTTON, WPARAM(id), MAKELPARAM(effective ? TRUE : FALSE, 0));
    if (HMENU menu = MenuOf(id)) SetMenuState(menu, id, MFS_DISABLED, !effective);
}

bool TMainForm::IsCommandEnabled(int id) const {
    if (FindToolButton(id)) return SendMessageW(TheToolbar, TB_ISBUTTONENABLED, WPARAM(id), 0) != 0;
    HMENU menu = MenuOf(id);
    // A command that shows nowhere (a page's shortcut) is there when it has work.
    if (!menu) return !FindMenuEntry(id) && Available(id);
    return MenuPosition(menu, id) >= 0 && !(MenuState(menu, id) & MFS_DISABLED);
}

bool TMainForm::CommandChecked(int id) const {
    const TProgramOptions& options = Services.Options;
    switch (id) {
        case cmdViewToolbar: return options.ViewToolbar;
        case cmdViewStatusBar: return options.ViewStatusBar;
        case cmdViewFolderTree: return options.ViewFolderTree;
        case cmdViewPieSectionSizeWindow: return options.PieSectionSizeWindow;
        case cmdViewPieSortAscending: return options.SortAscending;
        case cmdViewPieSortDescending: return !options.SortAscending;
        case toolShowWasted: return options.IncludeWastedInformation;
        case toolShowFiles: return options.ShowFileNames;
        case toolPercent: return options.ShowPercentInPie == 1;
        case toolMB: return options.ShowPercentInPie == 2;
        default: return PageOfCommand(id) >= 0 && PageOfCommand(id) == FormState.CurrentPage;
    }
}

void TMainForm::ShowCommandChecks() {
    for (const TMenuEntry& entry : MainMenuEntries())
        if (entry.Mark != TMenuMark::None)
            if (HMENU menu = MenuOf(entry.Id)) SetMenuState(menu, entry.Id, MFS_CHECKED, CommandChecked(entry.Id));
    for (const TToolButton& tool : ToolbarButtons())
        if (tool.Kind == TToolKind::Check)
            SendMessageW(TheToolbar, TB_CHECKBUTTON, WPARAM(tool.Id), MAKELPARAM(CommandChecked(tool.Id), 0));
}

bool TMainForm::IsToolDown(int id) const { return SendMessageW(TheToolbar, TB_ISBUTTONCHECKED, WPARAM(id), 0) != 0; }

void TMainForm::ExecuteCommand(int id) {
    if (!IsCommandEnabled(id)) return;
    const auto action = Actions.find(id);
    if (action == Actions.end() || !action->second) return;
    try {
        action->second();
    } catch (const std::exception& error) {
        Services.MessageBoxes.Show(kProductName, error.what(), TMsgButtons::Ok, TMsgIcon::Error);
    }
    // The window may be gone (File > Exit runs through here too).
    if (Window) ShowCommandChecks();
}

void TMainForm::SetScanning(bool on) {
    FormState.Scanning = on;
    for (int id : {int(cmdFileScanDrives), int(cmdFileRescan), int(cmdFileRemove), int(cmdFileSelectFolder),
                   int(cmdFileRescanCurrentDirectory), int(toolScan)})
        SetCommandEnabled(id, !on);
    EnableWindow(ClustersBox, on ? FALSE : TRUE);
    SetCommandEnabled(cmdFileAbort, on);
    // Explorer shows a drop as refused while nothing may start a scan.
    DragAcceptFiles(Window, on ? FALSE : TRUE);
    if (!on && CloseAfterScan) {
        CloseAfterScan = false;
        PostMessageW(Window, WM_CLOSE, 0, 0);
    }
}

void TMainForm::ScanDrivesCommand() {
    AbortScan = false;  // an abort of an earlier scan must not stop this one
    TDrivesSelectBox box(Services.Drives, Services.ShellInfo, Services.DriveInfo, Services.ProgramPath);
    Services.ModalRunner.Run(box, Window);
    if (!box.Confirmed() || !Parts.Scan) return;
    for (const std::string& item : box.TheDrivesBox().CheckedItems()) {
        Parts.Scan->ScanOrRescanDrive(item);
        if (AbortScan) break;
    }
}

void TMainForm::ScanSelectedDriveCommand() {
    const std::string item = TheDriveBox.SelectedItem();
    if (!item.empty() && Parts.Scan) Parts.Scan->ScanOrRescanDrive(item);
}

void TMainForm::SelectPageCommand(int page) {
    if (CommandChecked(CommandOfPage(page))) return;
    ShowPage(page);
}

void TMainForm::TogglePane(HWND pane, bool& option) {
    option = !option;
    ShowWindow(pane, option ? SW_SHOW : SW_HIDE);
    Layout();
}

void TMainForm::ToggleFolderTree() {
    TogglePane(TheLeftPanel->Handle(), Services.Options.ViewFolderTree);
    MainSplitter->SetVisible(TheLeftPanel->Visible());
    Layout();
}

void TMainForm::ExploreCommand() {
    if (!FormState.CurrentPath.empty()) Services.Shell.Open("EXPLORER.EXE", "/E," + FormState.CurrentPath, kShowNormal);
}

void TMainForm::ClustersBoxChange() {
    const LRESULT entry = SendMessageW(ClustersBox, CB_GETCURSEL, 0, 0);
    if (entry < 0) return;
    FormState.ClusterView = int(entry);
    InvalidateViews(true);
    ShowFolderWaste();
}

void TMainForm::ShowFolderWaste() {
    const TFolderNode* node = FormState.CurrentNode;
    if (!SectionBox || !node || !node->Record) return;
    // A share of the space the folder takes, as the pie's header gives it.
    const int64_t wasted = ViewTreeWasted(*node->Record, FormState.ClusterView);
    SectionBox->SetWasted(PercentOf(wasted, node->Record->TreeSize + wasted), FormatSize(wasted, Services.Locale));
}

void TMainForm::OpenHelp(int context) {
    THelpTopics(Services.Shell, Services.MessageBoxes, Services.FileSystem, Services.ProgramPath).OpenHelp(context);
}

std::string TMainForm::ExeFolder() const { return ParentFolderPath(Services.ProgramPath); }

HCURSOR TMainForm::Cursor(int number) const {
    switch (number) {
        case kCursorZoomIn: return ZoomCursors ? ZoomCursors->In() : nullptr;
        case kCursorZoomOut: return ZoomCursors ? ZoomCursors->Out() : nullptr;
        default: return LoadCursorW(nullptr, IDC_ARROW);
    }
}

HWND TMainForm::SheetWindow(int sheet) const { return ThePages->Sheet(sheet).Handle(); }
