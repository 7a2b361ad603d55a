#pragma once
#include "platform/ShellFileOperation.h"

// SHFileOperationW with exactly the flags it is given.
class TWin32ShellFileOperation : public IShellFileOperation {
public:
    TShellFileResult Run(const TShellFileRequest& request) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool RemoveFolderLink(const std::string& path, std::string& error) override;
};
