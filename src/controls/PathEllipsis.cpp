#include "controls/PathEllipsis.h"

#include <vector>

namespace {

const char kSeparator = '\\';

struct TPathParts {
    std::string Drive;                 // "C:", "\\server\share" or ""
    std::vector<std::string> Folders;  // between the drive and the last name
    std::string Last;                  // "" for a root
};

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(kSeparator, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

TPathParts SplitPath(const std::string& path) {
    TPathParts parts;
    std::vector<std::string> names;
    if (path.size() >= 2 && path[1] == ':') {
        parts.Drive = path.substr(0, 2);
        names = SplitNames(path.substr(2));
    } else if (path.compare(0, 2, "\\\\") == 0) {
        // A share is reached as a whole, so server and share together play
        // the drive's part.
        names = SplitNames(path.substr(2));
        parts.Drive = "\\\\";
        for (size_t i = 0; i < 2 && !names.empty(); ++i) {
            parts.Drive += (i == 0 ? "" : "\\") + names.front();
            names.erase(names.begin());
        }
    } else {
        names = SplitNames(path);
    }
    if (!names.empty()) {
        parts.Last = names.back();
        names.pop_back();
        parts.Folders = names;
    }
    return parts;
}

}  // namespace

std::string MinimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& textWidth) {
    if (textWidth(path) <= maxWidth) return path;
    const TPathParts parts = SplitPath(path);
    if (parts.Last.empty()) return path;

    const std::string lastPart = std::string(1, kSeparator) + parts.Last;
    const std::string head = parts.Drive.empty() ? "..." : parts.Drive + kSeparator + "...";
    for (size_t dropped = 1; dropped <= parts.Folders.size(); ++dropped) {
        std::string candidate = head;
        for (size_t i = dropped; i < parts.Folders.size(); ++i) candidate += kSeparator + parts.Folders[i];
        candidate += lastPart;
        if (textWidth(candidate) <= maxWidth) return candidate;
    }
    if (!parts.Drive.empty()) {
        const std::string withoutDrive = "..." + lastPart;
        if (textWidth(withoutDrive) <= maxWidth) return withoutDrive;
    }
    // Too narrow even for "...\Name": the name alone still says which folder
    // this is, and the label clips whatever overflows its edge. Cutting into
    // the name itself would only make it harder to recognise.
    return parts.Last;
}
