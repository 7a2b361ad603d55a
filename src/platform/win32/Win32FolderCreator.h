#pragma once
#include "platform/FolderCreator.h"

// SHCreateDirectoryExW, which makes the missing parents too, without any box.
class TWin32FolderCreator : public IFolderCreator {
public:
    bool CreateFolder(const std::string& path) override;
};
