#include "main/win32/MainForm.h"
#include "pie/SectionInfo.h"

#include <windowsx.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "config/Options.h"
#include "config/WindowPlacementStore.h"
#include "controls/Url.h"
#include "controls/win32/DrivesSelectBox.h"
#include "main/ClusterSizeBox.h"
#include "main/HelpTopics.h"
#include "main/Hints.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/StartupSequence.h"
#include "main/win32/Artwork.h"
#include "main/win32/MainFormControls.h"
#include "platform/FileSystem.h"
#include "platform/win32/OwnerWindowProc.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32ShellInfo.h"
#include "platform/win32/Win32WindowPlacement.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"
#include "scan/Scanner.h"

namespace {

const wchar_t kMainWindowClass[] = L"TQuarrymapMainWindow";
const char kDesktopSection[] = "Desktop";
const char kFatalErrorText[] = "Fatal error: Quarrymap 2000 must close";
const char kFatalErrorCaption[] = "Fatal error";

const int kMinPaneWidth = 30;       // neither side of the splitter gets narrower
const int kNotReadyPictureWidth = 96;
const int kNotReadyMemoTop = 12;
const int kStripControlTop = 2;

// The position of the entry with that id among the menu's items, or -1.
// Submenu entries carry ids too, so one search serves both kinds.
int MenuPosition(HMENU menu, int id) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, UINT(position), TRUE, &info) && int(info.wID) == id) return position;
    }
    return -1;
}

UINT MenuState(HMENU menu, int id) {
    const int position = MenuPosition(menu, id);
    if (position < 0) return 0;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
    return info.fState;
}

void SetMenuState(HMENU menu, int id, UINT flag, bool on) {
    const int position = MenuPosition(menu, id);
    if (position < 0) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
    info.fState = on ? (info.fState | flag) : (info.fState & ~flag);
    SetMenuItemInfoW(menu, UINT(position), TRUE, &info);
}

bool IsSubmenuEntry(int id) {
    const TMenuEntry* entry = FindMenuEntry(id);
    return entry && entry->Kind == TMenuKind::Submenu;
}

// The memo of the not-scanned sheet shows no context menu at all.
LRESULT CALLBACK NoContextMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CONTEXTMENU) return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

bool KeyDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Releases a drop when it goes out of scope, whatever happened.
class TDropRelease {
public:
    explicit TDropRelease(HDROP drop) : Drop(drop) {}
    ~TDropRelease() { DragFinish(Drop); }
    TDropRelease(const TDropRelease&) = delete;
    TDropRelease& operator=(const TDropRelease&) = delete;

private:
    HDROP Drop;
};

}  // namespace

TMainForm::TMainForm(const TMainFormServices& services, TMainFormHooks hooks)
    : Services(services),
      Hooks(std::move(hooks)),
      TheDriveBox(services.Drives, services.ShellInfo),
      LeftPanelWidth(kLeftPanelWidth) {}

TMainForm::~TMainForm() {
    if (Window) DestroyWindow(Window);
    if (Accelerators) DestroyAcceleratorTable(Accelerators);
}

// ---------------------------------------------------------------- creation

bool TMainForm::Create() {
    try {
        CreateFrame();
        FormState.CurrentDrive = 0;
        ClusterView = 0;
        LoadOptions(Services.Registry);
        ShowPage(0);
        SetWindowTextW(Window, Widen(kProductName).c_str());
        if (HIMAGELIST icons = GetSystemImageList(true))
            TreeView_SetImageList(TheFolderTree, icons, TVSIL_NORMAL);
        SendMessageW(TheDriveBox.Handle(), CB_SETCURSEL, WPARAM(-1), 0);
        SendMessageW(ClustersBox, CB_SETCURSEL, 0, 0);
        FormState.ListSortColumn = 1;
        CreatePieBuffer();
        ZoomCursors = std::make_unique<TZoomCursors>();
        if (!ZoomCursors->IsValid()) throw std::runtime_error("cursors");
        for (const TMenuEntry& entry : MainMenuEntries())
            if (entry.Level == 0) SetMenuContextHelpId(SubmenuOf[entry.Id], DWORD(entry.HelpContext));
        SponsorBanner = std::make_unique<TPanel>(panAd->Handle(), idSponsorBanner);
        SponsorBanner->OnPaint = [](HDC dc, const RECT& client) { PaintSponsorBanner(dc, client); };
        DragAcceptFiles(Window, TRUE);
        Layout();
        Created = true;
        return true;
    } catch (const std::exception&) {
        Services.MessageBoxes.Show(kFatalErrorCaption, kFatalErrorText, TMsgButtons::Ok, TMsgIcon::Error);
        if (Window) DestroyWindow(Window);
        return false;
    }
}

