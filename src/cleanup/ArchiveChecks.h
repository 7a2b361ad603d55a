#pragma once
// What the archive dialog checks on the disk before it packs or restores a
// folder, and what it tells the user when an archive does not hold all of
// a folder. The libraries work relative to the current directory and write
// over what they find, so nothing goes to them unchecked.
#include <cstdint>
#include <string>
#include <vector>

#include "cleanup/ZipEntryList.h"
#include "platform/FileSystem.h"

struct TArchiveChoices;

// Why a folder is not archived (or moved). None lets the action go ahead.
enum class TFolderRefusal {
    None,
    NotFullPath,    // not a path from a drive root or a share
    RewrittenName,  // a name ending in a dot or a space: the libraries and the shell reach its twin
    Missing,        // gone, renamed, or its parent cannot be read
    NotAFolder,
    FolderLink,  // a junction or folder link: its files belong to the folder it points to
};

// The folder's own entry in its parent's listing, its name matched exactly
// (a differently spelt twin is not it). False when there is none.
bool FindFolderEntry(IFileSystem& files, const std::string& folderPath, TDirEntry& entry);
// Looks at the folder as the disk holds it now.
TFolderRefusal CheckFolderOnDisk(const std::string& folderPath, IFileSystem& files);
// The message for a refusal of `action` ("archived", "moved"...); empty for None.
std::string FolderRefusalText(TFolderRefusal refusal, const std::string& folderPath, const std::string& action);

// The current directory was meant to be `expected`; true only when it is
// that folder, however the system spells it back.
bool IsSameFolder(const std::string& expected, const std::string& actual);
std::string FolderNotEnteredText(const std::string& folderPath);

// The files of a folder as the add library sees them: links to other
// folders are not followed, hidden and system folders hold hidden files.
struct TFolderFiles {
    int64_t Files = 0;
    int64_t InSubfolders = 0;    // below a subfolder
    int64_t HiddenOrSystem = 0;  // hidden or system, or inside such a folder
    int64_t InBoth = 0;          // counted in both of the above
};
TFolderFiles CountFolderFiles(const std::string& folderPath, IFileSystem& files);

// The files an archive does not hold, by reason.
struct TLeftOut {
    int64_t InSubfolders = 0;  // "Add subfolders" was off
    int64_t Hidden = 0;        // "Add hidden and system files" was off
    int64_t Unreadable = 0;    // could not be read, or changed while read
    int64_t Total() const { return InSubfolders + Hidden + Unreadable; }
};
// `problems`: the files the library reported as not read or changed while read.
TLeftOut LeftOutOf(const TFolderFiles& found, const TArchiveChoices& choices, int64_t archived, int64_t problems);
// Says how many files are not in the archive and why, and that the folder is kept.
std::string LeftOutText(const TLeftOut& leftOut);
// The results of an archive that left files out: no gain and no advice to
// delete the folder, but what is missing in their place.
struct TCompressResults;
TCompressResults WithLeftOut(TCompressResults results, const TLeftOut& leftOut);

// Why a restore is not attempted. None lets it go ahead.
enum class TRestoreRefusal { None, NotFullPath, RewrittenName };
TRestoreRefusal CheckRestorePath(const std::string& restorePath);
std::string RestoreRefusalText(TRestoreRefusal refusal, const std::string& restorePath);
std::string RestorePathNotMadeText(const std::string& restorePath);
// The root whose free space a restore into the path uses: "D:\" or "\\server\share\".
std::string VolumeRootOf(const std::string& fullPath);
std::string RestoreTooLargeText(const std::string& restorePath, const std::string& needed, const std::string& free);

// The distinct first components of the entries' names, in archive order:
// the folders (or files) a restore creates in the restore path.
std::vector<std::string> TopLevelNames(const std::vector<TZipEntry>& entries);
// Yes/No, No by default: the restore would write into what exists.
std::string RestoreOverwriteQuestion(const std::string& existingPath);
