#pragma once
#include <string>

// The process's current directory: the drive check enters drives' roots,
// and the ZIP libraries work relative to it.
class ICurrentDirectory {
public:
    virtual ~ICurrentDirectory() = default;
    // Makes `path` the current directory; false when it cannot be entered,
    // whatever the reason (no such drive, no medium, network down).
    virtual bool Change(const std::string& path) = 0;
    // The current directory as a full path; "" when it cannot be read.
    virtual std::string Path() = 0;
};

// Puts the current directory back where it was when this leaves scope, so
// that no folder the program worked in stays open (and undeletable) as the
// process's current directory.
class TCurrentDirectoryKeeper {
public:
    explicit TCurrentDirectoryKeeper(ICurrentDirectory& directory) : Directory(directory), Saved(directory.Path()) {}
    ~TCurrentDirectoryKeeper() { Restore(); }
    TCurrentDirectoryKeeper(const TCurrentDirectoryKeeper&) = delete;
    TCurrentDirectoryKeeper& operator=(const TCurrentDirectoryKeeper&) = delete;

    void Restore() {
        if (!Saved.empty()) Directory.Change(Saved);
    }

private:
    ICurrentDirectory& Directory;
    std::string Saved;
};
