// Runs seed corpora through the fuzz targets without libFuzzer:
//   qmfuzzreplay FOLDER...
// Each folder is named after its target (zip_entry_list, zip_archive,
// zip_round_trip, zip_rewrite, zip_names). A
// fault ends the program the way it would end the fuzzer (a sanitizer
// report, a trap); a folder that is missing, empty or of an unknown target
// is an error.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace {

using TTarget = int (*)(const uint8_t*, size_t);

TTarget TargetFor(const std::filesystem::path& folder) {
    const std::string name =
        folder.filename().empty() ? folder.parent_path().filename().string() : folder.filename().string();
    if (name == "zip_entry_list") return FuzzZipEntryList;
    if (name == "zip_archive") return FuzzZipArchive;
    if (name == "zip_round_trip") return FuzzZipRoundTrip;
    if (name == "zip_rewrite") return FuzzZipRewrite;
    if (name == "zip_names") return FuzzZipNames;
    if (name == "archive_index") return FuzzArchiveIndex;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qmfuzzreplay CORPUS_FOLDER...\n");
        return 2;
    }
    size_t total = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path folder(argv[i]);
        const TTarget target = TargetFor(folder);
        if (!target) {
            std::fprintf(stderr, "%s: no fuzz target of that name\n", argv[i]);
            return 1;
        }
        std::error_code error;
        std::vector<std::filesystem::path> files;
        for (const auto& item : std::filesystem::directory_iterator(folder, error))
            if (item.is_regular_file()) files.push_back(item.path());
        if (error || files.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[i]);
            return 1;
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.good() && !in.eof()) {
                std::fprintf(stderr, "%s: cannot be read\n", file.string().c_str());
                return 1;
            }
            target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        std::printf("%s: %zu files run\n", argv[i], files.size());
        total += files.size();
    }
    std::printf("%zu corpus files run, no faults\n", total);
    return 0;
}
