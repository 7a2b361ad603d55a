#pragma once
// The rules and texts of the archive dialog, apart from its windows: what
// it presets, how it judges a restore, and every message it shows.
#include <cstdint>
#include <string>
#include <vector>

#include "cleanup/ArchiveIndex.h"
#include "cleanup/ZipEntryList.h"

class IFileActions;
class IFileSystem;
class ILocale;
class IProfileFiles;

// The folder to archive, as the main window measured it.
struct TCompressFolderRequest {
    std::string FolderPath;
    int64_t FolderSize = 0;  // the progress bar's total
    int64_t DiskUsage = 0;   // what the folder occupies, as the views show it
};

constexpr int kCompressDialogHelpContext = 2100;
constexpr int kCompressPageHelpContext = 2120;
constexpr int kRestorePageHelpContext = 2130;

constexpr const char* kNowCompressing = "Now Compressing...";
constexpr const char* kNowRestoring = "Now Restoring...";
constexpr const char* kFolderCompressed = "Folder compressed OK.";
constexpr const char* kRestoreOnlyCaption = "Restore Compressed Folders";
constexpr const char* kCompressFatalText = "A fatal error encountered while compressing to the ZIP archive";
constexpr const char* kRestoreFatalText = "A fatal error encountered while restoring from the ZIP archive";
constexpr const char* kBrowseRestoreTitle =
    "Select the destination folder where you want to restore the selected folder from the ZIP archive.";

// "Temp Folder" for C:\Data\Temp.
std::string PresetDescription(const std::string& folderPath);
// "Temp\*.*": added from the parent folder, every entry starts with the folder's name.
std::string ArchiveSpecOf(const std::string& folderPath);
// The folder's last component: Temp for C:\Data\Temp.
std::string FolderNameOf(const std::string& folderPath);

struct TArchiveChoices {
    bool Subfolders = false;
    bool Hidden = false;
    bool Move = false;
    bool Password = false;
};
uint32_t ArchiveAddOptions(const TArchiveChoices& choices);

// The three lines of the results panel.
struct TCompressResults {
    std::string Usage;
    std::string Archive;
    std::string Gain;
    bool GainShown = true;
};
// The archive's size counts by its low 32 bits, as the panel always did.
TCompressResults CompressResultTexts(int64_t diskUsage, const std::string& folderDriveName, int64_t archiveSize,
                                     const std::string& archiveDriveName, bool folderDeleted, const ILocale& locale);

// The file label during a run: the folder's parent with its "\" (empty when
// restoring alone) and the entry name with "\" for "/".
std::string ProgressFileText(const std::string& parentPrefix, const std::string& entryName);

// "The path of the restored folder will be \r\n" + path\folder + "|".
std::string RestorePathHint(const std::string& restorePath, const std::string& folderName);
// The restore path without its trailing "\" unless it is a drive root.
std::string ExtractionBaseFolder(const std::string& restorePath);
std::string RestoredFolderPath(const std::string& restorePath, const std::string& folderName);
// The extract counts files only, the list holds folder entries ("name/") too.
size_t FileEntryCount(const std::vector<TZipEntry>& entries);
bool RestoreSucceeded(int32_t filesExtracted, const std::vector<TZipEntry>& entries);
int64_t UncompressedTotal(const std::vector<TZipEntry>& entries);

std::string RestoreSuccessText(const std::string& restoredPath);
std::string RestoreFailureText(const std::string& restoredPath, const std::string& archivePath);
std::string RescanHintText(char driveLetter);
std::string DeleteArchiveQuestion(const std::string& folderName);
std::string DeleteArchiveFailedText(const std::string& archivePath);
std::string CreateFolderFailedText(const std::string& folderPath);
std::string IndexWriteFailedText(const std::string& indexPath);
std::string LibraryErrorText(int32_t errorCode, const std::string& message);
// Added to a library message that came more than once in a run; each kind
// of message is shown once, at the end of the run.
std::string RepeatedErrorText(int64_t moreTimes);

// The restore page's path edit, browse button, Delete Archive and Restore.
bool RestoreControlsEnabled(int selectedRow);

// The archive folder, created hidden when missing. False when it could not be made.
bool PrepareArchiveFolder(const std::string& archiveFolder, IFileSystem& files, IFileActions& actions);

// Lists the folder's archives; an index left without archives goes, with
// the archive folder when nothing else is in it.
std::vector<TArchiveRecord> ListDriveArchives(TArchiveIndex& index, IFileActions& actions);
// Deletes the archive and its index entries; false, with both kept, when the file stays.
bool DeleteIndexedArchive(TArchiveIndex& index, const std::string& archiveName, IFileActions& actions);
