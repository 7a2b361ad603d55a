#include "cleanup/ArchiveChecks.h"

#include <algorithm>

#include "cleanup/CompressFolder.h"
#include "scan/PathUtils.h"
#include "scan/TextUtils.h"

namespace {

std::string LastName(const std::string& path) {
    const std::string trimmed = RemoveBackslash(path);
    const size_t cut = trimmed.find_last_of('\\');
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

std::string Files(int64_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

void CountInto(const std::string& folder, bool inSubfolder, bool inHidden, IFileSystem& files, TFolderFiles& found,
               int depth) {
    // Deeper than any real tree: a listing that loops stops here.
    constexpr int kMaxDepth = 512;
    if (depth > kMaxDepth) return;
    std::unique_ptr<IDirListing> listing = files.OpenListing(AddBackslash(folder) + "*.*");
    if (!listing) return;
    std::vector<std::pair<std::string, bool>> subfolders;
    TDirEntry entry;
    while (listing->Next(entry)) {
        if (IsDotEntry(entry.Name)) continue;
        const bool hidden = inHidden || (entry.Attributes & (kAttrHidden | kAttrSystem)) != 0;
        if (entry.Attributes & kAttrDirectory) {
            if (!(entry.Attributes & kAttrReparsePoint)) subfolders.emplace_back(entry.Name, hidden);
            continue;
        }
        ++found.Files;
        if (inSubfolder) ++found.InSubfolders;
        if (hidden) ++found.HiddenOrSystem;
        if (inSubfolder && hidden) ++found.InBoth;
    }
    listing.reset();
    for (const auto& [name, hidden] : subfolders)
        CountInto(AddBackslash(folder) + name, true, hidden, files, found, depth + 1);
}

}  // namespace

bool FindFolderEntry(IFileSystem& files, const std::string& folderPath, TDirEntry& entry) {
    if (IsDriveRoot(folderPath)) return false;
    const std::string name = LastName(folderPath);
    std::unique_ptr<IDirListing> listing =
        files.OpenListing(AddBackslash(ParentFolderPath(RemoveBackslash(folderPath))) + "*.*");
    if (!listing) return false;
    while (listing->Next(entry))
        if (entry.Name == name) return true;
    return false;
}

TFolderRefusal CheckFolderOnDisk(const std::string& folderPath, IFileSystem& files) {
    if (!IsFullPath(folderPath) || IsDriveRoot(folderPath)) return TFolderRefusal::NotFullPath;
    if (HasNameWindowsRewrites(folderPath)) return TFolderRefusal::RewrittenName;
    TDirEntry entry;
    if (!FindFolderEntry(files, folderPath, entry)) return TFolderRefusal::Missing;
    if (!(entry.Attributes & kAttrDirectory)) return TFolderRefusal::NotAFolder;
    if (entry.Attributes & kAttrReparsePoint) return TFolderRefusal::FolderLink;
    return TFolderRefusal::None;
}

std::string FolderRefusalText(TFolderRefusal refusal, const std::string& folderPath, const std::string& action) {
    const std::string folder = "The folder " + folderPath;
    switch (refusal) {
        case TFolderRefusal::None: return std::string();
        case TFolderRefusal::NotFullPath:
            return folder + " cannot be " + action + ": its path does not start at a drive or a network share.";
        case TFolderRefusal::RewrittenName:
            return folder + " cannot be " + action +
                   " by Quarrymap 2000: a name in its path ends in a dot or a space, and Windows would act on the "
                   "folder of the same name without it. Rename it in the program that made it.";
        case TFolderRefusal::Missing:
            return folder +
                   " no longer exists: it was deleted, moved or renamed, or its drive cannot be read. "
                   "Nothing has been " +
                   action + ".";
        case TFolderRefusal::NotAFolder:
            return folder + " is now a file, not a folder. Nothing has been " + action + ".";
        case TFolderRefusal::FolderLink:
            return folder +
                   " is a link to another folder (a junction or symbolic link). Its files belong to the "
                   "folder it points to, so it cannot be " +
                   action +
                   ". Delete or send the link to the Recycle Bin instead; the folder it points to keeps its files.";
    }
    return std::string();
}

bool IsSameFolder(const std::string& expected, const std::string& actual) {
    const auto plain = [](const std::string& path) {
        std::string p = path.compare(0, 4, "\\\\?\\") == 0 ? path.substr(4) : path;
        return IsDriveRoot(p) ? AddBackslash(p) : RemoveBackslash(p);
    };
    // Spelt as the program spelt it: only the case of A to Z may differ,
    // as the drive letter does when the system reports it.
    return !actual.empty() && AsciiLower(plain(expected)) == AsciiLower(plain(actual));
}

std::string FolderNotEnteredText(const std::string& folderPath) {
    return "Quarrymap 2000 could not open the folder " + folderPath +
           ". It may have been moved, renamed or deleted, or its drive may not be ready. Nothing has been "
           "written.";
}

TFolderFiles CountFolderFiles(const std::string& folderPath, IFileSystem& files) {
    TFolderFiles found;
    CountInto(folderPath, false, false, files, found, 0);
    return found;
}

TLeftOut LeftOutOf(const TFolderFiles& found, const TArchiveChoices& choices, int64_t archived, int64_t problems) {
    TLeftOut leftOut;
    if (!choices.Subfolders) leftOut.InSubfolders = found.InSubfolders;
    if (!choices.Hidden) leftOut.Hidden = found.HiddenOrSystem - (choices.Subfolders ? 0 : found.InBoth);
    const int64_t expected = found.Files - leftOut.InSubfolders - leftOut.Hidden;
    leftOut.Unreadable = std::max<int64_t>({0, expected - std::max<int64_t>(0, archived), problems});
    return leftOut;
}

std::string LeftOutText(const TLeftOut& leftOut) {
    std::vector<std::string> reasons;
    if (leftOut.InSubfolders) reasons.push_back(std::to_string(leftOut.InSubfolders) + " in subfolders (not added)");
    if (leftOut.Hidden) reasons.push_back(std::to_string(leftOut.Hidden) + " hidden or system (not added)");
    if (leftOut.Unreadable) reasons.push_back(std::to_string(leftOut.Unreadable) + " unreadable or changed while read");
    std::string why;
    for (size_t i = 0; i < reasons.size(); ++i) why += (i ? ", " : "") + reasons[i];
    const int64_t total = leftOut.Total();
    return Files(total) + " of the folder " + (total == 1 ? "is" : "are") + " not in the archive: " + why +
           ". The folder has been kept; do not delete it, or " + (total == 1 ? "that file" : "those files") +
           " will be lost.";
}

TCompressResults WithLeftOut(TCompressResults results, const TLeftOut& leftOut) {
    if (leftOut.Total() == 0) return results;
    results.Gain = LeftOutText(leftOut);
    results.GainShown = true;
    return results;
}

TRestoreRefusal CheckRestorePath(const std::string& restorePath) {
    if (!IsFullPath(restorePath)) return TRestoreRefusal::NotFullPath;
    if (HasNameWindowsRewrites(restorePath)) return TRestoreRefusal::RewrittenName;
    return TRestoreRefusal::None;
}

std::string RestoreRefusalText(TRestoreRefusal refusal, const std::string& restorePath) {
    switch (refusal) {
        case TRestoreRefusal::None: return std::string();
        case TRestoreRefusal::NotFullPath:
            return "\"" + restorePath +
                   "\" is not a full path. Please enter the folder to restore to as a full path, starting with a "
                   "drive letter (such as D:\\Data) or with a network share (such as \\\\Server\\Data).";
        case TRestoreRefusal::RewrittenName:
            return "Quarrymap 2000 cannot restore into " + restorePath +
                   ": a name in the path ends in a dot or a space, and Windows would write into the folder of the "
                   "same name without it. Please choose another folder.";
    }
    return std::string();
}

std::string RestorePathNotMadeText(const std::string& restorePath) {
    return "The folder " + restorePath +
           " could not be created or opened. Please check that its drive is ready and can be written to, or choose "
           "another folder. Nothing has been restored and the ZIP archive has been kept.";
}

std::string VolumeRootOf(const std::string& fullPath) {
    if (fullPath.size() >= 2 && fullPath[1] == ':') return fullPath.substr(0, 2) + "\\";
    if (fullPath.compare(0, 2, "\\\\") != 0) return std::string();
    const size_t server = fullPath.find('\\', 2);
    if (server == std::string::npos) return std::string();
    const size_t share = fullPath.find('\\', server + 1);
    return AddBackslash(share == std::string::npos ? fullPath : fullPath.substr(0, share));
}

std::string RestoreTooLargeText(const std::string& restorePath, const std::string& needed, const std::string& free) {
    return "The folder cannot be restored to " + restorePath + ": its files need " + needed + ", but only " + free +
           " is free on that drive. Nothing has been restored and the ZIP archive has been kept.";
}

std::vector<std::string> TopLevelNames(const std::vector<TZipEntry>& entries) {
    std::vector<std::string> names;
    for (const TZipEntry& entry : entries) {
        const size_t cut = entry.Name.find_first_of("/\\");
        const std::string name = entry.Name.substr(0, cut);
        if (name.empty() || IsDotEntry(name)) continue;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

std::string RestoreOverwriteQuestion(const std::string& existingPath) {
    return "The folder " + existingPath +
           " already exists.\r\n\r\nRestoring the archive into it replaces the files of the same name, newer and "
           "read-only ones included. Do you want to restore into the existing folder?";
}
