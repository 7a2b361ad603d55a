#pragma once
#include <string>

// Makes the folder a move goes into before the shell moves anything: asked
// to move several entries into a folder that does not exist, a shell may
// take the folder's name for each entry in turn, and each one then replaces
// the one before.
class IFolderCreator {
public:
    virtual ~IFolderCreator() = default;
    // Creates the folder and any missing parents; true once it exists. A
    // path that is not full, or names a folder the shell would read as
    // another one ("Data." as "Data"), is refused.
    virtual bool CreateFolder(const std::string& path) = 0;
};
