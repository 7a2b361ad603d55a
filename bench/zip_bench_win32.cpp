// zip_bench [FOLDER]: adds a mixed folder of about 200 MB (text-like,
// random and zero-filled files, and many small ones in subfolders), made
// inside FOLDER (default %TEMP%\qm-zip-bench) on first use, at level 9
// through ZIPDLL.DLL and with Info-ZIP's zip -r -9 on the Linux side (Wine
// starts it), in the same run. Prints time and size as ratios ours / zip;
// targets at most 1.3 and 1.02. Both archives are checked with unzip -t.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "MixedFolder.h"
#include "platform/win32/WideString.h"
#include "tests/win32/UnixTools.h"
#include "zipdll/ZipDllInterface.h"

namespace {

// Info-ZIP on 200 MB takes seconds; a stuck tool must still end the run.
constexpr int kShellTimeoutSeconds = 1800;

using TClock = std::chrono::steady_clock;

// Runs a shell command on the Linux side; its exit code, -1 if it never ran.
int RunShell(const std::string& command, const std::wstring& scratch, std::string& output) {
    const TUnixRun run = RunUnixShell(command, scratch, kShellTimeoutSeconds, 2);
    output = run.Output;
    return run.Ran ? run.ExitCode : -1;
}

struct TRun {
    double Wall = 1e30;
    double Cpu = 1e30;
    int64_t Size = 0;
    void Take(double wall, double cpu, int64_t size) {
        Wall = std::min(Wall, wall);
        Cpu = std::min(Cpu, cpu);
        Size = size;
    }
};

int32_t QM_ZIPAPI QuietCallback(TZipCallbackRecord* record) {
    if (record->Action >= kZipActionMessage && record->ErrorCode != 0)
        std::fprintf(stderr, "zip_bench: ZIPDLL says: %s\n", record->Text);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring root = MixedFolderRoot(argc, argv);
    if (!MakeMixedFolder(root)) {
        std::fprintf(stderr, "zip_bench: cannot create the folder in %s\n", Narrow(root).c_str());
        return 2;
    }
    // The library sits in build\<tree>\src, this program in build\<tree>\bench.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring library = self;
    library.resize(library.find_last_of(L'\\'));
    library.resize(library.find_last_of(L'\\'));
    library += L"\\src\\ZIPDLL.DLL";
    const HMODULE module = LoadLibraryW(library.c_str());
    const auto exec =
        module ? reinterpret_cast<TZipDllExec>(reinterpret_cast<void*>(GetProcAddress(module, "ZipDllExec"))) : nullptr;
    if (!exec) {
        std::fprintf(stderr, "zip_bench: cannot load %s\n", Narrow(library).c_str());
        return 2;
    }
    const std::wstring ours = root + L"\\ours.zip", theirs = root + L"\\theirs.zip", timing = root + L"\\time.txt";
    const std::string unixRoot = UnixPathOf(root);
    if (unixRoot.empty()) {
        std::fprintf(stderr, "zip_bench: runs under Wine, which starts Linux's zip\n");
        return 2;
    }
    SetCurrentDirectoryW(root.c_str());
    std::string output;
    RunShell("cat '" + unixRoot + "'/mixed/*/* >/dev/null", root + L"\\warm", output);  // into the cache

    int64_t fileCount = 0, totalBytes = 0;
    CountTree(root + L"\\mixed", fileCount, totalBytes);

    const int rounds = 2;
    TRun mine, zip;
    for (int round = 0; round < rounds; ++round) {
        DeleteFileW(theirs.c_str());
        const int zipExit = RunShell("cd '" + unixRoot + "' && /usr/bin/time -f '%e %U %S' -o '" + UnixPathOf(timing) +
                                         "' /usr/bin/zip -r -9 -q '" + UnixPathOf(theirs) + "' mixed",
                                     root + L"\\shell", output);
        double wall = 0, user = 0, system = 0;
        if (zipExit != 0 || std::sscanf(ReadWholeFile(timing).c_str(), "%lf %lf %lf", &wall, &user, &system) != 3) {
            std::fprintf(stderr, "zip_bench: zip failed (%d): %s\n", zipExit, output.c_str());
            return 1;
        }
        zip.Take(wall, user + system, FileLength(theirs));

        DeleteFileW(ours.c_str());
        auto block = std::make_unique<TZipAddBlock>();
        block->Version = kZipDllVersion;
        block->Callback = &QuietCallback;
        block->Fixed1 = block->Fixed2 = block->Fixed3 = kZipFlagTrue;
        block->Level = 9;
        block->Recurse = kZipFlagTrue;
        block->Seven = kZipBlockSeven;
        block->SpecCount = 1;
        block->Specs[0] = "mixed\\*.*";
        const std::string zipName = Narrow(ours);
        block->ZipName = zipName.c_str();
        const double cpuBefore = ProcessorSeconds();
        const auto start = TClock::now();
        const int32_t files = exec(block.get());
        const double ourWall = std::chrono::duration<double>(TClock::now() - start).count();
        mine.Take(ourWall, ProcessorSeconds() - cpuBefore, FileLength(ours));
        if (files != fileCount) {
            std::fprintf(stderr, "zip_bench: ZIPDLL added %d files, not %lld\n", files, (long long)fileCount);
            return 1;
        }
    }
    const int checked = RunShell("/usr/bin/unzip -tq '" + UnixPathOf(ours) + "'", root + L"\\shell", output);
    std::printf("folder: %lld files, %.1f MB\n", (long long)fileCount, double(totalBytes) / 1e6);
    std::printf("best of %d at level 9       wall time   processor time   archive bytes\n", rounds);
    std::printf("ZIPDLL.DLL (under Wine):   %7.3f s     %7.3f s     %12lld\n", mine.Wall, mine.Cpu,
                (long long)mine.Size);
    std::printf("Info-ZIP zip -r -9:        %7.3f s     %7.3f s     %12lld\n", zip.Wall, zip.Cpu, (long long)zip.Size);
    std::printf("time ratio ours / zip: %.3f (wall), %.3f (processor); target at most 1.3\n", mine.Wall / zip.Wall,
                mine.Cpu / zip.Cpu);
    std::printf("size ratio ours / zip: %.4f; target at most 1.02\n", double(mine.Size) / double(zip.Size));
    std::printf("unzip -t of our archive: %s\n", checked == 0 ? "no errors" : output.c_str());
    DeleteFileW(ours.c_str());
    DeleteFileW(theirs.c_str());
    DeleteFileW(timing.c_str());
    return checked == 0 ? 0 : 1;
}
