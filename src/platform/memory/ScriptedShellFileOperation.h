#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ShellFileOperation.h"

// Records every request and answers with `Result`; `OnRun` may change a
// memory file system first, as the real shell would have changed the disk.
class TScriptedShellFileOperation : public IShellFileOperation {
public:
    TShellFileResult Run(const TShellFileRequest& request) override {
        Requests.push_back(request);
        if (OnRun) OnRun(request);
        return Result;
    }
    bool RemoveEmptyFolder(const std::string& path) override {
        RemovedFolders.push_back(path);
        return OnRemoveEmptyFolder ? OnRemoveEmptyFolder(path) : true;
    }

    bool RemoveFolderLink(const std::string& path, std::string& error) override {
        RemovedLinks.push_back(path);
        error = LinkError;
        return LinkError.empty();
    }

    TShellFileResult Result = TShellFileResult::Done;
    std::string LinkError;  // empty: links are removed
    std::vector<std::string> RemovedLinks;
    std::function<void(const TShellFileRequest&)> OnRun;
    std::function<bool(const std::string&)> OnRemoveEmptyFolder;
    std::vector<TShellFileRequest> Requests;
    std::vector<std::string> RemovedFolders;
};
