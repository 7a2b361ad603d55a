#pragma once
#include <cstdint>
#include <string>

#include "scan/PathUtils.h"  // HasFullPathForm, the form the folder commands accept

class ILocale;

// Status bar panel 1 for the current drive: "4K Cluster (FAT32)", or
// "512 bytes Cluster (CDFS)" below one kilobyte.
std::string ClusterStatusText(int32_t clusterSize, const std::string& fileSystemName, const ILocale& locale);

// The part of a full path below its drive root, without a trailing
// backslash: "Windows\System" for "C:\Windows\System\". Empty for a root.
std::string PathBelowRoot(const std::string& fullPath);
