// qmscan FOLDER: scans one folder with the program's scanner, at the cluster
// size of the folder's drive, and prints the folder's record.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/WideString.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32NameOrder.h"
#include "platform/win32/Win32Paths.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"
#include "scan/RecordText.h"
#include "scan/Scanner.h"

namespace {

constexpr int kExitUsage = 1;
constexpr int kExitNotAFolder = 2;
constexpr int kExitAborted = 3;

std::wstring VolumeRootOf(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH)) return path.substr(0, 3);
    return root;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Win32PathOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qmscan FOLDER\n");
        return kExitUsage;
    }
    const std::string path = FullPathName(Narrow(argv[1]));
    const std::wstring full = Widen(path);
    if (path.empty() || !IsFolder(path)) {
        std::fprintf(stderr, "qmscan: \"%s\" is not a folder\n", Narrow(argv[1]).c_str());
        return kExitNotAFolder;
    }

    TWin32DriveInfo drives;
    TWin32FileSystem fileSystem;
    TFolderTree tree;
    IScanHost host;
    TWin32NameOrder nameOrder;
    TDriveList driveRecords;
    TScanner scanner(tree, fileSystem, drives, driveRecords, host, nameOrder);

    const std::string root = Narrow(VolumeRootOf(full));
    scanner.SetClusterSize(GetClusterSize(drives, root));

    TFolderNode* node = tree.AddRoot(path, UpperDriveLetter(path[0]));
    const TFolderSize* record = scanner.ScanFolder(AddBackslash(path), *node);
    if (!record) {
        std::fprintf(stderr, "qmscan: the scan of \"%s\" did not finish\n", path.c_str());
        return kExitAborted;
    }
    std::printf("ClusterSize: %ld\n%s", long(scanner.ClusterSize()), DescribeRecord(*node).c_str());
    return 0;
}
