#pragma once
#include "platform/FolderCreator.h"

// Makes the missing folders of a full path one by one, without any box.
class TWin32FolderCreator : public IFolderCreator {
public:
    bool CreateFolder(const std::string& path) override;
};
