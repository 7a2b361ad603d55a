#include "main/DriveStatus.h"

#include <cstdio>

#include "scan/SizeText.h"

std::string ClusterStatusText(int32_t clusterSize, const std::string& fileSystemName, const ILocale& locale) {
    if (clusterSize < 1024) return FormatSmallSize(clusterSize, locale) + " Cluster (" + fileSystemName + ")";
    char kilobytes[16];
    std::snprintf(kilobytes, sizeof(kilobytes), "%d", int(clusterSize / 1024));
    return std::string(kilobytes) + "K Cluster (" + fileSystemName + ")";
}

std::string PathBelowRoot(const std::string& fullPath) {
    if (!HasFullPathForm(fullPath)) return std::string();
    std::string below = fullPath.substr(3);
    while (!below.empty() && below.back() == '\\') below.pop_back();
    return below;
}