void TMainForm::CreateFrame() {
    if (!RegisterWindowClass(kMainWindowClass, &OwnerWindowProc<TMainForm>, 0,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadIconW(nullptr, IDI_APPLICATION)))
        throw std::runtime_error("main window class");
    Window = CreateWindowExW(0, kMainWindowClass, Widen(kProductName).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
    if (!Window) throw std::runtime_error("main window");
    CreateMenus();
    panAd = std::make_unique<TPanel>(Window, idBanner);
    CreateToolbarStrip();
    CreateClientArea();
    CreateStatusBar();
    BindCommands();
    ApplyInitialCommandStates();
}

void TMainForm::CreateMenus() {
    MainMenu1 = CreateMenu();
    if (!MainMenu1) throw std::runtime_error("menu");
    // parents[level] receives the entries of that level.
    std::vector<HMENU> parents = {MainMenu1};
    std::vector<ACCEL> accelerators;
    for (const TMenuEntry& entry : MainMenuEntries()) {
        HMENU parent = parents.at(size_t(entry.Level));
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        std::wstring text = Widen(MenuItemText(entry));
        if (entry.Kind == TMenuKind::Separator) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
            info.wID = UINT(entry.Id);
            info.fType = entry.Mark == TMenuMark::Radio ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (entry.Checked ? MFS_CHECKED : 0) | (entry.Enabled ? 0 : MFS_DISABLED);
            info.dwTypeData = text.data();
            PopupOf[entry.Id] = parent;
        }
        if (entry.Kind == TMenuKind::Submenu) {
            HMENU popup = CreatePopupMenu();
            if (!popup) throw std::runtime_error("menu");
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = popup;
            SubmenuOf[entry.Id] = popup;
            parents.resize(size_t(entry.Level) + 1);
            parents.push_back(popup);
        }
        if (!InsertMenuItemW(parent, UINT(GetMenuItemCount(parent)), TRUE, &info))
            throw std::runtime_error("menu entry");
        if (entry.Shortcut.IsSet())
            accelerators.push_back(ACCEL{BYTE(FVIRTKEY | (entry.Shortcut.Ctrl ? FCONTROL : 0)), entry.Shortcut.Key,
                                         WORD(entry.Id)});
    }
    if (!SetMenu(Window, MainMenu1)) throw std::runtime_error("menu bar");
    Accelerators = CreateAcceleratorTableW(accelerators.data(), int(accelerators.size()));
    if (!Accelerators) throw std::runtime_error("accelerators");
}

void TMainForm::CreateToolbarStrip() {
    ToolbarSupport = std::make_unique<TPanel>(Window, idToolbarSupport);
    ToolbarSupport->SetBottomLine(true);
    HWND strip = ToolbarSupport->Handle();
    SendMessageW(strip, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    TheDriveBox.Create(strip, 0, kStripControlTop, kDriveBoxWidth, idDriveBox);

    TheToolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                                     CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                 kToolbarLeft, 0, kToolbarWidth, kToolbarStripHeight - 2, strip,
                                 reinterpret_cast<HMENU>(INT_PTR(idToolbar)), GetModuleHandleW(nullptr), nullptr);
    if (!TheToolbar) throw std::runtime_error("toolbar");
    SendMessageW(TheToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ImageList2 = std::make_unique<TImageList>(CreateToolbarImages());
    if (!ImageList2->Get()) throw std::runtime_error("toolbar images");
    SendMessageW(TheToolbar, TB_SETIMAGELIST, 0, LPARAM(ImageList2->Get()));
    std::vector<TBBUTTON> buttons;
    for (const TToolButton& tool : ToolbarButtons()) {
        TBBUTTON button = {};
        button.idCommand = tool.Id;
        button.iString = -1;
        if (tool.Kind == TToolKind::Separator) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = tool.Image;
            button.fsStyle = tool.Kind == TToolKind::Check ? BTNS_CHECK : BTNS_BUTTON;
            button.fsState = TBSTATE_ENABLED;
        }
        buttons.push_back(button);
    }
    SendMessageW(TheToolbar, TB_ADDBUTTONSW, WPARAM(buttons.size()), LPARAM(buttons.data()));

    ClustersBox = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                                  0, kStripControlTop, 0, 200, strip, reinterpret_cast<HMENU>(INT_PTR(idClustersBox)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!ClustersBox) throw std::runtime_error("cluster size box");
    SendMessageW(ClustersBox, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const char* entry : kClusterBoxEntries)
        SendMessageW(ClustersBox, CB_ADDSTRING, 0, LPARAM(Widen(entry).c_str()));

    // Tooltips of the two boxes; the toolbar asks for its own (TTN_GETDISPINFO).
    StripTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!StripTips) throw std::runtime_error("tooltips");
    const std::pair<HWND, const char*> tips[] = {{TheDriveBox.Handle(), kDriveBoxHint},
                                                 {ClustersBox, kClustersBoxHint}};
    for (const auto& tip : tips) {
        std::wstring text = Widen(ShortHint(tip.second));
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = strip;
        tool.uId = UINT_PTR(tip.first);
        tool.lpszText = text.data();
        SendMessageW(StripTips, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
}

void TMainForm::CreateClientArea() {
    TheLeftPanel = std::make_unique<TPanel>(Window, idLeftPanel);
    TheFolderTree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                                        TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                    0, 0, 0, 0, TheLeftPanel->Handle(), reinterpret_cast<HMENU>(INT_PTR(idFolderTree)),
                                    GetModuleHandleW(nullptr), nullptr);
    if (!TheFolderTree) throw std::runtime_error("folder tree");

    MainSplitter = std::make_unique<TPanel>(Window, idSplitter);
    MainSplitter->OnMessage = [this](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        switch (message) {
            case WM_SETCURSOR:
                SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                result = TRUE;
                return true;
            case WM_LBUTTONDOWN:
                SetCapture(MainSplitter->Handle());
                SplitterGrab = GET_X_LPARAM(lParam);
                return true;
            case WM_MOUSEMOVE: {
                if (SplitterGrab < 0) return false;
                POINT point = {GET_X_LPARAM(lParam), 0};
                MapWindowPoints(MainSplitter->Handle(), Window, &point, 1);
                RECT client;
                GetClientRect(Window, &client);
                LeftPanelWidth = std::max(kMinPaneWidth,
                                          std::min(int(point.x) - SplitterGrab, int(client.right) - kMinPaneWidth));
                Layout();
                return true;
            }
            case WM_LBUTTONUP:
                SplitterGrab = -1;
                ReleaseCapture();
                return true;
            case WM_CAPTURECHANGED: SplitterGrab = -1; return true;
            default: return false;
        }
    };

    TheRightPanel = std::make_unique<TPanel>(Window, idRightPanel);
    ThePages = std::make_unique<TPageControl>(TheRightPanel->Handle(), idPages, idFirstSheet);
    CreateNotScannedSheet();
}

