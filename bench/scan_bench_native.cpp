// Throughput and memory of the scan model over an in-memory listing, on the
// build machine: the benchmark tree, then a tree of a million folders.

#include <cstdio>

#include "ModelBench.h"

namespace {

// Model memory per folder must stay at or below this, whatever the tree.
constexpr double kBytesPerFolderTarget = 200;

void PrintRun(const TBenchShape& shape, const TModelBenchResult& r) {
    std::printf("model over in-memory listing: %lld folders, %lld files\n", (long long)shape.FolderCount(),
                (long long)shape.FileCount());
    std::printf("  %.0f entries per second (%.3f s)\n", double(r.Entries) / r.Seconds, r.Seconds);
    std::printf("  model memory: %.0f bytes per folder (target at most %.0f)\n", r.BytesPerFolder,
                kBytesPerFolderTarget);
}

}  // namespace

int main() {
    const TBenchShape shape;
    RunModelBench(shape);  // warm-up
    const TModelBenchResult r = RunModelBench(shape);
    PrintRun(shape, r);
    const TBenchShape big = TBenchShape::MillionFolders();
    const TModelBenchResult million = RunModelBench(big);
    PrintRun(big, million);
    return r.TreeSize > 0 && million.TreeSize >= 0 ? 0 : 1;
}
