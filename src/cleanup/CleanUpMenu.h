#pragma once
#include <array>
#include <string>

#include "cleanup/ArchiveChecks.h"
#include "platform/ShellFileOperation.h"

// The four actions of the Free Some Space page, in the page's order.
enum class TCleanUpAction { Archive, Move, Recycle, Delete };

struct TCleanUpItem {
    TCleanUpAction Action;
    const char* Caption;   // the bold caption label
    int HintTag;           // the caption label's tag: its hint's index
    const char* Shortcut;  // shown at the panel's right edge
    char Key;              // with Ctrl, runs the action while the page's tab shows
};

constexpr std::array<TCleanUpItem, 4> kCleanUpItems = {{
    {TCleanUpAction::Archive, "Archive Folder", 2, "Ctrl+R  ", 'R'},
    {TCleanUpAction::Move, "Move Folder", 1, "Ctrl+M  ", 'M'},
    {TCleanUpAction::Recycle, "Send To Recycle Bin", 3, "Ctrl+B  ", 'B'},
    {TCleanUpAction::Delete, "Delete Folder", 4, "Ctrl+D  ", 'D'},
}};

// The hint memo's texts: 0 while no item is pointed at, else the item's tag.
constexpr int kCleanUpHintCount = 5;
const std::string& CleanUpHint(int tag);

// What the shell is asked to remove a folder: to the Recycle Bin with the
// undo flag alone, or for good with no flags at all. The shell asks its own
// confirmation either way.
TShellFileRequest FolderRemovalRequest(const std::string& path, bool toRecycleBin, void* owner);

// Whether an action may go ahead on a folder the disk shows as `onDisk`.
// A link to another folder may be deleted or recycled (the link goes, the
// folder it points to stays) but not moved or archived, which would empty
// the folder it points to.
TFolderRefusal CleanUpRefusal(TCleanUpAction action, TFolderRefusal onDisk);
// "deleted", "moved"...: what the refusal messages say cannot be done.
const char* CleanUpActionDone(TCleanUpAction action);
// A link is removed by the program itself, after this question (Yes/No,
// No by default), whether it was to be deleted or recycled.
std::string RemoveLinkQuestion(const std::string& linkPath);
std::string LinkNotRemovedText(const std::string& linkPath, const std::string& reason);