void TMainForm::CreateNotScannedSheet() {
    NotReadyPanel = std::make_unique<TPanel>(ThePages->Sheet(pageNotScanned).Handle(), idNotReadyPanel);
    imgNotReady = std::make_unique<TPanel>(NotReadyPanel->Handle(), idNotReadyPicture);
    imgNotReady->OnPaint = [](HDC dc, const RECT& client) { PaintNotScannedPicture(dc, client); };
    NotReadyTextPanel = std::make_unique<TPanel>(NotReadyPanel->Handle(), idNotReadyTextPanel);
    txtNotReady = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0,
                                  kNotReadyMemoTop, 0, 0, NotReadyTextPanel->Handle(),
                                  reinterpret_cast<HMENU>(INT_PTR(idNotReadyMemo)), GetModuleHandleW(nullptr), nullptr);
    if (!txtNotReady) throw std::runtime_error("not-scanned memo");
    SendMessageW(txtNotReady, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(txtNotReady, NoContextMenuProc, 0, 0);
}

void TMainForm::CreateStatusBar() {
    TheStatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Window,
                                   reinterpret_cast<HMENU>(INT_PTR(idStatusBar)), GetModuleHandleW(nullptr), nullptr);
    if (!TheStatusBar) throw std::runtime_error("status bar");
}

void TMainForm::CreatePieBuffer() {
    RECT sheet;
    GetClientRect(ThePages->Sheet(pagePieChart).Handle(), &sheet);
    PieImage = std::make_unique<TGdiBitmap>(std::max(int(sheet.right), 1), std::max(int(sheet.bottom), 1));
    if (!PieImage->IsValid()) throw std::runtime_error("pie bitmap");
    PieChart = std::make_unique<THPieChart>(&PieImage->Canvas(), PieImage->Width(), PieImage->Height());
    PieChart->Buffer = &PieImage->Canvas();
    PieChart->CloseCircle = true;
    PieChart->MinTextAngle = MinTextSectionAngle;
}

void TMainForm::ResizePieBitmap(int width, int height) {
    auto image = std::make_unique<TGdiBitmap>(std::max(width, 1), std::max(height, 1));
    if (!image->IsValid()) return;
    PieChart->SetCanvas(&image->Canvas());
    PieChart->Buffer = &image->Canvas();
    PieImage = std::move(image);
}

// ---------------------------------------------------------------- commands

