#pragma once
#include <string>

// The process's current directory, as far as the drive check needs it.
class ICurrentDirectory {
public:
    virtual ~ICurrentDirectory() = default;
    // Makes `path` the current directory; false when it cannot be entered,
    // whatever the reason (no such drive, no medium, network down).
    virtual bool Change(const std::string& path) = 0;
};
