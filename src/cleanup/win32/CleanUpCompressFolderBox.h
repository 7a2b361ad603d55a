#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cleanup/ArchiveChecks.h"
#include "cleanup/ArchiveIndex.h"
#include "cleanup/ArchiveProgress.h"
#include "cleanup/CompressFolder.h"
#include "cleanup/ZipMaster.h"
#include "controls/win32/Dialog.h"
#include "main/HelpTopics.h"
#include "controls/win32/DriveComboBox.h"
#include "controls/win32/ListView.h"
#include "controls/win32/ToolTips.h"
#include "platform/win32/GdiObjects.h"

class IDriveEnumerator;
class IDriveInfo;
class IFileActions;
class IFileSystem;
class IFolderBrowseDialog;
class IFolderCreator;
class ILocale;
class IMessageBoxes;
class IProfileFiles;
class IShellInfo;
class IShellOpen;

// What the archive dialog works with; all of it outlives the dialog.
struct TProgramOptions;

struct TCompressFolderServices {
    IDriveEnumerator& Drives;
    IShellInfo& ShellInfo;
    IFileSystem& FileSystem;
    IDriveInfo& DriveInfo;          // the free space a restore needs
    IFileActions& FileActions;      // the archive folder, the index and deleted archives
    IFolderCreator& FolderCreator;  // a restore path that does not exist yet
    IProfileFiles& Profiles;        // "archives.ini"
    IMessageBoxes& MessageBoxes;
    IFolderBrowseDialog& FolderBrowser;
    IShellOpen& Shell;  // the help pages
    const ILocale& Locale;
    IModalRunner& ModalRunner;
    TZipMasterServices Zip;          // the libraries and the process's current directory
    const std::string& ProgramPath;  // the libraries and the help lie beside it
    TProgramOptions& Options;        // the dialog's check boxes and level start from and go back to these
    // Whether the drive (upper-case letter) was scanned in this run.
    std::function<bool(char letter)> IsDriveScanned;
    // Draws archive numbers; empty: a generator seeded afresh.
    std::function<uint32_t()> DrawArchiveNumber;
};

// Opens the dialog on its archive page for one folder; returns once it closed.
void RunCompressFolderBox(const TCompressFolderServices& services, const TCompressFolderRequest& request, HWND owner);
// Opens the dialog with its restore page alone.
void RunRestoreFoldersBox(const TCompressFolderServices& services, HWND owner);

enum class TCompressPage { Compress, Restore, Progress };

// "Compress Folder": packs a folder into a ZIP archive in the drive's
// "Archives Bin", optionally deleting it, and restores archived folders
// from the index kept beside the archives. One template holds all three
// pages; the tabs show the controls of one at a time.
class TCleanUpCompressFolderBox : public TDialog {
public:
    // An empty request folder opens the restore page alone.
    TCleanUpCompressFolderBox(const TCompressFolderServices& services, TCompressFolderRequest request);
    ~TCleanUpCompressFolderBox() override;

    TCompressPage ActivePage() const { return Active; }
    bool PageTabShown(TCompressPage page) const;
    bool Running() const { return Busy; }
    const TShExDriveComboBox& DrivesBox() const { return Drives; }
    const TShExDriveComboBox& RestoreDrivesBox() const { return RestoreDrives; }
    const TListView* ArchiveList() const { return Archives.get(); }
    const std::vector<TArchiveRecord>& ArchiveRows() const { return Rows; }
    const std::string& RestorePathHintText() const { return RestoreHint; }
    TZipMaster& Zip() { return TheZip; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnDpiChanged(int dpi, LPARAM suggested) override;
    // Enter in an edit does not close the dialog; nothing closes it while
    // the libraries run (Close carries IDCANCEL, so Esc comes here too).
    void OnOk() override {}
    void OnCancel() override;
    // The page's topic, or the dialog's before a page shows.
    int HelpContext() const override;

private:
    // The frame: tabs, pages, Close and Help, the options.
    void CreateControls();
    void LoadOptions();
    void SaveOptions();
    void SetTabs(const std::vector<TCompressPage>& pages);
    void ShowPage(TCompressPage page);
    void TabChange();
    HBRUSH ColorStatic(HDC dc, HWND control);
    void DrawProgressTitle(const DRAWITEMSTRUCT& item);
    bool Checked(int id) const;

    // The archive page.
    void CompressClick();
    void StopClick();
    void ShowResults(const std::string& archivePath, const TLeftOut& leftOut);
    TArchiveRecord RecordOf(const std::string& archivePath) const;
    void ForgetArchive(TArchiveIndex& index, const std::string& archiveName);

    // The restore page.
    void RestoreDrivesChange();
    void ListArchives();
    void ArchivesChange(const NMLISTVIEW& change);
    bool ArchiveEdited(const NMLVDISPINFOW& edit);
    void RestorePathChange();
    void BrowseRestorePath();
    void DeleteArchiveClick();
    bool DeleteArchive(const TArchiveRecord& record);
    void RestoreClick();
    // Checks made before anything is written; false, with the user told
    // why and the restore page back, when the restore must not run.
    bool RestorePathReady(const std::string& base);
    bool RestoreFitsAndMayReplace(const std::string& base);
    void ReturnToRestorePage();
    void ReportRestore(const TArchiveRecord& record, const std::string& restorePath);
    TArchiveIndex IndexOf(const std::string& archiveFolder);

    // The progress page, both directions.
    void StartProgress(const char* title, int64_t total, const std::string& filePrefix);
    void SetTitles(const std::string& title);
    void ZipProgress(TZipProgressKind kind, uint32_t fileSize, const std::string& fileName);
    void ShowProgress();
    void ZipMessage(int32_t errorCode, const std::string& message);
    void ShowRunMessages();
    void ProcessPendingMessages();
    void EndRun(bool closable);
    void ShowFinishedProgress();

    const TCompressFolderServices& Services;
    THelpTopics Help;
    TCompressFolderRequest Request;
    bool RestoreOnly;
    TZipMaster TheZip;
    TShExDriveComboBox Drives;         // cbDrives
    TShExDriveComboBox RestoreDrives;  // cbRestoreDrivesList
    std::unique_ptr<TListView> Archives;
    int ListDpi = 96;  // the resolution its columns were last sized for
    std::unique_ptr<TToolTips> Tips;
    std::vector<TArchiveRecord> Rows;  // the archive list's rows, in order
    std::string ArchiveFolder;         // the archive folder of the drive listed
    std::string RestoreHint;
    std::vector<TCompressPage> Tabs;  // the pages whose tabs show, in order
    TCompressPage Active = TCompressPage::Compress;
    bool RestoreShown = false;
    bool Busy = false;
    TArchiveProgress Progress{0};
    // The page shows the events and messages are processed at most 40 times a second.
    static constexpr uint64_t kPumpIntervalMs = 25;
    uint64_t LastPumpTicks = 0;
    int ShownPercent = 0;
    std::string ProgressFile;  // the file begun since the label was last set
    // The libraries' error messages of the run, one per error code with how
    // often it came; shown when the run ends, so that a thousand failing
    // files make one box and Stop stays within reach.
    struct TRunMessage {
        int32_t Code = 0;
        std::string Text;
        int64_t Count = 0;
    };
    std::vector<TRunMessage> RunMessages;
    int64_t RunProblems = 0;
    std::string ProgressPrefix;
    TFont TitleFont;
    COLORREF PageColor = 0;
    TGdiObject PageBrush;  // the tab page's colour, behind labels and check boxes
    char StartDrive = 0;   // the process's current drive when the dialog opened
};