void TMainForm::BindCommands() {
    const auto bind = [this](int id, const std::function<void()>& action) {
        if (action) Actions[id] = action;
    };
    const auto bindToggle = [this](int id, const std::function<void(bool)>& hook) {
        if (hook) Actions[id] = [this, id, hook] { hook(IsToolDown(id)); };
    };

    Actions[cmdFileScanDrives] = [this] { ScanDrivesCommand(); };
    bind(cmdFileRescanCurrentDirectory, Hooks.RescanCurrentFolder);
    bind(cmdFileRescanCurrentDrive, Hooks.RescanCurrentDrive);
    bind(cmdFileRescanAllDrives, Hooks.RescanAllDrives);
    bind(cmdFileRemoveCurrentDrive, Hooks.RemoveCurrentDrive);
    bind(cmdFileRemoveAllDrives, Hooks.RemoveAllDrives);
    Actions[cmdFileAbort] = [] { AbortScan = true; };
    bind(cmdFilePieAsMetafile, Hooks.PieAsMetafile);
    bind(cmdFilePieAsBitmap, Hooks.PieAsBitmap);
    bind(cmdFilePieToFile, Hooks.PieToFile);
    bind(cmdFileExportFolderReport, Hooks.ExportFolderReport);
    bind(cmdFileSelectFolder, Hooks.SelectFolder);
    bind(cmdFileRestoreCompressedFolders, Hooks.RestoreCompressedFolders);
    Actions[cmdFileExit] = [this] { PostMessageW(Window, WM_CLOSE, 0, 0); };

    Actions[cmdViewToolbar] = [this] { TogglePane(cmdViewToolbar, ToolbarSupport->Handle(), ViewToolbar); };
    Actions[cmdViewStatusBar] = [this] { TogglePane(cmdViewStatusBar, TheStatusBar, ViewStatusBar); };
    Actions[cmdViewFolderTree] = [this] { ToggleFolderTree(); };
    for (int page = 0; page < kPageCount; ++page) Actions[CommandOfPage(page)] = [this, page] { SelectPageCommand(page); };
    if (Hooks.ToggleSectionSizeWindow)
        Actions[cmdViewPieSectionSizeWindow] = [this] {
            const bool shown = !(MenuState(MenuOf(cmdViewPieSectionSizeWindow), cmdViewPieSectionSizeWindow) & MFS_CHECKED);
            SetMenuState(MenuOf(cmdViewPieSectionSizeWindow), cmdViewPieSectionSizeWindow, MFS_CHECKED, shown);
            Hooks.ToggleSectionSizeWindow(shown);
        };
    if (Hooks.SortPie)
        for (int id : {int(cmdViewPieSortAscending), int(cmdViewPieSortDescending)})
            Actions[id] = [this, id] {
                CheckMenuRadioItem(MenuOf(id), cmdViewPieSortAscending, cmdViewPieSortDescending, UINT(id), MF_BYCOMMAND);
                Hooks.SortPie(id == cmdViewPieSortAscending);
            };
    bind(cmdViewOptions, Hooks.Options);

    Actions[cmdHelpHelpTopics] = [this] { OpenHelp(0); };
    Actions[cmdHelpVisitWebPage] = [this] {
        TURL link(Services.Shell);
        link.URL = kProductWebPage;
        link.URLType = TURLType::utHttp;
        link.Open();
    };
    if (Hooks.ShowIntroLetter) Actions[cmdHelpIntroductoryLetter] = [this] { Hooks.ShowIntroLetter(true); };
    bind(cmdHelpAbout, Hooks.ShowAbout);

    if (Hooks.ScanOrRescanDrive) Actions[toolScan] = [this] { ScanSelectedDriveCommand(); };
    bind(toolRescanDir, Hooks.RescanCurrentFolder);
    Actions[toolStop] = Actions[cmdFileAbort];
    bind(toolLevelUp, Hooks.LevelUp);
    Actions[toolExplore] = [this] { ExploreCommand(); };
    bindToggle(toolShowWasted, Hooks.ToggleShowWasted);
    bindToggle(toolShowFiles, Hooks.ToggleShowFiles);
    bindToggle(toolPercent, Hooks.TogglePercent);
    bindToggle(toolMB, Hooks.ToggleMegabytes);
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

void TMainForm::SetCommandEnabled(int id, bool enabled) {
    const bool effective = enabled && Available(id);
    if (FindToolButton(id)) {
        SendMessageW(TheToolbar, TB_ENABLEBUTTON, WPARAM(id), MAKELPARAM(effective ? TRUE : FALSE, 0));
        return;
    }
    if (HMENU menu = MenuOf(id)) SetMenuState(menu, id, MFS_DISABLED, !effective);
}

bool TMainForm::IsCommandEnabled(int id) const {
    if (FindToolButton(id)) return SendMessageW(TheToolbar, TB_ISBUTTONENABLED, WPARAM(id), 0) != 0;
    HMENU menu = MenuOf(id);
    return menu && MenuPosition(menu, id) >= 0 && !(MenuState(menu, id) & MFS_DISABLED);
}

void TMainForm::SetToolDown(int id, bool down) {
    SendMessageW(TheToolbar, TB_CHECKBUTTON, WPARAM(id), MAKELPARAM(down ? TRUE : FALSE, 0));
}

void TMainForm::SetSectionSizeWindowTicked(bool shown) {
    SetMenuState(MenuOf(cmdViewPieSectionSizeWindow), cmdViewPieSectionSizeWindow, MFS_CHECKED, shown);
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
}

void TMainForm::SetScanning(bool on) {
    FormState.Scanning = on;
    for (int id : {int(cmdFileScanDrives), int(cmdFileRescan), int(cmdFileRemove), int(cmdFileSelectFolder),
                   int(toolRescanDir), int(toolScan)})
        SetCommandEnabled(id, !on);
    EnableWindow(ClustersBox, on ? FALSE : TRUE);
    SetCommandEnabled(cmdFileAbort, on);
    SetCommandEnabled(toolStop, on);
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
    if (!box.Confirmed() || !Hooks.ScanOrRescanDrive) return;
    for (const std::string& item : box.TheDrivesBox().CheckedItems()) {
        Hooks.ScanOrRescanDrive(item);
        if (AbortScan) break;
    }
}

void TMainForm::ScanSelectedDriveCommand() {
    const std::string item = TheDriveBox.SelectedItem();
    if (!item.empty()) Hooks.ScanOrRescanDrive(item);
}

void TMainForm::SelectPageCommand(int page) {
    const int id = CommandOfPage(page);
    HMENU menu = MenuOf(id);
    if (MenuState(menu, id) & MFS_CHECKED) return;
    CheckMenuRadioItem(menu, cmdViewPieChart, cmdViewCleanUp, UINT(id), MF_BYCOMMAND);
    ShowPage(page);
}

void TMainForm::TogglePane(int command, HWND pane, TBoolOption* option) {
    const bool shown = !(MenuState(MenuOf(command), command) & MFS_CHECKED);
    SetMenuState(MenuOf(command), command, MFS_CHECKED, shown);
    ShowWindow(pane, shown ? SW_SHOW : SW_HIDE);
    if (option) option->Value = shown;
    Layout();
}

void TMainForm::ToggleFolderTree() {
    TogglePane(cmdViewFolderTree, TheLeftPanel->Handle(), ViewFolderTree);
    MainSplitter->SetVisible(TheLeftPanel->Visible());
    Layout();
}

void TMainForm::ExploreCommand() {
    if (!FormState.CurrentPath.empty()) Services.Shell.Open("EXPLORER.EXE", "/E," + FormState.CurrentPath, kShowNormal);
}

void TMainForm::ClustersBoxChange() {
    const LRESULT entry = SendMessageW(ClustersBox, CB_GETCURSEL, 0, 0);
    if (entry < 0) return;
    ClusterView = int(entry);
    InvalidateViews(true);
}

void TMainForm::OpenHelp(int context) {
    const std::string page =
        context == 0 ? HelpIndexPath(ExeFolder())
                     : HelpTopicPath(ExeFolder(), context,
                                     [this](const std::string& path) { return Services.FileSystem.PathExists(path); });
    Services.Shell.Open(page, "", kShowNormal);
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

// ---------------------------------------------------------------- showing

void TMainForm::ApplyPieColors() {
    PieChart->SetLabelColors(Colors[kColorTextRectBackground], Colors[kColorTextRectLines], Colors[kColorText],
                             Colors[kColorTextRectBackgroundHighlighted], Colors[kColorTextRectLinesHighlighted],
                             Colors[kColorTextHighlighted]);
    PieChart->SetColors(Colors[kColorPieBackground], Colors[kColorPieLines], Colors[kColorNormalFolder]);
    if (Hooks.ApplySectionWindowColors) Hooks.ApplySectionWindowColors();
}

void TMainForm::Show(int showCommand) {
    ApplyPieColors();
    TWin32WindowPlacement placement(Window);
    LoadWindowBounds(Services.Registry, placement, kRegistryRoot, kDesktopSection);

    SetToolDown(toolShowWasted, IncludeWastedInformation->Value);
    SetToolDown(toolShowFiles, ShowFileNames->Value);
    SetToolDown(toolPercent, ShowPercentInPie->Value == 1);
    SetToolDown(toolMB, ShowPercentInPie->Value == 2);

    SetMenuState(MenuOf(cmdViewToolbar), cmdViewToolbar, MFS_CHECKED, ViewToolbar->Value);
    ToolbarSupport->SetVisible(ViewToolbar->Value);
    SetMenuState(MenuOf(cmdViewStatusBar), cmdViewStatusBar, MFS_CHECKED, ViewStatusBar->Value);
    ShowWindow(TheStatusBar, ViewStatusBar->Value ? SW_SHOWNA : SW_HIDE);
    // Put in the opposite state and run once, so tick, panes and option agree.
    SetMenuState(MenuOf(cmdViewFolderTree), cmdViewFolderTree, MFS_CHECKED, !ViewFolderTree->Value);
    ToggleFolderTree();

    SetMenuState(MenuOf(cmdViewPieSectionSizeWindow), cmdViewPieSectionSizeWindow, MFS_CHECKED,
                 PieSectionSizeWindow->Value);
    CheckMenuRadioItem(MenuOf(cmdViewPieSortAscending), cmdViewPieSortAscending, cmdViewPieSortDescending,
                       SortAscending->Value ? cmdViewPieSortAscending : cmdViewPieSortDescending, MF_BYCOMMAND);
    Layout();
    ShowWindow(Window, showCommand);
    UpdateWindow(Window);
}

void TMainForm::OnFirstActivation() {
    try {
        if (!Services.ProgramPath.empty()) TheDriveBox.SelectLetter(Services.ProgramPath[0]);
    } catch (const std::exception&) {
        // The drive box keeps no selection.
    }
    TWin32WindowPlacement placement(Window);
    LoadWindowState(Services.Registry, placement, kRegistryRoot, kDesktopSection);
    PostMessageW(Window, kDeferredStartupMessage, 0, 0);
}

void TMainForm::OnDeferredStartup() {
    TStartupSteps steps;
    if (Hooks.ShowIntroLetter) steps.ShowIntroLetter = [this] { Hooks.ShowIntroLetter(false); };
    steps.ShowAbout = Hooks.ShowAbout;
    steps.AutoScanDrives = Hooks.AutoScanDrives;
    steps.ScanCommandLine = Hooks.ScanCommandLine;
    steps.NothingScanned = [this] { return FormState.ScannedDrives.Letters().empty(); };
    steps.ScanDrives = [this] { ExecuteCommand(cmdFileScanDrives); };
    RunDeferredStartup(Services.Registry, DrivesToAutoScan ? DrivesToAutoScan->Value : std::string(), steps);
}

// ---------------------------------------------------------------- pages

void TMainForm::ShowPage(int page) {
    FormState.CurrentPage = uint8_t(page);
    TFolderNode* node = Hooks.SelectedNode ? Hooks.SelectedNode() : nullptr;
    FormState.CurrentNode = node;
    if (!UpdatePageVisibility(node)) return;
    // A drive's root never reaches page 4: UpdatePageVisibility moved it to the pie.
    const std::function<void(TFolderNode&)>* fillers[] = {&Hooks.ShowPiePage, &Hooks.FillFolderInfoPage,
                                                          &Hooks.FillSubfoldersPage, &Hooks.FillWastedPage,
                                                          &Hooks.FillCleanUpPage};
    const auto& filler = *fillers[FormState.CurrentPage];
    if (filler) filler(*node);
}

bool TMainForm::UpdatePageVisibility(TFolderNode* node) {
    FormState.CurrentNode = node;
    const TPageVisibility visibility = DecidePageVisibility(node, FormState.CurrentPage);
    if (visibility.HasRecord) {
        FormState.CurrentPage = visibility.CurrentPage;
        ThePages->SetTabsVisible(visibility.TabVisible);
        ThePages->SetActiveSheet(visibility.ActiveSheet);
        return true;
    }
    if (Hooks.HideSectionSizeWindow) Hooks.HideSectionSizeWindow();
    const TColor color = Colors[kColorNotScannedPanel];
    NotReadyBrush = std::make_unique<TGdiObject>(CreateSolidBrush(ToColorRef(color)));
    for (TPanel* panel : {NotReadyPanel.get(), imgNotReady.get(), NotReadyTextPanel.get()}) panel->SetColor(color);
    InvalidateRect(txtNotReady, nullptr, TRUE);
    ThePages->SetTabsVisible(visibility.TabVisible);
    ThePages->SetActiveSheet(pageNotScanned);
    UpdateNotScannedText();
    return false;
}

void TMainForm::InvalidateViews(bool refill) {
    FormState.InfoPath.clear();
    FormState.PiePath.clear();
    FormState.ListNode = nullptr;
    if (refill) ShowPage(FormState.CurrentPage);
}

void TMainForm::InvalidatePie() {
    FormState.PiePath.clear();
    if (FormState.CurrentPage == 0) ShowPage(0);
}

void TMainForm::LayoutPage() {
    if (Hooks.LayoutPage) Hooks.LayoutPage();
}

void TMainForm::UpdateNotScannedText() {
    const bool noDrives = FormState.ScannedDrives.Letters().empty();
    if (ThePages->TabVisible(pageNotScanned)) ThePages->SetTabCaption(pageNotScanned, NotScannedCaption(noDrives));
    const std::string message = NotScannedMessage(noDrives, FormState.Scanning, FormState.CurrentNode);
    SetWindowTextW(txtNotReady, Widen(message).c_str());
}

void TMainForm::TabChange() {
    if (ThePages->ActiveSheet() == pageNotScanned) return;
    const int sheet = ThePages->SelectedTabSheet();
    if (sheet <= pageNotScanned) return;
    // The sheet is filled without drawing and shown whole afterwards.
    HWND sheetWindow = SheetWindow(sheet);
    SendMessageW(sheetWindow, WM_SETREDRAW, FALSE, 0);
    ShowPage(PageOfSheet(sheet));
    SendMessageW(sheetWindow, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(sheetWindow, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------- status bar and hints

void TMainForm::SetStatusText(int panel, const std::string& text) {
    const WPARAM style = panel == 0 && StatusHintShowing ? SBT_NOBORDERS : 0;
    SendMessageW(TheStatusBar, SB_SETTEXTW, WPARAM(panel) | style, LPARAM(Widen(text).c_str()));
}

void TMainForm::PaintStatusBarNow() { UpdateWindow(TheStatusBar); }

void TMainForm::SetHint(const std::string& longHint) {
    ApplicationHint = longHint;
    if (RestoresStatusPath(longHint)) {
        ShowStatusHint(false);
        SetStatusText(0, FormState.CurrentPath);
    } else {
        ShowStatusHint(true);
        SetStatusText(0, longHint);
    }
}

void TMainForm::ShowStatusHint(bool showing) {
    StatusHintShowing = showing;
    LayoutStatusBar();
}

void TMainForm::LayoutStatusBar() {
    RECT bar;
    GetClientRect(TheStatusBar, &bar);
    const TStatusPanels panels = StatusPanelWidths(bar.right, StatusHintShowing);
    int rightEdges[2] = {panels.PathWidth, StatusHintShowing ? panels.PathWidth : -1};
    SendMessageW(TheStatusBar, SB_SETPARTS, 2, LPARAM(rightEdges));
}

std::string TMainForm::HintOfWindow(HWND window, POINT screenPoint) const {
    for (HWND control = window; control && control != Window; control = GetParent(control)) {
        if (control == TheToolbar) {
            POINT point = screenPoint;
            ScreenToClient(TheToolbar, &point);
            const int index = int(SendMessageW(TheToolbar, TB_HITTEST, 0, LPARAM(&point)));
            TBBUTTON button = {};
            if (index >= 0 && SendMessageW(TheToolbar, TB_GETBUTTON, WPARAM(index), LPARAM(&button)))
                if (const TToolButton* tool = FindToolButton(button.idCommand)) return tool->Hint;
        }
        if (control == TheDriveBox.Handle()) return kDriveBoxHint;
        if (control == ClustersBox) return kClustersBoxHint;
        if (control == TheStatusBar) return kStatusBarHint;
    }
    return "";
}

void TMainForm::TrackHint(const MSG& message) {
    if (message.hwnd != Window && !IsChild(Window, message.hwnd)) return;
    POINT point = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    ClientToScreen(message.hwnd, &point);
    const std::string longHint = LongHint(HintOfWindow(message.hwnd, point));
    if (longHint != ApplicationHint) SetHint(longHint);
}

void TMainForm::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        SetHint("");  // the menu closed
        return;
    }
    if (flags & MF_SEPARATOR) {
        SetHint(LongHint(kSeparatorHint));
        return;
    }
    if (flags & MF_SYSMENU) {
        SetHint("");
        return;
    }
    int id = int(item);
    if (flags & MF_POPUP) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        id = GetMenuItemInfoW(menu, item, TRUE, &info) ? int(info.wID) : 0;
    }
    const TMenuEntry* entry = FindMenuEntry(id);
    SetHint(entry ? LongHint(entry->Hint) : "");
}

// ---------------------------------------------------------------- layout

void TMainForm::Layout() {
    if (!Window || !TheStatusBar) return;
    RECT client;
    GetClientRect(Window, &client);
    const int width = client.right;
    int top = 0;
    panAd->SetBounds(0, 0, width, kBannerHeight);
    if (SponsorBanner) SponsorBanner->SetBounds(0, 0, width, kBannerHeight);
    top += kBannerHeight;
    if (ToolbarSupport->Visible()) {
        ToolbarSupport->SetBounds(0, top, width, kToolbarStripHeight);
        LayoutToolbarStripContents();
        top += kToolbarStripHeight;
    }
    top += kStripGap;

    int bottom = client.bottom;
    if (GetWindowLongW(TheStatusBar, GWL_STYLE) & WS_VISIBLE) {
        SendMessageW(TheStatusBar, WM_SIZE, 0, 0);
        RECT bar;
        GetWindowRect(TheStatusBar, &bar);
        bottom -= bar.bottom - bar.top;
        LayoutStatusBar();
    }
    const int height = std::max(bottom - top, 0);
    int left = 0;
    if (TheLeftPanel->Visible()) {
        LeftPanelWidth = std::max(kMinPaneWidth, std::min(LeftPanelWidth, width - kMinPaneWidth));
        TheLeftPanel->SetBounds(0, top, LeftPanelWidth, height);
        MoveWindow(TheFolderTree, 0, 0, LeftPanelWidth, height, TRUE);
        MainSplitter->SetBounds(LeftPanelWidth, top, kSplitterWidth, height);
        left = LeftPanelWidth + kSplitterWidth;
    }
    const int rightWidth = std::max(width - left, 0);
    TheRightPanel->SetBounds(left, top, rightWidth, height);
    ThePages->SetBounds(0, kPagesTopGap, rightWidth, height - kPagesTopGap);
    LayoutNotScannedSheet();
    if (rightWidth != RightPanelSize.cx || height != RightPanelSize.cy) {
        RightPanelSize = SIZE{rightWidth, height};
        LayoutPage();
    }
}

void TMainForm::LayoutToolbarStripContents() {
    RECT strip;
    GetClientRect(ToolbarSupport->Handle(), &strip);
    const TStripLayout layout = LayoutToolbarStrip(strip.right);
    MoveWindow(TheToolbar, layout.ToolbarLeft, 0, layout.ToolbarWidth, kToolbarStripHeight - 2, TRUE);
    if (layout.ClustersVisible) {
        RECT box;
        GetWindowRect(ClustersBox, &box);
        MoveWindow(ClustersBox, layout.ClustersLeft, kStripControlTop, layout.ClustersWidth, box.bottom - box.top, TRUE);
    }
    ShowWindow(ClustersBox, layout.ClustersVisible ? SW_SHOWNA : SW_HIDE);
}

void TMainForm::LayoutNotScannedSheet() {
    RECT sheet;
    GetClientRect(ThePages->Sheet(pageNotScanned).Handle(), &sheet);
    NotReadyPanel->SetBounds(0, 0, sheet.right, sheet.bottom);
    imgNotReady->SetBounds(0, 0, kNotReadyPictureWidth, sheet.bottom);
    const int textWidth = std::max(int(sheet.right) - kNotReadyPictureWidth, 0);
    NotReadyTextPanel->SetBounds(kNotReadyPictureWidth, 0, textWidth, sheet.bottom);
    const TMemoSize memo = NotScannedMemoSize(textWidth, sheet.bottom, kNotReadyMemoTop);
    MoveWindow(txtNotReady, 0, kNotReadyMemoTop, memo.Width, memo.Height, TRUE);
    UpdateNotScannedText();
}

// ---------------------------------------------------------------- messages

bool TMainForm::ShowsScannedFolder() const { return FormState.CurrentNode && FormState.CurrentNode->Record; }

void TMainForm::OnInitMenuPopup(HMENU menu) {
    const bool scanned = ShowsScannedFolder();
    if (menu == SubmenuOf[mnuFile]) {
        const bool pieExport = Available(cmdFilePieAsMetafile) || Available(cmdFilePieAsBitmap) ||
                               Available(cmdFilePieToFile);
        SetCommandEnabled(cmdFileExportPie, scanned && pieExport);
        SetCommandEnabled(cmdFileExportFolderReport, scanned);
    } else if (menu == SubmenuOf[mnuView]) {
        for (int page = 0; page < kPageCount; ++page) SetCommandEnabled(CommandOfPage(page), scanned);
        if (scanned) SetCommandEnabled(cmdViewCleanUp, ThePages->TabVisible(pageCleanUp));
        CheckMenuRadioItem(menu, cmdViewPieChart, cmdViewCleanUp, UINT(CommandOfPage(FormState.CurrentPage)),
                           MF_BYCOMMAND);
    }
}

void TMainForm::OnHelp(const HELPINFO& info) {
    int context = 0;
    if (info.iContextType == HELPINFO_MENUITEM) {
        // Submenus answer for the top-level menu they belong to.
        for (HMENU menu = static_cast<HMENU>(info.hItemHandle); menu && !context;) {
            context = int(GetMenuContextHelpId(menu));
            HMENU owner = nullptr;
            for (const auto& submenu : SubmenuOf) {
                const auto parent = PopupOf.find(submenu.first);
                if (submenu.second == menu && parent != PopupOf.end() && parent->second != MainMenu1)
                    owner = parent->second;
            }
            menu = owner;
        }
    }
    OpenHelp(context);
}

void TMainForm::OnDropFiles(HDROP drop) {
    TDropRelease release(drop);
    SetForegroundWindow(Window);
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(length);
    if (Hooks.SelectFolderByPath) Hooks.SelectFolderByPath(Narrow(path));
}

void TMainForm::OnDestroy() {
    PieChart.reset();
    PieImage.reset();
    if (!Created) return;
    std::string failure;
    try {
        TWin32WindowPlacement placement(Window);
        SaveWindowState(Services.Registry, placement, kRegistryRoot, kDesktopSection);
        if (placement.GetWindowState() == TWindowState::Normal)
            SaveWindowBounds(Services.Registry, placement, kRegistryRoot, kDesktopSection);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    try {
        SaveOptions(Services.Registry);
    } catch (const std::exception& error) {
        if (failure.empty()) failure = error.what();
    }
    // The settings that could not be written are lost; the user should know.
    if (!failure.empty()) Services.MessageBoxes.Show(kProductName, failure, TMsgButtons::Ok, TMsgIcon::Error);
    PostQuitMessage(0);
}

bool TMainForm::PreviewCleanUpKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != Window && !IsChild(Window, message.hwnd)) return false;
    if (!KeyDown(VK_CONTROL) || KeyDown(VK_SHIFT) || KeyDown(VK_MENU)) return false;
    const std::function<void()>* action = nullptr;
    switch (message.wParam) {
        case 'B': action = &Hooks.CleanUpRecycle; break;
        case 'D': action = &Hooks.CleanUpDelete; break;
        case 'M': action = &Hooks.CleanUpMove; break;
        case 'R': action = &Hooks.CleanUpArchive; break;
        default: return false;
    }
    if (!ThePages->TabVisible(pageCleanUp)) return false;
    if (*action) (*action)();
    return true;
}

bool TMainForm::PreTranslateMessage(MSG& message) {
    if (!Window) return false;
    if (message.message == WM_MOUSEMOVE) TrackHint(message);
    if (PreviewCleanUpKey(message)) return true;
    return Accelerators && TranslateAcceleratorW(Window, Accelerators, &message) != 0;
}

void TMainForm::OnCommand(int id, int notifyCode, HWND control) {
    if (control && control == ClustersBox) {
        if (notifyCode == CBN_SELCHANGE) ClustersBoxChange();
        return;
    }
    if (control && control == txtNotReady) {
        // The memo never keeps the focus, so its text shows no caret.
        if (notifyCode == EN_SETFOCUS) SetFocus(ThePages->Sheet(pageNotScanned).Handle());
        return;
    }
    if (!control || control == TheToolbar) ExecuteCommand(id);
}

bool TMainForm::OnNotify(NMHDR& header, LRESULT& result) {
    if (FolderTreeNotify && FolderTreeNotify(header, result)) return true;
    if (header.code == TTN_GETDISPINFOW && header.hwndFrom == HWND(SendMessageW(TheToolbar, TB_GETTOOLTIPS, 0, 0))) {
        static std::wstring tooltip;
        const TToolButton* tool = FindToolButton(int(header.idFrom));
        tooltip = tool && tool->Tooltip ? Widen(ShortHint(tool->Hint)) : std::wstring();
        reinterpret_cast<NMTTDISPINFOW&>(header).lpszText = tooltip.data();
        result = 0;
        return true;
    }
    if (header.code == TCN_SELCHANGE && header.hwndFrom == ThePages->Handle()) {
        TabChange();
        result = 0;
        return true;
    }
    return false;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: Layout(); return 0;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), HWND(lParam)); return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
            break;
        }
        case WM_DRAWITEM:
            if (TheDriveBox.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC:
            if (HWND(lParam) == txtNotReady && NotReadyBrush) {
                SetBkColor(HDC(wParam), ToColorRef(Colors[kColorNotScannedPanel]));
                return LRESULT(NotReadyBrush->Get());
            }
            break;
        case WM_INITMENUPOPUP: OnInitMenuPopup(HMENU(wParam)); return 0;
        case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), HMENU(lParam)); return 0;
        case WM_HELP: OnHelp(*reinterpret_cast<const HELPINFO*>(lParam)); return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !FirstActivationDone && Created) {
                FirstActivationDone = true;
                PostMessageW(Window, kFirstActivationMessage, 0, 0);
            }
            break;
        case kFirstActivationMessage: OnFirstActivation(); return 0;
        case kDeferredStartupMessage: OnDeferredStartup(); return 0;
        case WM_DROPFILES: OnDropFiles(HDROP(wParam)); return 0;
        case WM_CLOSE:
            if (FormState.Scanning) {
                // The scan runs inside this window's message loop: it ends
                // first, with the window still there, and the close comes after.
                AbortScan = true;
                CloseAfterScan = true;
                return 0;
            }
            DragAcceptFiles(Window, FALSE);
            DestroyWindow(Window);
            return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: break;
    }
    return DefWindowProcW(Window, message, wParam, lParam);
}
