#include "cleanup/FolderList.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "scan/PathUtils.h"
#include "scan/TextUtils.h"

namespace {

std::vector<std::string> SubfolderNames(const std::string& folder, IFileSystem& fileSystem) {
    std::vector<std::string> names;
    const auto listing = fileSystem.OpenListing(AddBackslash(folder) + "*.*");
    if (!listing) return names;
    TDirEntry entry;
    while (listing->Next(entry)) {
        if (!(entry.Attributes & kAttrDirectory) || entry.Name == "." || entry.Name == "..") continue;
        names.push_back(entry.Name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = AsciiLower(a), lowerB = AsciiLower(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return names;
}

}  // namespace

std::vector<TFolderListItem> FolderListItems(const std::string& folder, IFileSystem& fileSystem) {
    std::vector<TFolderListItem> items;
    if (!HasFullPathForm(folder)) return items;
    const std::string root = AsciiLower(folder.substr(0, 3));
    items.push_back({root, AsciiUpper(root), 0, true});
    std::string path = items.back().Path;
    size_t start = 3;
    while (start < folder.size()) {
        size_t end = folder.find('\\', start);
        if (end == std::string::npos) end = folder.size();
        const std::string name = folder.substr(start, end - start);
        if (!name.empty()) {
            path = AddBackslash(path) + name;
            items.push_back({name, path, int(items.size()), true});
        }
        start = end + 1;
    }
    const int level = int(items.size());
    for (const std::string& name : SubfolderNames(path, fileSystem))
        items.push_back({name, AddBackslash(path) + name, level, false});
    return items;
}

int CurrentFolderIndex(const std::vector<TFolderListItem>& items) {
    int current = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Opened) current = int(i);
    return current;
}
