#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "scan/FolderTree.h"

// Told now and then how far a scan has come: folders entered and files
// counted so far, and the folder being read.
using TScanProgress = std::function<void(int64_t folders, int64_t files, const std::string& path)>;

// Counts what a scan has read, from the calls its host receives, and passes
// the figures on as it goes.
class TScanCounter {
public:
    explicit TScanCounter(TScanProgress report = {}) : Report(std::move(report)) {}

    // The scanner names every folder as it enters it.
    void FolderEntered(const std::string& path) {
        CurrentPath = path;
        ++Folders;
        Tell();
    }
    // A big folder is still being listed.
    void Listing() { Tell(); }
    void FolderFinished(const TFolderNode& node) {
        if (node.Record) Files += node.Record->OwnFiles;
    }

private:
    void Tell() {
        if (Report) Report(Folders, Files, CurrentPath);
    }

    TScanProgress Report;
    std::string CurrentPath;
    int64_t Folders = 0;
    int64_t Files = 0;
};
