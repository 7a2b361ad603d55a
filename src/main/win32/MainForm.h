#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

#include <shellapi.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "controls/win32/Dialog.h"
#include "controls/win32/DriveComboBox.h"
#include "main/MainFormParts.h"
#include "main/Pages.h"
#include "controls/PixelScale.h"
#include "main/MainFormState.h"
#include "main/win32/NotScannedPage.h"
#include "main/win32/PageControl.h"
#include "controls/win32/Panel.h"
#include "main/win32/ToolbarImages.h"
#include "main/win32/ZoomCursors.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

class IDriveEnumerator;
struct TProgramOptions;
class IDriveInfo;
class IFileSystem;
class IShellInfo;
class ILocale;
class ITextCompare;
class ISaveFileDialog;
class TFolderReportExport;
class TCleanUpPage;
class IShellFileOperation;
class TPieView;
class TSubfoldersPage;
class TFolderInfoPage;
class TWastedSpacePage;
class TSectionSizeBox;

// What the main window works with; all of it outlives the window.
struct TMainFormServices {
    IRegistry& Registry;
    IMessageBoxes& MessageBoxes;
    IModalRunner& ModalRunner;
    IShellOpen& Shell;  // Explore, help pages, the web page
    IFileSystem& FileSystem;
    IDriveEnumerator& Drives;
    IShellInfo& ShellInfo;
    IDriveInfo& DriveInfo;
    const ILocale& Locale;
    const ITextCompare& TextCompare;
    ISaveFileDialog& SaveDialog;      // the report's Save As dialog
    IShellFileOperation& ShellFiles;  // the clean-up actions' delete and move
    std::string ProgramPath;          // the running executable
    TProgramOptions& Options;         // loaded when the window is made, saved when it goes
};

// The posted message that runs the deferred start-up once the window is on
// screen and painted.
constexpr UINT kDeferredStartupMessage = WM_APP + 1;
// Posted by the first activation, so that its work runs once the call that
// activated the window (ShowWindow) has finished placing it.
constexpr UINT kFirstActivationMessage = WM_APP + 2;

// Quarrymap 2000's one top-level window: menus, toolbar strip, folder tree
// pane, page control and status bar; the page mechanism the other parts of
// the program use; start-up and the saving of settings at the end.
class TMainForm : public TBoundWindow, public IPageHost {
public:
    TMainForm(const TMainFormServices& services, const TMainFormParts& parts);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Loads the options and builds the window, hidden. On any failure shows
    // "Fatal error: Quarrymap 2000 must close" and returns false.
    bool Create();
    // Restores placement and view settings, then shows the window.
    void Show(int showCommand);
    HWND OwnerWindow() const override { return Window; }
    int ActiveSheet() const override;

    // For the message loop, before a message is dispatched: hints, the
    // clean-up shortcuts and the accelerators. True when it was consumed.
    bool PreTranslateMessage(MSG& message);

    // The page mechanism.
    void ShowPage(int page);
    bool UpdatePageVisibility(TFolderNode* node) override;
    void InvalidateViews(bool refill) override;
    void InvalidatePie() override;
    // The section size window's waste figure for the selected folder at the
    // cluster size in view.
    void ShowFolderWaste();
    // `going` and its subtree are about to be freed: the pages and the
    // state let go of every pointer into it first.
    void NodesGoing(const TFolderNode& going);
    void LayoutPage();
    void UpdateNotScannedText();
    void SetStatusText(int panel, const std::string& text) override;
    // Draws the status bar now, for callers that keep the queue waiting.
    void PaintStatusBarNow();

    // The scanning switch: disables what would start, rescan or remove a
    // scan or change the cluster-size view, and enables Abort.
    void SetScanning(bool on);
    // Menu entries and toolbar buttons by command id. A command whose work
    // has no slot filled stays disabled.
    void SetCommandEnabled(int id, bool enabled);
    bool IsCommandEnabled(int id) const;

    // Whether a command shows ticked in the menu or down on the toolbar,
    // from the options and the window's state: the one place that decides
    // it. ShowCommandChecks puts every tick and button as it says; it runs
    // after every command and whenever an option changes elsewhere (the
    // section size window hidden by the user, the Options dialog).
    bool CommandChecked(int id) const;
    void ShowCommandChecks();
    bool IsToolDown(int id) const;
    // Runs a command as its menu entry or button would; ignored while disabled.
    void ExecuteCommand(int id) override;

    // The colour options onto the chart (and the section size window).
    void ApplyPieColors();
    // With nothing stored: most of the screen, and the section size window beside.
    void PlaceForFirstStart();
    // Opens the help page of a context number; 0 opens the contents.
    void OpenHelp(int context) override;

    TMainFormState& State() { return FormState; }
    TProgramOptions& Options() { return Services.Options; }
    const TMainFormState& State() const override { return FormState; }
    // The pie page; none once the window is destroyed.
    TPieView* Pie() const { return PieView; }
    TSubfoldersPage* Subfolders() const { return SubfoldersView; }
    TFolderInfoPage* FolderInfo() const { return FolderInfoView; }
    TWastedSpacePage* WastedSpace() const { return WastedSpaceView; }
    // Looked up each time: a test may put a page of its own on the sheet.
    TCleanUpPage* CleanUp() const;
    // File > Export Folder Report; null before Create.
    TFolderReportExport* FolderReport() const { return ReportExport.get(); }
    // The folder tree as the pages walk it; none until the scan side attaches.
    void SetNavigator(IFolderNavigator* navigator) { FolderNavigator = navigator; }
    IFolderNavigator* Navigator() const override { return FolderNavigator; }
    // The floating window of waste and drive space; may be none.
    void SetSectionSizeBox(TSectionSizeBox* box) { SectionBox = box; }
    TSectionSizeBox* SectionSizeBox() const override { return SectionBox; }
    // The program's cursors by number: 0 arrow, 5 zoom in, 6 zoom out.
    HCURSOR Cursor(int number) const override;
    TShExDriveComboBox& DriveBox() { return TheDriveBox; }
    HWND FolderTree() const { return TheFolderTree; }
    HWND SheetWindow(int sheet) const;
    TPageControl& Pages() { return *ThePages; }

