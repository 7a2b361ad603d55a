// The archive dialog's frame: its pages and tabs, Close and Help, the
// options it shows, and the messages it routes to the pages.
#include "cleanup/win32/CleanUpCompressFolderBox.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "../res/CompressFolderIds.h"
#include "config/Options.h"
#include "controls/win32/Fonts.h"
#include "controls/PixelScale.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "controls/win32/WindowRescale.h"
#include "controls/win32/TabPageColor.h"
#include "main/HelpTopics.h"
#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowDpi.h"
#include "platform/win32/WindowText.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"

namespace {

// Places of the controls the dialog makes itself, in dialog units.
const RECT kDrivesPlace = {14, 52, 174, 64};
const RECT kRestoreDrivesPlace = {14, 52, 174, 64};
const RECT kArchivesPlace = {14, 70, 330, 142};

const int kDescriptionColumnWidth = 160;
const int kFolderColumnWidth = 100;
const int kLocationColumnWidth = 200;
const int kShadowOffset = 2;  // pixels between the title and its shadow

const int kCompressIds[] = {IDC_CF_COMPRESS_TITLE, IDC_CF_STORE_ON_DRIVE, IDC_CF_DRIVES,       IDC_CF_DESCRIPTION_LABEL,
                            IDC_CF_DESCRIPTION,    IDC_CF_SUBFOLDERS,     IDC_CF_DELETE_AFTER, IDC_CF_HIDDEN,
                            IDC_CF_PASSWORD,       IDC_CF_LEVEL_LABEL,    IDC_CF_LEVEL,        IDC_CF_LEVEL_SPIN,
                            IDC_CF_COMPRESS};
const int kRestoreIds[] = {IDC_CF_RESTORE_TITLE, IDC_CF_RESTORE_DRIVES_LABEL, IDC_CF_RESTORE_DRIVES,
                           IDC_CF_ARCHIVES,      IDC_CF_RESTORE_PATH_LABEL,   IDC_CF_RESTORE_PATH,
                           IDC_CF_BROWSE,        IDC_CF_DELETE_ARCHIVE_AFTER, IDC_CF_DELETE_ARCHIVE,
                           IDC_CF_RESTORE};
// The results panel shows only once an archive is made. The shadow title
// never shows: the title draws it, so the two always paint in order.
const int kProgressIds[] = {IDC_CF_PROGRESS_TITLE1, IDC_CF_PROGRESS_FILE, IDC_CF_PROGRESS_BAR, IDC_CF_PROGRESS_PERCENT,
                            IDC_CF_STOP};

const char* PageCaption(TCompressPage page) {
    switch (page) {
        case TCompressPage::Compress: return "Archive Folder";
        case TCompressPage::Restore: return "Restore Folder";
        case TCompressPage::Progress: return "Progress";
    }
    return "";
}

RECT DialogUnitsToPixels(HWND dialog, RECT place) {
    MapDialogRect(dialog, &place);
    return place;
}

char ProcessCurrentDrive() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || folder[1] != L':') return 0;
    return UpperDriveLetter(char(folder[0]));
}

}  // namespace

void RunCompressFolderBox(const TCompressFolderServices& services, const TCompressFolderRequest& request, HWND owner) {
    TCleanUpCompressFolderBox box(services, request);
    services.ModalRunner.Run(box, owner);
}

void RunRestoreFoldersBox(const TCompressFolderServices& services, HWND owner) {
    TCleanUpCompressFolderBox box(services, TCompressFolderRequest());
    services.ModalRunner.Run(box, owner);
}

TCleanUpCompressFolderBox::TCleanUpCompressFolderBox(const TCompressFolderServices& services,
                                                     TCompressFolderRequest request)
    : TDialog(IDD_COMPRESS_FOLDER, &Help),
      Services(services),
      Help(services.Shell, services.MessageBoxes, services.FileSystem, services.ProgramPath),
      Request(std::move(request)),
      RestoreOnly(Request.FolderPath.empty()),
      TheZip(services.Zip),
      Drives(services.Drives, services.ShellInfo),
      RestoreDrives(services.Drives, services.ShellInfo) {
    TheZip.Verbose = false;
    TheZip.Trace = false;
    TheZip.AddCompLevel = 9;
    TheZip.ExtrOptions = ExtrDirNames | ExtrOverWrite;
    TheZip.SetDLLDirectory(ParentFolderPath(Services.ProgramPath));
    TheZip.OnProgress = [this](TZipMaster&, TZipProgressKind kind, uint32_t size, const std::string& name) {
        ZipProgress(kind, size, name);
    };
    TheZip.OnMessage = [this](TZipMaster&, int32_t code, const std::string& text) { ZipMessage(code, text); };
}

