#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The shell's own file operation, which asks its own confirmations, shows
// its own progress and reports its own errors. Only the flags the clean-up
// actions use are named.
enum class TShellFileAction { Move, Delete };

enum : uint32_t {
    kShellAllowUndo = 0x0040,  // FOF_ALLOWUNDO: deleting sends to the Recycle Bin
};

struct TShellFileRequest {
    TShellFileAction Action = TShellFileAction::Delete;
    std::vector<std::string> From;  // paths, or patterns such as "C:\Data\*.*"
    std::string To;                 // the target folder of a move
    uint32_t Flags = 0;
    void* Owner = nullptr;  // the window that owns the shell's boxes
};

enum class TShellFileResult {
    Done,       // the shell says it did everything
    Cancelled,  // the user said no somewhere along the way
    Failed,     // the shell reported an error (it has shown it already)
};

class IShellFileOperation {
public:
    virtual ~IShellFileOperation() = default;
    virtual TShellFileResult Run(const TShellFileRequest& request) = 0;
    // Removes a folder only when it is empty; false otherwise or on failure.
    virtual bool RemoveEmptyFolder(const std::string& path) = 0;
    // Removes a link to a folder (a junction or symbolic link) itself, never
    // what it points to; the shell cannot be trusted with that, as it may
    // empty the target. False, with `error` set to the system's reason,
    // when the link stays.
    virtual bool RemoveFolderLink(const std::string& path, std::string& error) = 0;
};