    // Called by the tree when its selection changes and by anything that
    // wants the status bar back on the path.
    void SetHint(const std::string& longHint);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creation, in order.
    void CreateFrame();
    void CreateMenus();
    void CreateToolbarStrip();
    void CreateClientArea();
    void CreateStatusBar();
    void CreatePages();
    void BindCommands();
    void ApplyInitialCommandStates();

    void Layout();
    void LayoutToolbarStripContents();
    void LayoutStatusBar();

    // Events.
    void OnCommand(int id, int notifyCode, HWND control);
    bool OnNotify(NMHDR& header, LRESULT& result);
    bool OnToolbarNotify(NMHDR& header, LRESULT& result);
    void OnInitMenuPopup(HMENU menu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnHelp(const HELPINFO& info);
    void OnFirstActivation();
    void OnDeferredStartup();
    void OnDropFiles(HDROP drop);
    void OnDestroy();
    void OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void ChangeResolution(TPixelScale old, TPixelScale scale);
    // At creation on a screen other than the primary one.
    void UseGuiFontForWindowDpi();
    void TrackHint(const MSG& message);
    // Tab, Shift+Tab and F6 between the panes, Backspace on the pie (MainFormKeyboard.cpp).
    bool PreviewFocusKey(const MSG& message);

    // Commands of this window.
    void ScanDrivesCommand();
    void ScanSelectedDriveCommand();
    void SelectPageCommand(int page);
    void TogglePane(HWND pane, bool& option);
    void ToggleFolderTree();
    void ExploreCommand();
    void ClustersBoxChange();
    void TabChange();

    bool Available(int id) const;
    bool ShowsScannedFolder() const;
    HMENU MenuOf(int id) const;
    std::string HintOfWindow(HWND window, POINT screenPoint) const;
    void ShowStatusHint(bool showing);
    std::string ExeFolder() const;

    TMainFormServices Services;
    TPixelScale Scale;
    // The pages' label fonts, declared early so that they outlive the pages.
    TFont PageTextFont;
    TFont PageBoldFont;
    // The stock user-interface font made for this window's resolution, once
    // that differs from the primary screen's; null until then.
    TFont GuiFont;
    TMainFormParts Parts;
    TMainFormState FormState;

    bool Created = false;
    bool FirstActivationDone = false;
    std::map<int, std::function<void()>> Actions;

    // Menus and accelerators; the menu bar is destroyed with the window.
    HMENU MenuBar = nullptr;
    std::map<int, HMENU> PopupOf;    // command id -> the popup holding it
    std::map<int, HMENU> SubmenuOf;  // submenu entry id -> its own popup
    TAcceleratorTable Accelerators;
    TAcceleratorTable CleanUpAccelerators;

    // Children, in the order they appear on the window.
    std::unique_ptr<TPanel> BannerPanel;
    std::unique_ptr<TPanel> SponsorBanner;
    std::unique_ptr<TPanel> ToolbarSupport;
    TShExDriveComboBox TheDriveBox;
    HWND TheToolbar = nullptr;
    HWND ClustersBox = nullptr;
    HWND StripTips = nullptr;
    std::wstring ToolTipText;  // the text the toolbar's tooltip was last handed
    std::unique_ptr<TPanel> TheLeftPanel;
    HWND TheFolderTree = nullptr;
    std::unique_ptr<TPanel> MainSplitter;
    std::unique_ptr<TPanel> TheRightPanel;
    std::unique_ptr<TPageControl> ThePages;
    std::array<SIZE, kSheetCount> PageLaidOutSize{};  // each sheet's size at its page's last layout
    std::unique_ptr<TNotScannedPage> NotScanned;
    HWND TheStatusBar = nullptr;

    std::unique_ptr<TImageList> ToolbarImages;
    std::unique_ptr<TZoomCursors> ZoomCursors;
    TPieView* PieView = nullptr;  // owned by the page control, as are the other pages
    TSubfoldersPage* SubfoldersView = nullptr;
    TFolderInfoPage* FolderInfoView = nullptr;
    TWastedSpacePage* WastedSpaceView = nullptr;
    IFolderNavigator* FolderNavigator = nullptr;
    std::unique_ptr<TFolderReportExport> ReportExport;
    TSectionSizeBox* SectionBox = nullptr;

    int LeftPanelWidth;
    SIZE RightPanelSize = {0, 0};
    bool StatusHintShowing = false;
    struct TStatusPanelText {
        bool Set = false;
        WPARAM Style = 0;
        std::string Text;
    };
    std::array<TStatusPanelText, 2> StatusShown;  // what each status panel was last given
    bool CloseAfterScan = false;                  // closing was asked for while a scan ran
    std::string ApplicationHint;
    int SplitterGrab = -1;  // where the splitter was grabbed, -1 when not dragging
};
