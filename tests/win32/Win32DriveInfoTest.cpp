#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <string>

#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32ShellInfo.h"
#include "scan/ClusterSize.h"

namespace {

std::string SystemDriveRoot() {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
    if (n < 3 || folder[1] != L':') return "C:\\";
    return std::string(1, char(folder[0])) + ":\\";
}

// A letter the system has no drive for, or "" when every letter is taken.
std::string MissingDriveRoot() {
    const DWORD present = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'D'; --letter)
        if ((present & (1u << (letter - 'A'))) == 0) return std::string(1, letter) + ":\\";
    return std::string();
}

bool IsPowerOfTwo(int64_t n) { return n > 0 && (n & (n - 1)) == 0; }

class Win32DriveInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Missing = MissingDriveRoot();
        ASSERT_FALSE(Missing.empty()) << "every drive letter is in use";
    }

    TWin32DriveInfo Drives;
    const std::string System = SystemDriveRoot();
    std::string Missing;
};

TEST_F(Win32DriveInfoTest, SystemDriveReportsItsVolume) {
    TVolumeInformation info;
    ASSERT_TRUE(Drives.GetVolumeInfo(System, info));
    EXPECT_FALSE(info.FileSystemName.empty());
    EXPECT_GT(info.MaxComponentLength, 0u);
    EXPECT_EQ(GetFileSystemName(Drives, System), info.FileSystemName);
}

TEST_F(Win32DriveInfoTest, SystemDriveHasAPowerOfTwoClusterSize) {
    EXPECT_TRUE(IsPowerOfTwo(Drives.GetDiskClusterSize(System))) << Drives.GetDiskClusterSize(System);
    EXPECT_TRUE(IsPowerOfTwo(GetClusterSize(Drives, System))) << GetClusterSize(Drives, System);
}

TEST_F(Win32DriveInfoTest, SystemDriveHasMoreBytesInAllThanFree) {
    const int64_t total = Drives.GetDriveTotalBytes(System);
    const int64_t free = Drives.GetDriveFreeBytes(System);
    EXPECT_GT(total, 0);
    EXPECT_GE(free, 0);
    EXPECT_GE(total, free);
}

TEST_F(Win32DriveInfoTest, SystemDriveIsFixed) { EXPECT_TRUE(Drives.IsFixedDrive(System)); }

TEST_F(Win32DriveInfoTest, MissingDriveAnswersWithFailures) {
    TVolumeInformation info;
    info.VolumeName = "STALE";
    info.FileSystemName = "NTFS";
    info.SerialNumber = 1234;
    info.MaxComponentLength = 255;
    info.FileSystemFlags = kVolumeCaseSensitive;
    EXPECT_FALSE(Drives.GetVolumeInfo(Missing, info));
    EXPECT_EQ(info.VolumeName, "");
    EXPECT_EQ(info.FileSystemName, "");
    EXPECT_EQ(info.SerialNumber, 0u);
    EXPECT_EQ(info.MaxComponentLength, 0u);
    EXPECT_EQ(info.FileSystemFlags, 0u);

    EXPECT_EQ(Drives.GetDiskClusterSize(Missing), -1);
    EXPECT_EQ(GetClusterSize(Drives, Missing), -1);
    EXPECT_EQ(Drives.GetDriveTotalBytes(Missing), -1);
    EXPECT_EQ(Drives.GetDriveFreeBytes(Missing), -1);
    EXPECT_FALSE(Drives.IsFixedDrive(Missing));
}

TEST_F(Win32DriveInfoTest, VolumeQueryLeavesTheErrorModeAsItFoundIt) {
    const UINT known = SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    const UINT original = SetErrorMode(known);
    TVolumeInformation info;
    Drives.GetVolumeInfo(System, info);
    const UINT afterSuccess = GetErrorMode();
    Drives.GetVolumeInfo(Missing, info);
    const UINT afterFailure = SetErrorMode(original);
    EXPECT_EQ(afterSuccess, known);
    EXPECT_EQ(afterFailure, known);
}

// The VWIN32 device exists only on Windows 9x.
TEST_F(Win32DriveInfoTest, Fat32RequestFailsWithoutTheVwin32Device) {
    EXPECT_EQ(Drives.GetFat32ClusterSize(System), -1);
}

class Win32ShellInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ComReady = SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    TWin32ShellInfo Shell;
    const std::string System = SystemDriveRoot();
    bool ComReady = false;
};

TEST_F(Win32ShellInfoTest, DriveRootHasADisplayNameAndIcons) {
    EXPECT_FALSE(Shell.GetShellDisplayName(System).empty());
    EXPECT_GE(Shell.GetShellIconIndex(System, false), 0);
    EXPECT_GE(Shell.GetShellIconIndex(System, true), 0);
}

TEST_F(Win32ShellInfoTest, FolderHasATypeName) {
    wchar_t folder[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(folder, MAX_PATH), 0u);
    char narrow[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, folder, -1, narrow, sizeof(narrow), nullptr, nullptr);
    EXPECT_FALSE(Shell.GetShellTypeName(narrow).empty());
}

TEST_F(Win32ShellInfoTest, MissingPathGivesNoAnswers) {
    const std::string missing = System + "no such folder 7f3a\\no such file.qm";
    EXPECT_EQ(Shell.GetShellDisplayName(missing), "");
    EXPECT_EQ(Shell.GetShellTypeName(missing), "");
    EXPECT_EQ(Shell.GetShellIconIndex(missing, false), -1);
}

TEST_F(Win32ShellInfoTest, SystemImageListsExistInBothSizes) {
    const HIMAGELIST small = GetSystemImageList(true);
    const HIMAGELIST large = GetSystemImageList(false);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    int smallWidth = 0, smallHeight = 0, largeWidth = 0, largeHeight = 0;
    ASSERT_TRUE(ImageList_GetIconSize(small, &smallWidth, &smallHeight));
    ASSERT_TRUE(ImageList_GetIconSize(large, &largeWidth, &largeHeight));
    EXPECT_LT(smallWidth, largeWidth);
    EXPECT_GT(ImageList_GetImageCount(small), Shell.GetShellIconIndex(SystemDriveRoot(), false));
}

}  // namespace
