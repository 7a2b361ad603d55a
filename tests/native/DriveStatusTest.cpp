#include <gtest/gtest.h>

#include "main/DriveStatus.h"
#include "platform/memory/FixedLocale.h"

namespace {

TEST(DriveStatus, ClusterTextInKilobytesFromOneKilobyteOn) {
    TFixedLocale locale;
    EXPECT_EQ(ClusterStatusText(4096, "FAT32", locale), "4K Cluster (FAT32)");
    EXPECT_EQ(ClusterStatusText(1024, "NTFS", locale), "1K Cluster (NTFS)");
    EXPECT_EQ(ClusterStatusText(65536, "exFAT", locale), "64K Cluster (exFAT)");
    EXPECT_EQ(ClusterStatusText(1536, "X", locale), "1K Cluster (X)");  // whole kilobytes only
    EXPECT_EQ(ClusterStatusText(512, "CDFS", locale), "512 bytes Cluster (CDFS)");
    EXPECT_EQ(ClusterStatusText(0, "", locale), "0 bytes Cluster ()");
}

TEST(DriveStatus, FullPathFormAndThePartBelowTheRoot) {
    EXPECT_TRUE(HasFullPathForm("C:\\"));
    EXPECT_TRUE(HasFullPathForm("d:\\Games"));
    for (const char* text : {"", "C", "C:", "C:Windows", "\\\\server\\share", "C\\:"})
        EXPECT_FALSE(HasFullPathForm(text)) << text;
    EXPECT_EQ(PathBelowRoot("C:\\"), "");
    EXPECT_EQ(PathBelowRoot("C:\\Windows\\System\\"), "Windows\\System");
    EXPECT_EQ(PathBelowRoot("C:\\Windows"), "Windows");
    EXPECT_EQ(PathBelowRoot("Windows"), "");
}

}  // namespace
