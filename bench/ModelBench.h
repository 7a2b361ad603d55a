#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Shape of the benchmark tree: 20 top folders of 10 folders of 100 leaf
// folders, each leaf holding 10 files: 20,220 folders and 200,000 files.
struct TBenchShape {
    int TopFolders = 20;
    int MiddleFolders = 10;
    int LeafFolders = 100;
    int FilesPerLeaf = 10;
    // Leaf l is named LeafStems[l % size] followed by l.
    std::vector<std::string> LeafStems = {"leaf"};

    // A big drive's worth of folders: 100 top folders of 100 folders of 100
    // leaves, 1,010,100 folders without files (the model keeps nothing per
    // file), named as folders usually are: short mostly, some longer than a
    // std::string holds without the heap.
    static TBenchShape MillionFolders();

    int64_t FolderCount() const;
    int64_t FileCount() const;
    std::string LeafName(int l) const { return LeafStems[size_t(l) % LeafStems.size()] + std::to_string(l); }
    // A length that varies from file to file, so slack differs too.
    static int64_t FileLength(int64_t index) { return (index * 7919) % 300000; }
};

struct TModelBenchResult {
    double Seconds = 0;
    int64_t Entries = 0;        // directory entries the scanner read
    double BytesPerFolder = 0;  // model memory: nodes, names and records
    int64_t TreeSize = 0;
};

// Scans the benchmark tree held in an in-memory file system: the cost of the
// model alone, without the operating system's listing.
TModelBenchResult RunModelBench(const TBenchShape& shape);
