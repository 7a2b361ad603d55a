#include "cleanup/MoveFolder.h"

#include "platform/FolderCreator.h"
#include "platform/RemovableDrives.h"
#include "controls/DriveItems.h"
#include "platform/DriveInfo.h"
#include "platform/DriveList.h"
#include "platform/FileSystem.h"
#include "platform/PathCase.h"
#include "platform/ShellInfo.h"
#include "scan/ClusterSize.h"
#include "scan/FolderSize.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

namespace {

bool IsUncPath(const std::string& path) { return path.size() > 2 && path[0] == '\\' && path[1] == '\\'; }

bool IsRootedPath(const std::string& path) {
    if (IsUncPath(path)) return true;
    const bool letter = !path.empty() && ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    return letter && path.size() > 2 && path[1] == ':' && path[2] == '\\';
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// The shell takes "\" only; read "/" as Windows does.
std::string WithBackslashes(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace

int64_t WastedAtClusterSize(const TMoveFolderRequest& request, int32_t clusterSize) {
    for (int k = 1; k <= kClusterSizeCount; ++k)
        if (ClusterSizes[k] == clusterSize) return request.WastedAt[size_t(k - 1)];
    return 0;
}

std::vector<TGainRow> SmallerClusterDrives(const TMoveFolderRequest& request, IDriveEnumerator& drives,
                                           IDriveInfo& driveInfo, IRemovableDrives& removable, IShellInfo& shell,
                                           const ILocale& locale) {
    std::vector<TGainRow> rows;
    if (request.SourcePath.empty()) return rows;
    const int32_t sourceCluster = GetClusterSize(driveInfo, ShellDriveRoot(request.SourcePath[0]));
    for (char letter : DriveLettersOf(drives.GetLogicalDriveMask())) {
        const std::string root = ShellDriveRoot(letter);
        if (removable.IsRemovableOrCdRom(root)) continue;
        const int32_t cluster = GetClusterSize(driveInfo, root);
        if (cluster < 0 || cluster >= sourceCluster) continue;
        TGainRow row;
        row.DisplayName = shell.GetShellDisplayName(root);
        row.IconIndex = shell.GetShellIconIndex(root, false);
        row.ClusterText = FormatSmallSize(cluster, locale);
        row.GainText = FormatSize(request.WastedShown - WastedAtClusterSize(request, cluster), locale);
        row.Letter = root[0];
        rows.push_back(row);
    }
    return rows;
}

std::string WastedOnSourceText(int64_t wastedShown, const ILocale& locale) {
    return "This folder is wasting " + FormatSize(wastedShown, locale) + " on the drive where is located.";
}

std::string ComposeMoveTarget(const std::string& chosenFolder, const std::string& sourcePath) {
    const std::string source = RemoveBackslash(sourcePath);
    const size_t cut = source.find_last_of('\\');
    const std::string name = cut == std::string::npos ? source : source.substr(cut + 1);
    return AddBackslash(chosenFolder) + name;
}

std::string NormalizeFolderPath(const std::string& path) {
    const std::string slashed = WithBackslashes(path);
    std::string prefix;
    size_t rest = 0;
    if (IsUncPath(slashed)) {
        prefix = "\\\\";
        rest = 2;
    } else if (slashed.size() >= 2 && slashed[1] == ':') {
        prefix = slashed.substr(0, 2);
        rest = 2;
        if (slashed.size() > 2 && slashed[2] == '\\') {
            prefix += '\\';
            rest = 3;
        }
    }
    std::vector<std::string> parts;
    size_t start = rest;
    while (start <= slashed.size()) {
        size_t end = slashed.find('\\', start);
        if (end == std::string::npos) end = slashed.size();
        const std::string part = slashed.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string normal = prefix;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) normal += '\\';
        normal += parts[i];
    }
    return normal;
}

size_t Utf16Length(const std::string& utf8) {
    size_t length = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) continue;  // continuation bytes add nothing
        length += c >= 0xF0 ? 2 : 1;       // four-byte sequences need a surrogate pair
    }
    return length;
}

