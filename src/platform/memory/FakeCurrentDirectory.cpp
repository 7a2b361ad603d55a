#include "platform/memory/FakeCurrentDirectory.h"

bool TFakeCurrentDirectory::Change(const std::string& path) {
    Attempts.push_back(path);
    const auto folder = Folders.find(path);
    if (folder == Folders.end()) return false;
    if (folder->second > 0) {
        --folder->second;
        return false;
    }
    Current = path;
    return true;
}
