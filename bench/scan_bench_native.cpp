// Throughput of the scan model over an in-memory listing, on the build machine.

#include <cstdio>

#include "ModelBench.h"

int main() {
    const TBenchShape shape;
    RunModelBench(shape);  // warm-up
    const TModelBenchResult r = RunModelBench(shape);
    std::printf("model over in-memory listing: %lld folders, %lld files\n", (long long)shape.FolderCount(),
                (long long)shape.FileCount());
    std::printf("  %.0f entries per second (%.3f s)\n", double(r.Entries) / r.Seconds, r.Seconds);
    std::printf("  model memory: %.0f bytes per folder\n", r.BytesPerFolder);
    return r.TreeSize > 0 ? 0 : 1;
}