TCleanUpCompressFolderBox::~TCleanUpCompressFolderBox() = default;

bool TCleanUpCompressFolderBox::OnInitDialog() {
    StartDrive = ProcessCurrentDrive();
    TheZip.OwnerWindow = Handle();
    // The dialog's font, larger and bold, for the page titles.
    TitleFont = VariantOf(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), {FW_BOLD, 3});
    for (int id : {IDC_CF_COMPRESS_TITLE, IDC_CF_RESTORE_TITLE, IDC_CF_PROGRESS_TITLE1, IDC_CF_PROGRESS_TITLE2})
        if (TitleFont.Get()) SendMessageW(Item(id), WM_SETFONT, WPARAM(TitleFont.Get()), FALSE);
    // The shadow sits two pixels right of and below the title; the title
    // grows by as much to paint both.
    RECT title = {};
    GetWindowRect(Item(IDC_CF_PROGRESS_TITLE1), &title);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&title), 2);
    SetWindowPos(Item(IDC_CF_PROGRESS_TITLE2), nullptr, title.left + kShadowOffset, title.top + kShadowOffset, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(IDC_CF_PROGRESS_TITLE1), nullptr, 0, 0, title.right - title.left + kShadowOffset,
                 title.bottom - title.top + kShadowOffset, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Item(IDC_CF_PROGRESS_TITLE2), SW_HIDE);
    PageColor = TabPageColor(Item(IDC_CF_TABS));
    PageBrush = TGdiObject(CreateSolidBrush(PageColor));
    SetWindowTextOf(Item(IDC_CF_STORE_ON_DRIVE),
                    std::string("Store archive in a special '") + kArchivesFolderName + "' folder on drive");
    SendMessageW(Item(IDC_CF_LEVEL_SPIN), UDM_SETRANGE32, 0, 9);
    SendMessageW(Item(IDC_CF_PROGRESS_BAR), PBM_SETRANGE32, 0, 100);
    CreateControls();
    LoadOptions();
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    if (RestoreOnly) {
        SetWindowTextOf(Handle(), kRestoreOnlyCaption);
        SetTabs({TCompressPage::Restore});
        ShowPage(TCompressPage::Restore);
    } else {
        SetWindowTextOf(Item(IDC_CF_DESCRIPTION), PresetDescription(Request.FolderPath));
        SetTabs({TCompressPage::Compress, TCompressPage::Restore});
        ShowPage(TCompressPage::Compress);
    }
    return false;
}

