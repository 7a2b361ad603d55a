#include "main/win32/MainForm.h"

#include <windowsx.h>

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>
#include <vector>

#include "config/Options.h"
#include "config/WindowPlacementStore.h"
#include "controls/DialogPlacement.h"
#include "main/ClusterSizeBox.h"
#include "main/Hints.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/StartupSequence.h"
#include "main/win32/Artwork.h"
#include "main/win32/FolderInfoPage.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "controls/win32/Fonts.h"
#include "cleanup/win32/CleanUpPage.h"
#include "main/win32/FolderReportExport.h"
#include "main/win32/SubfoldersPage.h"
#include "main/win32/WastedSpacePage.h"
#include "pie/win32/PieView.h"
#include "pie/win32/SectionSizeBox.h"
#include "platform/FileSystem.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/ProgramIcon.h"
#include "platform/win32/WindowDpi.h"
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

}  // namespace

TMainForm::TMainForm(const TMainFormServices& services, const TMainFormParts& parts)
    : Services(services),
      Parts(parts),
      TheDriveBox(services.Drives, services.ShellInfo),
      LeftPanelWidth(Scale(kLeftPanelWidth)) {}

// Its WM_DESTROY saves the settings, so the window goes while this object is whole.
TMainForm::~TMainForm() { DestroyBound(); }

// ---------------------------------------------------------------- creation

