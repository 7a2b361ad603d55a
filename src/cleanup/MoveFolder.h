#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ShellFileOperation.h"

class IDriveEnumerator;
class IDriveInfo;
class IFileSystem;
class IFolderCreator;
class IPathCase;
class IRemovableDrives;
class IShellInfo;
class ILocale;

// The folder the Move Folder dialog moves, with the waste figures the
// dialog compares between drives.
struct TMoveFolderRequest {
    std::string SourcePath;                // full path, no trailing backslash
    int64_t WastedShown = 0;               // at the cluster size the main window shows
    std::array<int64_t, 7> WastedAt = {};  // at ClusterSizes[k], k = 1..7, kept at index k - 1
    // Where the folder list opens; empty for the process's current directory.
    std::string StartFolder;
};

// One drive the folder would waste less on.
struct TGainRow {
    std::string DisplayName;  // the shell's name of the drive's root
    int IconIndex = -1;       // in the system's small image list; -1 for none
    std::string ClusterText;
    std::string GainText;
    char Letter = 0;  // lower case
};

// The folder's waste at a cluster size: one of the seven table sizes, or 0
// for any other size, where the folder's waste was never measured.
int64_t WastedAtClusterSize(const TMoveFolderRequest& request, int32_t clusterSize);

// The fixed drives (and network drives) whose clusters are smaller than
// those of the source's drive, in letter order, with what moving gains.
std::vector<TGainRow> SmallerClusterDrives(const TMoveFolderRequest& request, IDriveEnumerator& drives,
                                           IDriveInfo& driveInfo, IRemovableDrives& removable, IShellInfo& shell,
                                           const ILocale& locale);

std::string WastedOnSourceText(int64_t wastedShown, const ILocale& locale);

// The folder chosen in the list, a backslash and the source's own name:
// the place the source would take under the chosen folder.
std::string ComposeMoveTarget(const std::string& chosenFolder, const std::string& sourcePath);

// OK is offered while the target reads differently from the source, even
// in letter case only; whether such a target is usable is checked on OK.
inline bool IsMoveTargetChanged(const std::string& target, const std::string& sourcePath) {
    return target != sourcePath;
}

// The shell takes plain paths of at most 259 UTF-16 characters (MAX_PATH
// less its terminator); both are kept in 263-character buffers, which then
// still hold the list's second terminator. The source goes as the pattern
// source + "\*.*", so the source itself may have 4 characters fewer.
constexpr size_t kMaxShellPathLength = 259;
constexpr size_t kMaxMoveSourceLength = kMaxShellPathLength - 4;

// Why a move is not attempted. None lets it go ahead.
enum class TMoveRefusal {
    None,
    EmptyTarget,
    RelativeTarget,
    SourceTooLong,
    TargetTooLong,
    TargetInsideSource,
    TargetNotAFolder,  // a file, or a folder that cannot be opened
    TargetNotCreated,
    RewrittenName,  // a name ending in a dot or a space: the shell would use the name without it
};

// Checks the paths of a move before the disk is touched. They are compared
// as Windows compares them: letter case ignored as the file system ignores
// it (in every script, not only A to Z), "/" read as "\", and "." and ".."
// resolved, so no spelling of the source's own subtree gets through.
TMoveRefusal CheckMove(const std::string& sourcePath, const std::string& target, const IPathCase& pathCase);
// The message shown for a refusal; empty for None.
std::string MoveRefusalText(TMoveRefusal refusal);

// The path with "/" read as "\", repeated backslashes, "." and ".." folded
// and no trailing backslash except after a drive ("C:\"). Paths that climb
// above their root stay at the root.
std::string NormalizeFolderPath(const std::string& path);

// The length of a UTF-8 text in UTF-16 characters, as Windows counts it.
size_t Utf16Length(const std::string& utf8);

// What the shell is asked: move everything inside the source, hidden files
// included, into the target (in its normalised form), with no flags so
// that it asks its own questions (replacing files) and shows progress.
TShellFileRequest MoveFolderContentsRequest(const std::string& sourcePath, const std::string& target, void* owner);

struct TMoveOutcome {
    TMoveRefusal Refusal = TMoveRefusal::None;  // when not None, nothing was done
    TShellFileResult ShellResult = TShellFileResult::Failed;
    bool SourceRemoved = false;
    std::string Target;  // where the contents went, in its normalised form
};

// What the user is told when the shell ran but the folder is still there:
// empty when it went, or when the user cancelled the shell's own question.
std::string IncompleteMoveText(const TMoveOutcome& outcome, const std::string& sourcePath);

// What the move works on.
struct TMoveFolderSystem {
    IFileSystem& FileSystem;
    IFolderCreator& FolderCreator;
    IShellFileOperation& ShellFiles;
    const IPathCase& PathCase;
};

// Checks the move, makes the target folder when it is missing, has the
// shell move the contents into it, and removes the source only once the
// shell reports everything done, and only when the source is really empty:
// a move that claims success but left files behind never takes them with
// the folder. A target made here that the shell did not finish filling is
// removed again when it stayed empty.
TMoveOutcome MoveFolderContents(const std::string& sourcePath, const std::string& target, void* owner,
                                const TMoveFolderSystem& system);
