#include "scan/PathUtils.h"

std::string AddBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\') return path;
    return path + '\\';
}

std::string RemoveBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

bool IsDriveRoot(const std::string& path) {
    const std::string p = AddBackslash(path);
    return p.size() == 3 && p[1] == ':';
}

bool HasFullPathForm(const std::string& path) { return path.size() > 2 && path[1] == ':' && path[2] == '\\'; }

std::string ParentFolderPath(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    return IsDriveRoot(folder) ? folder : RemoveBackslash(folder);
}

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Where the components start after the root: 3 for "C:\", after the share
// for "\\server\share\"; npos when the path has neither root.
size_t ComponentsStart(const std::string& path) {
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') return 3;
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\' && path[2] != '?' && path[2] != '.') {
        const size_t server = path.find('\\', 2);
        if (server == std::string::npos || server == 2) return std::string::npos;
        const size_t share = path.find('\\', server + 1);
        if (share == server + 1) return std::string::npos;
        return share == std::string::npos ? path.size() : share + 1;
    }
    return std::string::npos;
}

}  // namespace

bool IsFullPath(const std::string& path) {
    const size_t start = ComponentsStart(path);
    if (start == std::string::npos) return false;
    size_t at = start;
    while (at < path.size()) {
        size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(at, end - at);
        // A trailing backslash ends the loop; an empty part comes from "\\" inside.
        if (part.empty() || part == "." || part == ".." || part.find('/') != std::string::npos) return false;
        at = end + 1;
    }
    return true;
}

bool HasNameWindowsRewrites(const std::string& path) {
    size_t start = ComponentsStart(path);
    if (start == std::string::npos) start = 0;
    for (size_t at = start; at < path.size();) {
        size_t end = path.find_first_of("\\/", at);
        if (end == std::string::npos) end = path.size();
        if (end > at && (path[end - 1] == '.' || path[end - 1] == ' ')) return true;
        at = end + 1;
    }
    return false;
}

std::string LiteralPathForm(const std::string& path) {
    if (!IsFullPath(path)) return path;
    if (path[0] == '\\') return "\\\\?\\UNC\\" + path.substr(2);
    return "\\\\?\\" + path;
}

std::vector<std::string> FolderChainBelowRoot(const std::string& path) {
    std::vector<std::string> chain;
    if (!IsFullPath(path)) return chain;
    for (size_t at = ComponentsStart(path); at < path.size();) {
        size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        chain.push_back(path.substr(0, end));
        at = end + 1;
    }
    return chain;
}
