#pragma once
#include "platform/CurrentDirectory.h"

// The process's real current directory.
class TWin32CurrentDirectory : public ICurrentDirectory {
public:
    bool Change(const std::string& path) override;
    std::string Path() override;
};