TMoveRefusal CheckMove(const std::string& sourcePath, const std::string& target, const IPathCase& pathCase) {
    if (Utf16Length(sourcePath) > kMaxMoveSourceLength) return TMoveRefusal::SourceTooLong;
    if (IsBlank(target)) return TMoveRefusal::EmptyTarget;
    const std::string slashedTarget = WithBackslashes(target);
    if (!IsRootedPath(slashedTarget)) return TMoveRefusal::RelativeTarget;
    const std::string normalTarget = NormalizeFolderPath(slashedTarget);
    if (Utf16Length(normalTarget) > kMaxShellPathLength) return TMoveRefusal::TargetTooLong;
    // The shell parses paths the ordinary way: "D:\Data." would be filled as "D:\Data".
    if (HasNameWindowsRewrites(sourcePath) || HasNameWindowsRewrites(normalTarget)) return TMoveRefusal::RewrittenName;
    const std::string source = pathCase.Upper(NormalizeFolderPath(sourcePath));
    const std::string inside = pathCase.Upper(normalTarget);
    if (inside == source || inside.compare(0, AddBackslash(source).size(), AddBackslash(source)) == 0)
        return TMoveRefusal::TargetInsideSource;
    return TMoveRefusal::None;
}

std::string MoveRefusalText(TMoveRefusal refusal) {
    switch (refusal) {
        case TMoveRefusal::None: return std::string();
        case TMoveRefusal::EmptyTarget: return "Please enter the new location of the folder.";
        case TMoveRefusal::RelativeTarget:
            return "Please enter the new location as a full path, starting with a drive letter (such as D:\\Data) "
                   "or with a network share (such as \\\\Server\\Data).";
        case TMoveRefusal::SourceTooLong:
            return "The path of this folder is too long to be moved by Windows. A folder can be moved when its path "
                   "has at most " +
                   std::to_string(kMaxMoveSourceLength) + " characters.";
        case TMoveRefusal::TargetTooLong:
            return "The new location is too long. Please choose a location whose path has at most " +
                   std::to_string(kMaxShellPathLength) + " characters.";
        case TMoveRefusal::TargetInsideSource:
            return "A folder cannot be moved into itself. Please choose a new location outside the folder you "
                   "are moving.";
        case TMoveRefusal::TargetNotAFolder:
            return "The new location is a file, or a folder that cannot be opened. Please choose another location.";
        case TMoveRefusal::RewrittenName:
            return "A name in the new location ends in a dot or a space. Windows would move the folder into the "
                   "location of the same name without it, so please choose another location.";
        case TMoveRefusal::TargetNotCreated:
            return "The new location could not be created. Please check that its drive is ready and can be "
                   "written to, or choose another location.";
    }
    return std::string();
}

TShellFileRequest MoveFolderContentsRequest(const std::string& sourcePath, const std::string& target, void* owner) {
    TShellFileRequest request;
    request.Action = TShellFileAction::Move;
    request.From = {AddBackslash(sourcePath) + "*.*"};
    request.To = NormalizeFolderPath(WithBackslashes(target));
    request.Flags = 0;
    request.Owner = owner;
    return request;
}

std::string IncompleteMoveText(const TMoveOutcome& outcome, const std::string& sourcePath) {
    if (outcome.Refusal != TMoveRefusal::None || outcome.SourceRemoved ||
        outcome.ShellResult == TShellFileResult::Cancelled)
        return std::string();
    return "Not everything in " + sourcePath + " could be moved to " + outcome.Target +
           ". A file or folder of the same name may already be there, or a file may be in use or read-only. " +
           sourcePath + " has been kept with what is left in it; what was moved is in " + outcome.Target + ".";
}

TMoveOutcome MoveFolderContents(const std::string& sourcePath, const std::string& target, void* owner,
                                const TMoveFolderSystem& system) {
    TMoveOutcome outcome;
    outcome.Refusal = CheckMove(sourcePath, target, system.PathCase);
    if (outcome.Refusal != TMoveRefusal::None) return outcome;
    const TShellFileRequest request = MoveFolderContentsRequest(sourcePath, target, owner);
    bool created = false;
    if (!system.FileSystem.PathExists(request.To)) {
        if (!system.FolderCreator.CreateFolder(request.To)) {
            outcome.Refusal = TMoveRefusal::TargetNotCreated;
            return outcome;
        }
        created = true;
    } else if (!IsDriveRoot(request.To) && !system.FileSystem.OpenListing(AddBackslash(request.To) + "*.*")) {
        // An empty drive root lists nothing at all; any other folder lists at least "." and "..".
        outcome.Refusal = TMoveRefusal::TargetNotAFolder;
        return outcome;
    }
    outcome.Target = request.To;
    outcome.ShellResult = system.ShellFiles.Run(request);
    if (outcome.ShellResult == TShellFileResult::Done)
        outcome.SourceRemoved = system.ShellFiles.RemoveEmptyFolder(sourcePath);
    else if (created)
        system.ShellFiles.RemoveEmptyFolder(request.To);
    return outcome;
}