void TCleanUpCompressFolderBox::CreateControls() {
    try {
        RECT place = DialogUnitsToPixels(Handle(), kDrivesPlace);
        Drives.Create(Handle(), place.left, place.top, place.right - place.left, IDC_CF_DRIVES);
        SetWindowPos(Drives.Handle(), Item(IDC_CF_STORE_ON_DRIVE), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (StartDrive) Drives.SelectLetter(StartDrive);
        place = DialogUnitsToPixels(Handle(), kRestoreDrivesPlace);
        RestoreDrives.Create(Handle(), place.left, place.top, place.right - place.left, IDC_CF_RESTORE_DRIVES);
        SetWindowPos(RestoreDrives.Handle(), Item(IDC_CF_RESTORE_DRIVES_LABEL), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Archives = std::make_unique<TListView>(
            Handle(), IDC_CF_ARCHIVES, LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_NOSORTHEADER, false);
        place = DialogUnitsToPixels(Handle(), kArchivesPlace);
        Archives->SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
        SetWindowPos(Archives->Handle(), RestoreDrives.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Archives->SetFont(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        Archives->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        // The columns' widths are for 96 DPI.
        ListDpi = WindowDpi(Handle());
        const TPixelScale listScale(ListDpi);
        Archives->AddColumn("Archive Description", listScale(kDescriptionColumnWidth), false);
        Archives->AddColumn("Folder Name", listScale(kFolderColumnWidth), false);
        Archives->AddColumn("Original Location", listScale(kLocationColumnWidth), false);
        Tips = std::make_unique<TToolTips>(Handle());
    } catch (const std::runtime_error&) {
        // Without them the dialog still closes; nothing is archived or restored.
    }
}

bool TCleanUpCompressFolderBox::Checked(int id) const {
    return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCleanUpCompressFolderBox::LoadOptions() {
    const TProgramOptions& options = Services.Options;
    const auto check = [this](int id, bool ticked) {
        SendMessageW(Item(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    check(IDC_CF_SUBFOLDERS, options.ZIPAddSubfolders);
    check(IDC_CF_DELETE_AFTER, options.ZIPDeleteAfterCompressing);
    check(IDC_CF_HIDDEN, options.ZIPAddHiddenFiles);
    check(IDC_CF_PASSWORD, options.ZIPPasswordProtect);
    check(IDC_CF_DELETE_ARCHIVE_AFTER, options.ZIPDeleteArchive);
    SendMessageW(Item(IDC_CF_LEVEL_SPIN), UDM_SETPOS32, 0, std::clamp(options.ZIPCompressionLevel, 0, 9));
}

void TCleanUpCompressFolderBox::SaveOptions() {
    TProgramOptions& options = Services.Options;
    options.ZIPAddSubfolders = Checked(IDC_CF_SUBFOLDERS);
    options.ZIPDeleteAfterCompressing = Checked(IDC_CF_DELETE_AFTER);
    options.ZIPAddHiddenFiles = Checked(IDC_CF_HIDDEN);
    options.ZIPPasswordProtect = Checked(IDC_CF_PASSWORD);
    options.ZIPDeleteArchive = Checked(IDC_CF_DELETE_ARCHIVE_AFTER);
    options.ZIPCompressionLevel = std::clamp(int(SendMessageW(Item(IDC_CF_LEVEL_SPIN), UDM_GETPOS32, 0, 0)), 0, 9);
}

bool TCleanUpCompressFolderBox::PageTabShown(TCompressPage page) const {
    return std::find(Tabs.begin(), Tabs.end(), page) != Tabs.end();
}

void TCleanUpCompressFolderBox::SetTabs(const std::vector<TCompressPage>& pages) {
    const HWND tabs = Item(IDC_CF_TABS);
    Tabs = pages;
    TabCtrl_DeleteAllItems(tabs);
    for (size_t i = 0; i < pages.size(); ++i) {
        std::wstring caption = Widen(PageCaption(pages[i]));
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
    }
}

void TCleanUpCompressFolderBox::ShowPage(TCompressPage page) {
    Active = page;
    const auto show = [this](const int* ids, size_t count, bool on) {
        for (size_t i = 0; i < count; ++i) ShowWindow(Item(ids[i]), on ? SW_SHOW : SW_HIDE);
    };
    show(kCompressIds, std::size(kCompressIds), page == TCompressPage::Compress);
    show(kRestoreIds, std::size(kRestoreIds), page == TCompressPage::Restore);
    show(kProgressIds, std::size(kProgressIds), page == TCompressPage::Progress);
    if (page != TCompressPage::Progress)
        for (int id : {IDC_CF_RESULTS, IDC_CF_RESULTS1, IDC_CF_RESULTS2, IDC_CF_RESULTS3})
            ShowWindow(Item(id), SW_HIDE);
    const auto tab = std::find(Tabs.begin(), Tabs.end(), page);
    if (tab != Tabs.end()) TabCtrl_SetCurSel(Item(IDC_CF_TABS), int(tab - Tabs.begin()));
    if (page == TCompressPage::Compress) SetFocus(Item(IDC_CF_DESCRIPTION));
    if (page == TCompressPage::Restore) {
        if (!RestoreShown) {
            RestoreShown = true;
            // Reported as a change, so the list fills at once.
            if (StartDrive) RestoreDrives.SelectLetter(StartDrive);
        }
        if (Archives) SetFocus(Archives->Handle());
    }
}

void TCleanUpCompressFolderBox::TabChange() {
    const int selected = TabCtrl_GetCurSel(Item(IDC_CF_TABS));
    if (selected >= 0 && size_t(selected) < Tabs.size()) ShowPage(Tabs[size_t(selected)]);
}

int TCleanUpCompressFolderBox::HelpContext() const {
    if (Active == TCompressPage::Compress) return kCompressPageHelpContext;
    if (Active == TCompressPage::Restore) return kRestorePageHelpContext;
    return kCompressDialogHelpContext;
}

void TCleanUpCompressFolderBox::OnCancel() {
    if (!Busy && IsWindowEnabled(Item(IDC_CF_CLOSE))) Close(IDCANCEL);
}

bool TCleanUpCompressFolderBox::OnCommand(int id, int notifyCode, HWND) {
    static const TCommandRoute<TCleanUpCompressFolderBox> routes[] = {
        {IDC_CF_COMPRESS, BN_CLICKED, &TCleanUpCompressFolderBox::CompressClick},
        {IDC_CF_STOP, BN_CLICKED, &TCleanUpCompressFolderBox::StopClick},
        {IDC_CF_RESTORE_DRIVES, CBN_SELCHANGE, &TCleanUpCompressFolderBox::RestoreDrivesChange},
        {IDC_CF_RESTORE_PATH, EN_CHANGE, &TCleanUpCompressFolderBox::RestorePathChange},
        {IDC_CF_BROWSE, BN_CLICKED, &TCleanUpCompressFolderBox::BrowseRestorePath},
        {IDC_CF_DELETE_ARCHIVE, BN_CLICKED, &TCleanUpCompressFolderBox::DeleteArchiveClick},
        {IDC_CF_RESTORE, BN_CLICKED, &TCleanUpCompressFolderBox::RestoreClick},
    };
    return RouteCommand(*this, routes, id, notifyCode);
}

// Stops the running add or extract at the library's next callback.
void TCleanUpCompressFolderBox::StopClick() { TheZip.Cancel = true; }

// The dialog manager scales the controls; the list's columns follow here.
bool TCleanUpCompressFolderBox::OnDpiChanged(int dpi, LPARAM) {
    if (Archives) RescaleListColumns(Archives->Handle(), ListDpi, dpi);
    ListDpi = dpi;
    return false;
}

bool TCleanUpCompressFolderBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != IDC_CF_PROGRESS_TITLE1) return false;
            DrawProgressTitle(item);
            result = TRUE;
            return true;
        }
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom == IDC_CF_TABS && header.code == TCN_SELCHANGE) {
                TabChange();
                return true;
            }
            if (header.idFrom != IDC_CF_ARCHIVES) return false;
            if (header.code == LVN_ITEMCHANGED) {
                ArchivesChange(*reinterpret_cast<const NMLISTVIEW*>(lParam));
                return true;
            }
            if (header.code == LVN_ENDLABELEDITW) {
                result = ArchiveEdited(*reinterpret_cast<const NMLVDISPINFOW*>(lParam)) ? TRUE : FALSE;
                return true;
            }
            return false;
        }
        case WM_CTLCOLORSTATIC: {
            const HBRUSH brush = ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            if (!brush) return false;
            result = INT_PTR(brush);
            return true;
        }
        case WM_DESTROY:
            // Whatever happened, the check boxes and the level are kept for next time.
            SaveOptions();
            return false;
        default: return false;
    }
}

// Labels, check boxes and the results frame sit on the tab's page and
// take its colour; edits keep their own.
HBRUSH TCleanUpCompressFolderBox::ColorStatic(HDC dc, HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0 || !PageBrush.Get()) return nullptr;
    SetBkColor(dc, PageColor);
    return static_cast<HBRUSH>(PageBrush.Get());
}

// The shadowed title: the shadow in grey where the second label lies, the
// title in the text colour over it.
void TCleanUpCompressFolderBox::DrawProgressTitle(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem,
             static_cast<HBRUSH>(PageBrush.Get() ? PageBrush.Get() : GetSysColorBrush(COLOR_BTNFACE)));
    const std::wstring text = Widen(WindowTextOf(item.hwndItem));
    TSelection font(dc, TitleFont.Get() ? TitleFont.Get() : HGDIOBJ(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    RECT place = item.rcItem;
    place.right -= kShadowOffset;
    place.bottom -= kShadowOffset;
    RECT shadow = place;
    OffsetRect(&shadow, kShadowOffset, kShadowOffset);
    const UINT format = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, text.c_str(), int(text.size()), &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), int(text.size()), &place, format);
}
