// The archive dialog's archive page: packing the folder into a new archive
// of the chosen drive, indexing it, and the results.
#include <windows.h>

#include <algorithm>

#include "../res/CompressFolderIds.h"
#include "cleanup/ArchiveChecks.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileActions.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellInfo.h"
#include "platform/win32/WindowText.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"

TArchiveRecord TCleanUpCompressFolderBox::RecordOf(const std::string& archivePath) const {
    TArchiveRecord record;
    record.ArchiveName = archivePath.substr(archivePath.find_last_of('\\') + 1);
    record.Description = WindowTextOf(Item(IDC_CF_DESCRIPTION));
    record.FolderName = FolderNameOf(Request.FolderPath);
    record.OriginalPath = ParentFolderPath(RemoveBackslash(Request.FolderPath));
    return record;
}

TArchiveIndex TCleanUpCompressFolderBox::IndexOf(const std::string& archiveFolder) {
    const std::string programRoot = Services.ProgramPath.size() >= 2 && Services.ProgramPath[1] == ':'
                                        ? std::string(1, UpperDriveLetter(Services.ProgramPath[0])) + ":\\"
                                        : std::string("C:\\");
    return TArchiveIndex(Services.Profiles, Services.FileSystem, archiveFolder, programRoot);
}

void TCleanUpCompressFolderBox::CompressClick() {
    if (Busy) return;
    const char letter = Drives.SelectedLetter();
    if (letter == 0) return;
    const std::string& folder = Request.FolderPath;
    const std::string parent = ParentFolderPath(RemoveBackslash(folder));
    // The library packs what the path names when it runs, and with "Move"
    // deletes it: the path must still name the folder that was scanned.
    const TFolderRefusal refusal = CheckFolderOnDisk(folder, Services.FileSystem);
    if (refusal != TFolderRefusal::None) {
        Services.MessageBoxes.Show(kProductName, FolderRefusalText(refusal, folder, "archived"), TMsgButtons::Ok,
                                   TMsgIcon::Warning);
        Close(IDCANCEL);
        return;
    }
    StartProgress(kNowCompressing, Request.FolderSize, AddBackslash(parent));

    const std::string archiveFolder = ArchiveFolderOf(letter);
    if (!PrepareArchiveFolder(archiveFolder, Services.FileSystem, Services.FileActions)) {
        Services.MessageBoxes.Show(kProductName, CreateFolderFailedText(archiveFolder), TMsgButtons::Ok,
                                   TMsgIcon::Error);
        EndRun(true);
        return;
    }
    TArchiveChoices choices;
    choices.Subfolders = Checked(IDC_CF_SUBFOLDERS);
    choices.Hidden = Checked(IDC_CF_HIDDEN);
    choices.Move = Checked(IDC_CF_DELETE_AFTER);
    choices.Password = Checked(IDC_CF_PASSWORD);
    TheZip.AddOptions = ArchiveAddOptions(choices);
    TheZip.AddCompLevel = int(SendMessageW(Item(IDC_CF_LEVEL_SPIN), UDM_GETPOS32, 0, 0));

    TArchiveNumbers numbers;
    const std::function<uint32_t()> draw = Services.DrawArchiveNumber
                                               ? Services.DrawArchiveNumber
                                               : std::function<uint32_t()>([&numbers] { return numbers(); });
    const std::string archivePath = ChooseArchivePath(letter, archiveFolder, draw, Services.FileSystem);
    const std::string archiveName = archivePath.substr(archivePath.find_last_of('\\') + 1);

    // Indexed before the library runs: once it has deleted the folder, the
    // archive must be listed for restore whatever happens next.
    TArchiveIndex index = IndexOf(archiveFolder);
    if (!index.Add(RecordOf(archivePath))) {
        ForgetArchive(index, archiveName);
        Services.MessageBoxes.Show(kProductName, IndexWriteFailedText(index.IndexPath()), TMsgButtons::Ok,
                                   TMsgIcon::Error);
        EndRun(true);
        return;
    }

    const TFolderFiles found = CountFolderFiles(folder, Services.FileSystem);
    TCurrentDirectoryKeeper keeper(Services.Zip.CurrentDirectory);
    // The library is given "Name\*.*", relative to the current directory:
    // that must be the parent, holding the folder still, or another folder
    // of the same name would be packed. While current, the parent cannot
    // be renamed under the library.
    ICurrentDirectory& directory = Services.Zip.CurrentDirectory;
    if (!directory.Change(parent) || !IsSameFolder(parent, directory.Path()) ||
        CheckFolderOnDisk(folder, Services.FileSystem) != TFolderRefusal::None) {
        keeper.Restore();
        ForgetArchive(index, archiveName);
        Services.MessageBoxes.Show(kProductName, FolderNotEnteredText(parent), TMsgButtons::Ok, TMsgIcon::Error);
        EndRun(true);
        return;
    }
    TheZip.SetZipFilename(archivePath);
    TheZip.FSpecArgs = {ArchiveSpecOf(folder)};
    try {
        TheZip.Add();
    } catch (...) {
        Services.MessageBoxes.Show(kProductName, kCompressFatalText, TMsgButtons::Ok, TMsgIcon::Error);
    }
    keeper.Restore();
    const int64_t problems = RunProblems;
    EndRun(false);

    // A stopped or failed run leaves no archive: the library removes its
    // partial file, and the folder was only deleted once the archive was whole.
    if (!Services.FileSystem.PathExists(archivePath)) {
        ForgetArchive(index, archiveName);
        Close(IDCANCEL);
        return;
    }
    ShowResults(archivePath, LeftOutOf(found, choices, TheZip.SuccessCnt(), problems));
}

// Takes a planned archive out of the index again; an index left empty goes
// with its folder, as when the list finds nothing.
void TCleanUpCompressFolderBox::ForgetArchive(TArchiveIndex& index, const std::string& archiveName) {
    index.Forget(archiveName);
    ListDriveArchives(index, Services.FileActions);
}

void TCleanUpCompressFolderBox::ShowResults(const std::string& archivePath, const TLeftOut& leftOut) {
    SetTitles(kFolderCompressed);
    ShowFinishedProgress();
    EnableWindow(Item(IDC_CF_CLOSE), TRUE);
    ShowWindow(Item(IDC_CF_STOP), SW_HIDE);
    const std::string folderRoot = std::string(1, UpperDriveLetter(Request.FolderPath[0])) + ":\\";
    const std::string archiveRoot = std::string(1, UpperDriveLetter(archivePath[0])) + ":\\";
    const bool folderDeleted = !Services.FileSystem.PathExists(Request.FolderPath);
    const TCompressResults texts = WithLeftOut(
        CompressResultTexts(Request.DiskUsage, Services.ShellInfo.GetShellDisplayName(folderRoot),
                            std::max<int64_t>(0, Services.FileActions.FileSize(archivePath)),
                            Services.ShellInfo.GetShellDisplayName(archiveRoot), folderDeleted, Services.Locale),
        leftOut);
    SetWindowTextOf(Item(IDC_CF_RESULTS1), texts.Usage);
    SetWindowTextOf(Item(IDC_CF_RESULTS2), texts.Archive);
    SetWindowTextOf(Item(IDC_CF_RESULTS3), texts.Gain);
    for (int id : {IDC_CF_RESULTS, IDC_CF_RESULTS1, IDC_CF_RESULTS2}) ShowWindow(Item(id), SW_SHOW);
    ShowWindow(Item(IDC_CF_RESULTS3), texts.GainShown ? SW_SHOW : SW_HIDE);
    SetFocus(Item(IDC_CF_CLOSE));
}
