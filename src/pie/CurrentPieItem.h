#pragma once
#include <cstdint>
#include <string>

#include "pie/SectionInfo.h"

struct TFolderNode;

// The item a context menu is asked for: a folder of the tree or a wedge of
// the pie. `Info` is a copy, so the item outlives a rebuild of the pie.
struct TCurrentPieItem {
    std::string Path;
    TFolderNode* Node = nullptr;  // none for a file
    int64_t Size = 0;
    int64_t Wasted = 0;  // for a file: its slack at the drive's own cluster size
    TSectionInfo Info;
};
