// The archive dialog's restore page: the archives of a drive from its
// index, their descriptions, deleting one, and restoring a folder.
#include <windows.h>

#include <commctrl.h>

#include "../res/CompressFolderIds.h"
#include "cleanup/ArchiveChecks.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "controls/win32/FolderBrowse.h"
#include "platform/CurrentDirectory.h"
#include "platform/DriveInfo.h"
#include "platform/FileActions.h"
#include "platform/FileSystem.h"
#include "platform/FolderCreator.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowText.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

void TCleanUpCompressFolderBox::RestoreDrivesChange() {
    const char letter = RestoreDrives.SelectedLetter();
    if (letter == 0) return;
    ArchiveFolder = ArchiveFolderOf(letter);
    ListArchives();
}

void TCleanUpCompressFolderBox::ListArchives() {
    if (!Archives) return;
    Archives->DeleteAllRows();
    Rows.clear();
    TArchiveIndex index = IndexOf(ArchiveFolder);
    Rows = ListDriveArchives(index, Services.FileActions);
    for (const TArchiveRecord& record : Rows) {
        const int row = Archives->AddRow(record.Description);
        Archives->SetCell(row, 1, record.FolderName);
        Archives->SetCell(row, 2, record.OriginalPath);
    }
    const bool enabled = RestoreControlsEnabled(Archives->SelectedRow());
    for (int id : {IDC_CF_RESTORE, IDC_CF_BROWSE, IDC_CF_RESTORE_PATH, IDC_CF_DELETE_ARCHIVE})
        EnableWindow(Item(id), enabled);
    if (!enabled) SetWindowTextOf(Item(IDC_CF_RESTORE_PATH), "");
}

void TCleanUpCompressFolderBox::ArchivesChange(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0) return;
    const int row = Archives ? Archives->SelectedRow() : -1;
    const bool enabled = RestoreControlsEnabled(row) && size_t(row) < Rows.size();
    for (int id : {IDC_CF_RESTORE, IDC_CF_BROWSE, IDC_CF_RESTORE_PATH, IDC_CF_DELETE_ARCHIVE})
        EnableWindow(Item(id), enabled);
    SetWindowTextOf(Item(IDC_CF_RESTORE_PATH), enabled ? Rows[size_t(row)].OriginalPath : std::string());
}

// The new description is written at once; a refused write keeps the old one.
bool TCleanUpCompressFolderBox::ArchiveEdited(const NMLVDISPINFOW& edit) {
    if (!edit.item.pszText || edit.item.iItem < 0 || size_t(edit.item.iItem) >= Rows.size()) return false;
    TArchiveRecord& record = Rows[size_t(edit.item.iItem)];
    const std::string description = Narrow(edit.item.pszText);
    TArchiveIndex index = IndexOf(ArchiveFolder);
    if (!index.SetDescription(record.ArchiveName, description)) {
        Services.MessageBoxes.Show(kProductName, IndexWriteFailedText(index.IndexPath()), TMsgButtons::Ok,
                                   TMsgIcon::Error);
        return false;
    }
    record.Description = description;
    return true;
}

void TCleanUpCompressFolderBox::RestorePathChange() {
    const int row = Archives ? Archives->SelectedRow() : -1;
    const std::string folderName = row >= 0 && size_t(row) < Rows.size() ? Rows[size_t(row)].FolderName : "";
    RestoreHint = RestorePathHint(WindowTextOf(Item(IDC_CF_RESTORE_PATH)), folderName);
    // The tip shows the part before "|", as the short hint.
    if (Tips) Tips->SetTip(Item(IDC_CF_RESTORE_PATH), RestoreHint.substr(0, RestoreHint.find('|')));
}

void TCleanUpCompressFolderBox::BrowseRestorePath() {
    TFolderBrowse browse(Services.FolderBrowser);
    browse.Title = kBrowseRestoreTitle;
    browse.Folder = WindowTextOf(Item(IDC_CF_RESTORE_PATH));
    browse.AllowDriveRoots = true;
    if (browse.Execute()) SetWindowTextOf(Item(IDC_CF_RESTORE_PATH), browse.Folder);
}

void TCleanUpCompressFolderBox::DeleteArchiveClick() {
    if (Busy) return;
    const int row = Archives ? Archives->SelectedRow() : -1;
    if (row < 0 || size_t(row) >= Rows.size()) return;
    const TArchiveRecord record = Rows[size_t(row)];
    if (Services.MessageBoxes.Show(kProductName, DeleteArchiveQuestion(record.FolderName), TMsgButtons::YesNoCancel,
                                   TMsgIcon::Question) != TMsgResult::Yes)
        return;
    if (DeleteArchive(record)) ListArchives();
}

bool TCleanUpCompressFolderBox::DeleteArchive(const TArchiveRecord& record) {
    TArchiveIndex index = IndexOf(ArchiveFolder);
    if (DeleteIndexedArchive(index, record.ArchiveName, Services.FileActions)) return true;
    Services.MessageBoxes.Show(kProductName, DeleteArchiveFailedText(index.ArchivePath(record.ArchiveName)),
                               TMsgButtons::Ok, TMsgIcon::Error);
    return false;
}

