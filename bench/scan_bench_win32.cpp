// scan_bench [FOLDER]: compares a bare FindFirstFileW walk with the full
// scanner over the same tree of 200,000 files in 20,220 folders, which it
// creates inside FOLDER (default: %TEMP%\qm-scan-bench) on first use.
// Prints the time ratio scanner / bare walk and the model memory per folder.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "Win32BenchFiles.h"
#include "AllocationCounter.h"
#include "ModelBench.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FileTime.h"
#include "platform/win32/Win32NameOrder.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/Scanner.h"

namespace {

using TClock = std::chrono::steady_clock;

bool MakeBenchTree(const std::wstring& root, const TBenchShape& shape) {
    const std::wstring marker = root + L"\\complete.marker";
    if (GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("creating the benchmark tree in %s ...\n", Narrow(root).c_str());
    CreateDirectoryW(root.c_str(), nullptr);
    int64_t fileIndex = 0;
    for (int t = 0; t < shape.TopFolders; ++t) {
        const std::wstring top = root + L"\\Top" + std::to_wstring(t);
        CreateDirectoryW(top.c_str(), nullptr);
        for (int m = 0; m < shape.MiddleFolders; ++m) {
            const std::wstring middle = top + L"\\Middle folder " + std::to_wstring(m);
            CreateDirectoryW(middle.c_str(), nullptr);
            for (int l = 0; l < shape.LeafFolders; ++l) {
                const std::wstring leaf = middle + L"\\leaf" + std::to_wstring(l);
                if (!CreateDirectoryW(leaf.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
                for (int f = 0; f < shape.FilesPerLeaf; ++f) {
                    const std::wstring file = leaf + L"\\file" + std::to_wstring(f) + L".dat";
                    if (!MakeSizedFile(file, TBenchShape::FileLength(fileIndex++))) return false;
                }
            }
        }
    }
    return MakeSizedFile(marker, 0);
}

// The least a scan can do: list every folder and add up the lengths.
int64_t BareWalk(const std::wstring& folder) {
    int64_t total = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const bool dots = data.cFileName[0] == L'.' &&
                              (data.cFileName[1] == 0 || (data.cFileName[1] == L'.' && data.cFileName[2] == 0));
            if (!dots && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                total += BareWalk(folder + L"\\" + data.cFileName);
        } else {
            total += int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return total;
}

// Wall time is what the user waits for, but on a busy machine it is noisy;
// the process's processor time (user and kernel) is steadier.
struct TStopwatch {
    TClock::time_point Wall = TClock::now();
    double Cpu = ProcessorSeconds();

    static double ProcessorSeconds() {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        auto seconds = [](const FILETIME& t) { return double(FileTimeValue(FromFiletime(t))) / 1e7; };
        return seconds(kernel) + seconds(user);
    }
    double WallSeconds() const { return std::chrono::duration<double>(TClock::now() - Wall).count(); }
    double CpuSeconds() const { return ProcessorSeconds() - Cpu; }
};

struct TBest {
    double Wall = 1e30;
    double Cpu = 1e30;
    void Take(const TStopwatch& watch) {
        Wall = std::min(Wall, watch.WallSeconds());
        Cpu = std::min(Cpu, watch.CpuSeconds());
    }
};

// The same walk through the listing seam, without building any model: what
// the seam itself adds (name conversion, the entry record).
int64_t SeamWalk(IFileSystem& files, const std::string& folder) {
    int64_t total = 0;
    auto listing = files.OpenListing(folder + "\\*.*");
    if (!listing) return 0;
    TDirEntry entry;
    while (listing->Next(entry)) {
        if (entry.Attributes & kAttrDirectory) {
            if (entry.Name != "." && entry.Name != ".." && !(entry.Attributes & kAttrReparsePoint))
                total += SeamWalk(files, folder + "\\" + entry.Name);
        } else {
            total += entry.Length;
        }
    }
    return total;
}

struct TScanRun {
    int64_t TreeSize = 0;
    double BytesPerFolder = 0;
};

TScanRun FullScan(const std::string& folder, int64_t folders, TBest& best) {
    TWin32FileSystem files;
    TWin32DriveInfo drives;
    TDriveList driveList;
    IScanHost host;
    TFolderTree tree;
    TWin32NameOrder nameOrder;
    TScanner scanner(tree, files, drives, driveList, host, nameOrder);
    scanner.SetClusterSize(GetClusterSize(drives, folder.substr(0, 3)));

    const size_t heapBefore = LiveHeapBytes();
    const TStopwatch watch;
    TFolderNode* root = tree.AddRoot("bench", 'C');
    const TFolderSize* record = scanner.ScanFolder(folder + "\\", *root);
    best.Take(watch);
    TScanRun run;
    run.TreeSize = record ? record->TreeSize : -1;
    run.BytesPerFolder = double(LiveHeapBytes() - heapBefore) / double(folders + 1);
    return run;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root;
    if (argc > 1) {
        root = argv[1];
    } else {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"qm-scan-bench";
    }
    const TBenchShape shape;
    if (!MakeBenchTree(root, shape)) {
        std::fprintf(stderr, "scan_bench: cannot create the tree in %s\n", Narrow(root).c_str());
        return 2;
    }
    const std::string folder = Narrow(root);

    // Alternate the two walks and keep each one's best time, so that the
    // file system's caches favour neither.
    const int rounds = 5;
    TBest bare, seam, scan;
    TWin32FileSystem files;
    double bytesPerFolder = 0;
    int64_t bareTotal = 0, scanTotal = 0;
    BareWalk(root);  // warm-up
    for (int i = 0; i < rounds; ++i) {
        const TStopwatch watch;
        bareTotal = BareWalk(root);
        bare.Take(watch);
        const TStopwatch seamWatch;
        SeamWalk(files, folder);
        seam.Take(seamWatch);
        const TScanRun run = FullScan(folder, shape.FolderCount(), scan);
        scanTotal = run.TreeSize;
        bytesPerFolder = run.BytesPerFolder;
    }

    std::printf("tree: %lld folders, %lld files, %lld bytes\n", (long long)shape.FolderCount(),
                (long long)shape.FileCount(), (long long)bareTotal);
    std::printf("best of %d         wall time   processor time\n", rounds);
    std::printf("bare FindFirstFileW walk: %7.3f s   %7.3f s\n", bare.Wall, bare.Cpu);
    std::printf("listing seam only:        %7.3f s   %7.3f s\n", seam.Wall, seam.Cpu);
    std::printf("full scanner:             %7.3f s   %7.3f s\n", scan.Wall, scan.Cpu);
    std::printf("ratio scanner / bare walk: %.3f (wall), %.3f (processor); target at most 1.15\n",
                scan.Wall / bare.Wall, scan.Cpu / bare.Cpu);
    std::printf("model memory: %.0f bytes per folder\n", bytesPerFolder);

    const TModelBenchResult model = RunModelBench(shape);
    std::printf("model over in-memory listing: %.0f entries per second\n", double(model.Entries) / model.Seconds);
    if (scanTotal != bareTotal) {
        std::fprintf(stderr, "scan_bench: the scanner counted %lld bytes, the bare walk %lld\n", (long long)scanTotal,
                     (long long)bareTotal);
        return 1;
    }
    return 0;
}