bool TMainForm::Create() {
    try {
        CreateFrame();
        FormState.CurrentDrive = 0;
        Services.Options = LoadOptions(Services.Registry);
        ShowPage(0);
        SetWindowTextW(Window, Widen(kProductName).c_str());
        if (HIMAGELIST icons = GetSystemImageList(true)) TreeView_SetImageList(TheFolderTree, icons, TVSIL_NORMAL);
        SendMessageW(TheDriveBox.Handle(), CB_SETCURSEL, WPARAM(-1), 0);
        SendMessageW(ClustersBox, CB_SETCURSEL, 0, 0);
        CreatePages();
        ZoomCursors = std::make_unique<TZoomCursors>(Scale);
        if (!ZoomCursors->IsValid()) throw std::runtime_error("cursors");
        for (const TMenuEntry& entry : MainMenuEntries())
            if (entry.Level == 0) SetMenuContextHelpId(SubmenuOf[entry.Id], DWORD(entry.HelpContext));
        SponsorBanner = std::make_unique<TPanel>(BannerPanel->Handle(), idSponsorBanner);
        SponsorBanner->OnPaint = [this](HDC dc, const RECT& client) { PaintSponsorBanner(dc, client, Scale); };
        DragAcceptFiles(Window, TRUE);
        UseGuiFontForWindowDpi();
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
    CreateBound({kMainWindowClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ProgramIcon(false)}, 0,
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight,
                nullptr, nullptr, Widen(kProductName).c_str());
    if (!Window) throw std::runtime_error("main window");
    // Every measure below, the pages' included, is taken at this resolution.
    Scale = TPixelScale(WindowDpi(Window));
    LeftPanelWidth = Scale(kLeftPanelWidth);
    // The designed bounds are for a 96-DPI screen; stored bounds, loaded
    // later, are screen pixels and replace these.
    if (Scale.DotsPerInch() != 96)
        SetWindowPos(Window, nullptr, Scale(kDefaultLeft), Scale(kDefaultTop), Scale(kDefaultWidth),
                     Scale(kDefaultHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    SetProgramIcon(Window);
    CreateMenus();
    BannerPanel = std::make_unique<TPanel>(Window, idBanner);
    CreateToolbarStrip();
    CreateClientArea();
    CreateStatusBar();
    BindCommands();
    ApplyInitialCommandStates();
}

void TMainForm::CreateClientArea() {
    TheLeftPanel = std::make_unique<TPanel>(Window, idLeftPanel);
    TheFolderTree = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0,
        0, 0, TheLeftPanel->Handle(), reinterpret_cast<HMENU>(INT_PTR(idFolderTree)), GetModuleHandleW(nullptr),
        nullptr);
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
                LeftPanelWidth = std::max(Scale(kMinPaneWidth), std::min(int(point.x) - SplitterGrab,
                                                                         int(client.right) - Scale(kMinPaneWidth)));
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
    NotScanned = std::make_unique<TNotScannedPage>(ThePages->Sheet(pageNotScanned), Scale);
}

void TMainForm::CreateStatusBar() {
    TheStatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Window,
                                   reinterpret_cast<HMENU>(INT_PTR(idStatusBar)), GetModuleHandleW(nullptr), nullptr);
    if (!TheStatusBar) throw std::runtime_error("status bar");
}

void TMainForm::CreatePages() {
    // Arial of 13 pixels at 96 DPI, as every page's header and labels use.
    PageTextFont = MakeFont({L"Arial", TFontSize::Pixels(13)}, Scale);
    PageBoldFont = MakeFont({L"Arial", TFontSize::Pixels(13), FW_BOLD}, Scale);
    const TPageServices services{Services.ShellInfo,
                                 Services.FileSystem,
                                 Services.Locale,
                                 Services.TextCompare,
                                 Scale,
                                 TPageFonts{PageTextFont.Get(), PageBoldFont.Get()},
                                 Services.Options};
    // The page control owns each page; the window keeps a typed pointer.
    const auto install = [this](int sheet, auto page) {
        auto* installed = page.get();
        ThePages->SetPage(sheet, std::move(page));
        return installed;
    };
    PieView = install(pagePieChart, std::make_unique<TPieView>(ThePages->Sheet(pagePieChart), *this, services));
    FolderInfoView =
        install(pageFolderInfo, std::make_unique<TFolderInfoPage>(ThePages->Sheet(pageFolderInfo), *this, services));
    SubfoldersView =
        install(pageSubfolders, std::make_unique<TSubfoldersPage>(ThePages->Sheet(pageSubfolders), *this, services));
    WastedSpaceView =
        install(pageWastedSpace, std::make_unique<TWastedSpacePage>(ThePages->Sheet(pageWastedSpace), *this, services));
    ThePages->SetPage(pageCleanUp, std::make_unique<TCleanUpPage>(ThePages->Sheet(pageCleanUp), *this, services,
                                                                  Services.ShellFiles, Services.MessageBoxes));
    ReportExport =
        std::make_unique<TFolderReportExport>(*this, Services.SaveDialog, Services.MessageBoxes, Services.Locale);
}

TCleanUpPage* TMainForm::CleanUp() const {
    return ThePages ? dynamic_cast<TCleanUpPage*>(ThePages->Page(pageCleanUp)) : nullptr;
}

// ---------------------------------------------------------------- showing

void TMainForm::ApplyPieColors() {
    if (PieView) PieView->ApplyColors();
}

void TMainForm::Show(int showCommand) {
    ApplyPieColors();
    TWin32WindowPlacement placement(Window);
    if (HasStoredWindowBounds(Services.Registry, kRegistryRoot, kDesktopSection))
        LoadWindowBounds(Services.Registry, placement, kRegistryRoot, kDesktopSection);
    else
        PlaceForFirstStart();

    const TProgramOptions& options = Services.Options;
    ToolbarSupport->SetVisible(options.ViewToolbar);
    ShowWindow(TheStatusBar, options.ViewStatusBar ? SW_SHOWNA : SW_HIDE);
    TheLeftPanel->SetVisible(options.ViewFolderTree);
    MainSplitter->SetVisible(options.ViewFolderTree);
    ShowCommandChecks();
    Layout();
    ShowWindow(Window, showCommand);
    UpdateWindow(Window);
}

void TMainForm::PlaceForFirstStart() {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const TRect area{work.left, work.top, work.right, work.bottom};
    const TRect bounds = FirstStartMainBounds(area);
    SetWindowPos(Window, nullptr, bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (SectionBox && !SectionBox->HasStoredBounds()) SectionBox->PlaceBeside(bounds, area);
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
    if (IProgramDialogs* dialogs = Parts.Dialogs) {
        steps.ShowIntroLetter = [dialogs] { dialogs->ShowIntroLetter(false); };
        steps.ShowAbout = [dialogs] { dialogs->ShowAbout(); };
    }
    if (IScanActions* scan = Parts.Scan) {
        steps.AutoScanDrives = [scan](const std::string& letters) { scan->AutoScanDrives(letters); };
        steps.ScanCommandLine = [scan] { scan->ScanCommandLine(); };
    }
    steps.NothingScanned = [this] { return FormState.ScannedDrives.Letters().empty(); };
    steps.ScanDrives = [this] { ExecuteCommand(cmdFileScanDrives); };
    RunDeferredStartup(Services.Registry, Services.Options.DrivesToAutoScan, steps);
}

// ---------------------------------------------------------------- messages

bool TMainForm::ShowsScannedFolder() const { return FormState.CurrentNode && FormState.CurrentNode->Record; }

void TMainForm::OnDropFiles(HDROP drop) {
    const TDropHandle release(drop);
    SetForegroundWindow(Window);
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(length);
    if (Parts.Scan) Parts.Scan->SelectFolderByPath(Narrow(path));
}

void TMainForm::OnDestroy() {
    // The pages (the chart and its bitmap among them) go before the options are saved.
    PieView = nullptr;
    FolderInfoView = nullptr;
    SubfoldersView = nullptr;
    WastedSpaceView = nullptr;
    for (int sheet = pagePieChart; sheet < kSheetCount; ++sheet) ThePages->SetPage(sheet, nullptr);
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
        SaveOptions(Services.Registry, Services.Options);
    } catch (const std::exception& error) {
        if (failure.empty()) failure = error.what();
    }
    // The settings that could not be written are lost; the user should know.
    if (!failure.empty()) Services.MessageBoxes.Show(kProductName, failure, TMsgButtons::Ok, TMsgIcon::Error);
    PostQuitMessage(0);
}

bool TMainForm::PreTranslateMessage(MSG& message) {
    if (!Window) return false;
    if (message.message == WM_MOUSEMOVE) TrackHint(message);
    // The clean-up shortcuts only for this window's own keys, and only while
    // the page's tab shows; otherwise the keys go on as typed.
    const bool ownKey = message.hwnd == Window || IsChild(Window, message.hwnd);
    if (ownKey && ThePages && ThePages->TabVisible(pageCleanUp) && CleanUpAccelerators &&
        TranslateAcceleratorW(Window, CleanUpAccelerators.Get(), &message))
        return true;
    if (PreviewFocusKey(message)) return true;
    return Accelerators && TranslateAcceleratorW(Window, Accelerators.Get(), &message) != 0;
}

void TMainForm::OnCommand(int id, int notifyCode, HWND control) {
    if (control && control == ClustersBox) {
        if (notifyCode == CBN_SELCHANGE) ClustersBoxChange();
        return;
    }
    if (!control || control == TheToolbar) ExecuteCommand(id);
}

bool TMainForm::OnNotify(NMHDR& header, LRESULT& result) {
    if (OnToolbarNotify(header, result)) return true;
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
        case kDpiChangedMessage: OnDpiChanged(wParam, lParam); return 0;
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
