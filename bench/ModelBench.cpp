#include "ModelBench.h"

#include <chrono>
#include <string>

#include "AllocationCounter.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/MemoryFileSystem.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"
#include "scan/Scanner.h"

TBenchShape TBenchShape::MillionFolders() {
    TBenchShape shape;
    shape.TopFolders = 100;
    shape.MiddleFolders = 100;
    shape.LeafFolders = 100;
    shape.FilesPerLeaf = 0;
    shape.LeafStems = {"bin",
                       "Documents",
                       "Temporary Internet Files",
                       "img",
                       "Microsoft Office",
                       "cache",
                       "Application Data",
                       "src",
                       "Downloads",
                       "x64"};
    return shape;
}

int64_t TBenchShape::FolderCount() const { return int64_t(TopFolders) * (1 + MiddleFolders * (1 + LeafFolders)); }

int64_t TBenchShape::FileCount() const { return int64_t(TopFolders) * MiddleFolders * LeafFolders * FilesPerLeaf; }

TModelBenchResult RunModelBench(const TBenchShape& shape) {
    TMemoryFileSystem files;
    int64_t fileIndex = 0;
    for (int t = 0; t < shape.TopFolders; ++t) {
        const std::string top = "C:\\Top" + std::to_string(t);
        for (int m = 0; m < shape.MiddleFolders; ++m) {
            const std::string middle = top + "\\Middle folder " + std::to_string(m);
            for (int l = 0; l < shape.LeafFolders; ++l) {
                const std::string leaf = middle + "\\" + shape.LeafName(l);
                files.AddFolder(leaf);
                for (int f = 0; f < shape.FilesPerLeaf; ++f)
                    files.AddFile(leaf + "\\file" + std::to_string(f) + ".dat", TBenchShape::FileLength(fileIndex++));
            }
        }
    }

    TFakeDriveInfo drives;
    TDriveList driveList;
    IScanHost host;
    TFolderTree tree;
    TWordSortOrder nameOrder;
    TScanner scanner(tree, files, drives, driveList, host, nameOrder);
    scanner.SetClusterSize(4096);

    const size_t heapBefore = LiveHeapBytes();
    const auto start = std::chrono::steady_clock::now();
    TFolderNode* root = tree.AddRoot("C", 'C');
    const TFolderSize* record = scanner.ScanFolder("C:\\", *root);
    const auto stop = std::chrono::steady_clock::now();

    TModelBenchResult result;
    result.Seconds = std::chrono::duration<double>(stop - start).count();
    // Every folder is listed with "." and ".." except the root.
    result.Entries = shape.FolderCount() + shape.FileCount() + 2 * shape.FolderCount();
    result.BytesPerFolder = double(LiveHeapBytes() - heapBefore) / double(shape.FolderCount() + 1);
    result.TreeSize = record ? record->TreeSize : -1;
    return result;
}