void TCleanUpCompressFolderBox::RestoreClick() {
    if (Busy || !IsWindowEnabled(Item(IDC_CF_RESTORE))) return;
    const int row = Archives ? Archives->SelectedRow() : -1;
    if (row < 0 || size_t(row) >= Rows.size()) return;
    const TArchiveRecord record = Rows[size_t(row)];
    const std::string restorePath = WindowTextOf(Item(IDC_CF_RESTORE_PATH));
    // The library writes into the current directory: a path that could
    // resolve against it, or that Windows would rewrite, never reaches it.
    const TRestoreRefusal refusal = CheckRestorePath(restorePath);
    if (refusal != TRestoreRefusal::None) {
        Services.MessageBoxes.Show(kProductName, RestoreRefusalText(refusal, restorePath), TMsgButtons::Ok,
                                   TMsgIcon::Warning);
        SetFocus(Item(IDC_CF_RESTORE_PATH));
        return;
    }
    const std::string prefix =
        RestoreOnly ? std::string() : AddBackslash(ParentFolderPath(RemoveBackslash(Request.FolderPath)));
    StartProgress(kNowRestoring, 0, prefix);

    if (!TheZip.SetZipFilename(ArchiveFolder + "\\" + record.ArchiveName)) {
        Services.MessageBoxes.Show(kProductName, TheZip.ListError(), TMsgButtons::Ok, TMsgIcon::Error);
        EndRun(true);
        return;
    }
    const std::string base = ExtractionBaseFolder(restorePath);
    if (!RestoreFitsAndMayReplace(base)) return;
    TCurrentDirectoryKeeper keeper(Services.Zip.CurrentDirectory);
    if (!RestorePathReady(base)) return;
    TheZip.ExtrBaseDir = base;
    TheZip.FSpecArgs.clear();
    Progress = TArchiveProgress(UncompressedTotal(TheZip.ZipContents()));
    try {
        TheZip.Extract();
    } catch (...) {
        Services.MessageBoxes.Show(kProductName, kRestoreFatalText, TMsgButtons::Ok, TMsgIcon::Error);
    }
    keeper.Restore();
    EndRun(false);
    ReportRestore(record, restorePath);
    Close(IDOK);
}

// The files must fit on the drive, and what is there already is replaced
// only when the user says so.
bool TCleanUpCompressFolderBox::RestoreFitsAndMayReplace(const std::string& base) {
    const int64_t needed = UncompressedTotal(TheZip.ZipContents());
    const int64_t free = Services.DriveInfo.GetDriveFreeBytes(VolumeRootOf(base));
    if (free >= 0 && needed > free) {
        Services.MessageBoxes.Show(
            kProductName,
            RestoreTooLargeText(base, FormatSize(needed, Services.Locale), FormatSize(free, Services.Locale)),
            TMsgButtons::Ok, TMsgIcon::Error);
        ReturnToRestorePage();
        return false;
    }
    for (const std::string& name : TopLevelNames(TheZip.ZipContents())) {
        const std::string existing = AddBackslash(base) + name;
        if (!Services.FileSystem.PathExists(existing)) continue;
        if (Services.MessageBoxes.Show(kProductName, RestoreOverwriteQuestion(existing), TMsgButtons::YesNoDefaultNo,
                                       TMsgIcon::Warning) != TMsgResult::Yes) {
            ReturnToRestorePage();
            return false;
        }
        break;  // one answer covers the restore
    }
    return true;
}

// The folder is made when missing and entered; the library then writes
// nowhere else.
bool TCleanUpCompressFolderBox::RestorePathReady(const std::string& base) {
    ICurrentDirectory& directory = Services.Zip.CurrentDirectory;
    const bool made = Services.FileSystem.PathExists(base) || Services.FolderCreator.CreateFolder(base);
    if (made && directory.Change(base) && IsSameFolder(base, directory.Path())) return true;
    Services.MessageBoxes.Show(kProductName, RestorePathNotMadeText(base), TMsgButtons::Ok, TMsgIcon::Error);
    ReturnToRestorePage();
    return false;
}

void TCleanUpCompressFolderBox::ReturnToRestorePage() {
    EndRun(true);
    if (RestoreOnly)
        SetTabs({TCompressPage::Restore});
    else
        SetTabs({TCompressPage::Compress, TCompressPage::Restore});
    ShowPage(TCompressPage::Restore);
}

void TCleanUpCompressFolderBox::ReportRestore(const TArchiveRecord& record, const std::string& restorePath) {
    const std::string restored = RestoredFolderPath(restorePath, record.FolderName);
    if (RestoreSucceeded(TheZip.SuccessCnt(), TheZip.ZipContents())) {
        ShowFinishedProgress();
        Services.MessageBoxes.Show(kProductName, RestoreSuccessText(restored), TMsgButtons::Ok, TMsgIcon::Information);
        if (Checked(IDC_CF_DELETE_ARCHIVE_AFTER) && DeleteArchive(record)) ListArchives();
    } else {
        Services.MessageBoxes.Show(kProductName,
                                   RestoreFailureText(restored, ArchiveFolder + "\\" + record.ArchiveName),
                                   TMsgButtons::Ok, TMsgIcon::Error);
    }
    const char letter = restorePath.empty() ? 0 : UpperDriveLetter(restorePath[0]);
    if (letter && Services.IsDriveScanned && Services.IsDriveScanned(letter))
        Services.MessageBoxes.Show(kProductName, RescanHintText(letter), TMsgButtons::Ok, TMsgIcon::Information);
}
