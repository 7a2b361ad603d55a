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
