#include "cleanup/CompressFolder.h"

#include <algorithm>

#include "cleanup/ZipMaster.h"
#include "platform/FileActions.h"
#include "platform/FileSystem.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

namespace {

// Fills the first "%s" of a template.
std::string Fill(const std::string& pattern, const std::string& value) {
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.substr(0, at) + value + pattern.substr(at + 2);
}

std::string FillTwo(const std::string& pattern, const std::string& first, const std::string& second) {
    return Fill(Fill(pattern, first), second);
}

bool IsFolderEntry(const TZipEntry& entry) {
    return !entry.Name.empty() && (entry.Name.back() == '/' || entry.Name.back() == '\\');
}

}  // namespace

std::string FolderNameOf(const std::string& folderPath) {
    const std::string path = RemoveBackslash(folderPath);
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string PresetDescription(const std::string& folderPath) { return FolderNameOf(folderPath) + " Folder"; }

std::string ArchiveSpecOf(const std::string& folderPath) { return FolderNameOf(folderPath) + "\\*.*"; }

uint32_t ArchiveAddOptions(const TArchiveChoices& choices) {
    uint32_t options = AddDirNames;
    if (choices.Subfolders) options |= AddRecurseDirs;
    if (choices.Hidden) options |= AddHiddenFiles;
    if (choices.Move) options |= AddMove;
    if (choices.Password) options |= AddEncrypt;
    return options;
}

TCompressResults CompressResultTexts(int64_t diskUsage, const std::string& folderDriveName, int64_t archiveSize,
                                     const std::string& archiveDriveName, bool folderDeleted, const ILocale& locale) {
    const int64_t archiveShown = int64_t(uint32_t(uint64_t(archiveSize) & 0xFFFFFFFFu));
    TCompressResults results;
    results.Usage = FillTwo("The folder you have compressed was using %s of disk space on drive %s",
                            FormatSize(diskUsage, locale), folderDriveName);
    results.Archive = FillTwo("The ZIP achive containing the compressed folder is using %s of disk space on drive %s",
                              FormatSize(archiveShown, locale), archiveDriveName);
    const std::string gainPattern =
        folderDeleted ? "By compressing the folder you have gained %s of disk space"
                      : "You should delete the folder you have compressed. This way you will gain %s of disk space";
    results.GainShown = diskUsage > archiveShown;
    results.Gain = results.GainShown ? Fill(gainPattern, FormatSize(diskUsage - archiveShown, locale)) : gainPattern;
    return results;
}

std::string ProgressFileText(const std::string& parentPrefix, const std::string& entryName) {
    std::string name = entryName;
    std::replace(name.begin(), name.end(), '/', '\\');
    return parentPrefix + name;
}

std::string RestorePathHint(const std::string& restorePath, const std::string& folderName) {
    return "The path of the restored folder will be \r\n" + AddBackslash(restorePath) + folderName + "|";
}

std::string ExtractionBaseFolder(const std::string& restorePath) {
    if (IsDriveRoot(restorePath)) return AddBackslash(restorePath);
    return RemoveBackslash(restorePath);
}

std::string RestoredFolderPath(const std::string& restorePath, const std::string& folderName) {
    return AddBackslash(restorePath) + folderName;
}

size_t FileEntryCount(const std::vector<TZipEntry>& entries) {
    return size_t(std::count_if(entries.begin(), entries.end(), [](const TZipEntry& e) { return !IsFolderEntry(e); }));
}

bool RestoreSucceeded(int32_t filesExtracted, const std::vector<TZipEntry>& entries) {
    // An archive without entries holds no folder to restore.
    return !entries.empty() && filesExtracted >= 0 && size_t(filesExtracted) == FileEntryCount(entries);
}

int64_t UncompressedTotal(const std::vector<TZipEntry>& entries) {
    int64_t total = 0;
    for (const TZipEntry& entry : entries) total += int64_t(entry.UncompressedSize);
    return total;
}

std::string RestoreSuccessText(const std::string& restoredPath) {
    return "The folder " + restoredPath + " was successfully restored";
}

std::string RestoreFailureText(const std::string& restoredPath, const std::string& archivePath) {
    return "The folder " + restoredPath + " was not successfully " +
           "restored. The ZIP archive containing the folder (" + archivePath +
           ") will not be deleted from your hard-disk so you can try to manually " +
           "restore the folder from the archive.";
}

std::string RescanHintText(char driveLetter) {
    return std::string("You should rescan drive ") + driveLetter + ": as " +
           "its contents has been changed since the last time you have " + "scanned it.";
}

std::string DeleteArchiveQuestion(const std::string& folderName) {
    return "Really delete the ZIP archive that contains the folder '" + folderName + "' ?\r\n\r\n" +
           "Warning: You will not be able to restore any file from this folder if you delete the ZIP archive.";
}

std::string DeleteArchiveFailedText(const std::string& archivePath) {
    return "Could not delete archive " + archivePath;
}

std::string CreateFolderFailedText(const std::string& folderPath) { return "Could not create folder " + folderPath; }

std::string IndexWriteFailedText(const std::string& indexPath) { return Fill("Unable to write to %s", indexPath); }

std::string LibraryErrorText(int32_t errorCode, const std::string& message) {
    return "Error: " + message + "\r\n(error code " + std::to_string(errorCode) + ")";
}

std::string RepeatedErrorText(int64_t moreTimes) {
    return "\r\n\r\nThe same error happened " + std::to_string(moreTimes) +
           (moreTimes == 1 ? " more time" : " more times") + " in this run.";
}

bool RestoreControlsEnabled(int selectedRow) { return selectedRow >= 0; }

bool PrepareArchiveFolder(const std::string& archiveFolder, IFileSystem& files, IFileActions& actions) {
    return files.PathExists(archiveFolder) || actions.CreateHiddenFolder(archiveFolder);
}

std::vector<TArchiveRecord> ListDriveArchives(TArchiveIndex& index, IFileActions& actions) {
    std::vector<TArchiveRecord> records = index.List();
    if (records.empty() && index.IsEmpty()) {
        actions.RemoveFile(index.IndexPath());
        actions.RemoveEmptyFolder(index.Folder());
    }
    return records;
}

bool DeleteIndexedArchive(TArchiveIndex& index, const std::string& archiveName, IFileActions& actions) {
    if (!actions.RemoveFile(index.ArchivePath(archiveName))) return false;
    index.Forget(archiveName);
    return true;
}
