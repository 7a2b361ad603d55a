#include <gtest/gtest.h>

#include "platform/memory/FakeDriveInfo.h"
#include "scan/ClusterSize.h"

namespace {

class ClusterSizeTest : public ::testing::Test {
protected:
    TFakeDrive& Drive(const std::string& fileSystem) {
        TFakeDrive& drive = Drives.AddDrive("D:\\");
        drive.Volume.FileSystemName = fileSystem;
        return drive;
    }

    int32_t ClusterSize() { return GetClusterSize(Drives, "D:\\"); }

    TFakeDriveInfo Drives;
};

TEST_F(ClusterSizeTest, Fat32UsesTheFat32RequestOverTheDiskFigures) {
    TFakeDrive& drive = Drive("FAT32");
    drive.Fat32ClusterSize = 16384;
    drive.DiskClusterSize = 32768;
    EXPECT_EQ(ClusterSize(), 16384);
}

TEST_F(ClusterSizeTest, Fat32FallsBackTo4096WhenTheRequestGivesNothingUsable) {
    TFakeDrive& drive = Drive("FAT32");
    drive.DiskClusterSize = 32768;
    for (int32_t failed : {-1, 0}) {
        drive.Fat32ClusterSize = failed;
        EXPECT_EQ(ClusterSize(), 4096) << "request answered " << failed;
    }
}

TEST_F(ClusterSizeTest, FileSystemNameIgnoresCase) {
    TFakeDrive& drive = Drive("fat32");
    drive.Fat32ClusterSize = 8192;
    drive.DiskClusterSize = 512;
    EXPECT_EQ(ClusterSize(), 8192);
}

TEST_F(ClusterSizeTest, CdromsCount2048WhateverTheDiskReports) {
    for (const char* name : {"CDFS", "cdfs"}) {
        for (int32_t reported : {-1, 512, 65536}) {
            TFakeDrive& drive = Drive(name);
            drive.DiskClusterSize = reported;
            drive.Fat32ClusterSize = reported;
            EXPECT_EQ(ClusterSize(), 2048) << name << " reporting " << reported;
        }
    }
}

TEST_F(ClusterSizeTest, OtherFileSystemsReportTheDiskFigures) {
    for (const char* name : {"NTFS", "FAT", "FAT32X", ""}) {
        TFakeDrive& drive = Drive(name);
        drive.Fat32ClusterSize = 1024;
        drive.DiskClusterSize = 8192;
        EXPECT_EQ(ClusterSize(), 8192) << "file system '" << name << "'";
        drive.DiskClusterSize = -1;
        EXPECT_EQ(ClusterSize(), -1) << "file system '" << name << "'";
    }
}

TEST_F(ClusterSizeTest, UnreadableVolumeIgnoresItsNameAndFallsThroughToTheDisk) {
    TFakeDrive& drive = Drive("CDFS");
    drive.VolumeReadable = false;
    drive.DiskClusterSize = 512;
    EXPECT_EQ(ClusterSize(), 512);
    drive.Volume.FileSystemName = "FAT32";
    drive.Fat32ClusterSize = 16384;
    EXPECT_EQ(ClusterSize(), 512);
    drive.DiskClusterSize = -1;
    EXPECT_EQ(ClusterSize(), -1);
}

TEST_F(ClusterSizeTest, MissingDriveIsUnknown) {
    Drive("FAT32").Fat32ClusterSize = 4096;
    EXPECT_EQ(GetClusterSize(Drives, "Q:\\"), -1);
}

TEST_F(ClusterSizeTest, FileSystemNameIsEmptyWhenTheVolumeCannotBeRead) {
    TFakeDrive& drive = Drive("NTFS");
    EXPECT_EQ(GetFileSystemName(Drives, "D:\\"), "NTFS");
    drive.VolumeReadable = false;
    EXPECT_EQ(GetFileSystemName(Drives, "D:\\"), "");
}

TEST(CaseSensitiveVolumeTest, FollowsBitZeroOfTheFileSystemFlags) {
    TFakeDriveInfo drives;
    TFakeDrive& drive = drives.AddDrive("E:\\");
    drive.Volume.FileSystemFlags = 0xFFFFFFFE;
    EXPECT_FALSE(IsCaseSensitiveVolume(drives, "E:\\"));
    drive.Volume.FileSystemFlags = kVolumeCaseSensitive;
    EXPECT_TRUE(IsCaseSensitiveVolume(drives, "E:\\"));
}

TEST(CaseSensitiveVolumeTest, UnreadableOrMissingVolumeCountsAsInsensitive) {
    TFakeDriveInfo drives;
    TFakeDrive& drive = drives.AddDrive("E:\\");
    drive.Volume.FileSystemFlags = kVolumeCaseSensitive;
    drive.VolumeReadable = false;
    EXPECT_FALSE(IsCaseSensitiveVolume(drives, "E:\\"));
    EXPECT_FALSE(IsCaseSensitiveVolume(drives, "F:\\"));
}

TEST(FakeDriveInfoTest, MatchesRootsLikeWindowsDoes) {
    TFakeDriveInfo drives;
    drives.AddDrive("c:\\").DiskClusterSize = 4096;
    EXPECT_EQ(drives.GetDiskClusterSize("C:\\"), 4096);
    EXPECT_EQ(&drives.AddDrive("C:\\"), &drives.AddDrive("c:\\"));
    EXPECT_EQ(drives.GetDiskClusterSize("C:"), -1);
}

}  // namespace
