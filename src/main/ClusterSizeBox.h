#pragma once
#include <array>

// The entries of the cluster size box; an entry's index is the cluster size
// in view it selects (0 the drive's own cluster size, k the table's ClusterSizes[k]).
constexpr std::array<const char*, 8> kClusterBoxEntries = {
    "Drive cluster size",
    "0.5 K (high density floppy disks)",
    "2 K (CD-ROM)",
    "4 K (FAT 128 MB - 255 MB, FAT32)",
    "8 K (FAT 256 MB - 511 MB)",
    "16 K (FAT 512 MB - 1023 MB)",
    "32 K (FAT 1 GB - 2 GB)",
    "64 K",
};
