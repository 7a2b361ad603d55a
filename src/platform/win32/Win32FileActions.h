#pragma once
#include "platform/FileActions.h"

class TWin32FileActions : public IFileActions {
public:
    bool RemoveFile(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool CreateHiddenFolder(const std::string& path) override;
    int64_t FileSize(const std::string& path) override;
};
