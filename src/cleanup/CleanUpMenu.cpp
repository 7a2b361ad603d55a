#include "cleanup/CleanUpMenu.h"

namespace {

const std::array<std::string, kCleanUpHintCount> kHints = {
    "Although the main purpose of Quarrymap 2000 is to help you quickly find out how your disk space is being used, "
    "the program also offers you a few ways to free up some disk space. But use them with care.",
    "This option can help you reduce the space wasted by the folder due to the drive cluster size. The folder and all "
    "its subfolders and files are moved to another location (such as on a drive with a smaller cluster size).",
    "This option can help you gain disk space by compressing and moving the folder to a ZIP archive. Quarrymap 2000 "
    "may later restore the folder from the ZIP archive to the original location.",
    "All files are sent to the Recycle Bin. Files may be recovered and the disk space is not freed up until the "
    "Recycle Bin is emptied.",
    "This option can help you immediately free up disk space, but it is very dangerous! All the files and "
    "sub-folders of the current folder are deleted and cannot be recovered.",
};

}  // namespace

const std::string& CleanUpHint(int tag) { return kHints[tag >= 0 && tag < kCleanUpHintCount ? size_t(tag) : 0]; }

TFolderRefusal CleanUpRefusal(TCleanUpAction action, TFolderRefusal onDisk) {
    const bool removes = action == TCleanUpAction::Delete || action == TCleanUpAction::Recycle;
    return onDisk == TFolderRefusal::FolderLink && removes ? TFolderRefusal::None : onDisk;
}

const char* CleanUpActionDone(TCleanUpAction action) {
    switch (action) {
        case TCleanUpAction::Archive: return "archived";
        case TCleanUpAction::Move: return "moved";
        case TCleanUpAction::Recycle: return "sent to the Recycle Bin";
        case TCleanUpAction::Delete: return "deleted";
    }
    return "changed";
}

std::string RemoveLinkQuestion(const std::string& linkPath) {
    return linkPath +
           " is a link to another folder (a junction or symbolic link). It holds no files of its own, so "
           "it is removed rather than deleted or sent to the Recycle Bin; the folder it points to keeps "
           "all its files.\r\n\r\nRemove the link?";
}

std::string LinkNotRemovedText(const std::string& linkPath, const std::string& reason) {
    return "The link " + linkPath + " could not be removed: " + reason +
           "\r\n\r\nNothing has been deleted; the folder it points to keeps all its files.";
}

TShellFileRequest FolderRemovalRequest(const std::string& path, bool toRecycleBin, void* owner) {
    TShellFileRequest request;
    request.Action = TShellFileAction::Delete;
    request.From = {path};
    request.Flags = toRecycleBin ? uint32_t(kShellAllowUndo) : 0u;
    request.Owner = owner;
    return request;
}
