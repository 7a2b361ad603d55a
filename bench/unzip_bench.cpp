// unzip_bench [FOLDER]: extraction speed of UNZDLL.DLL against Info-ZIP's
// unzip on the same archive in the same run. Inside FOLDER (default
// %TEMP%\qm-unzip-bench) it makes, on first use, a mixed tree of about
// 200 MB (text-like, random and zero-filled files of many sizes, with
// Python) and its archive (Linux zip -r -9). Then it extracts the archive
// three times with each, alternating, and prints the best wall times and
// their ratio (UNZDLL / unzip). Runs under Wine; UNZDLL.DLL is taken from
// beside Quarrymap.exe (build\<tree>\src).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/WideString.h"
#include "tests/win32/UnixTools.h"
#include "zipdll/ZipDllInterface.h"

namespace {

using TClock = std::chrono::steady_clock;

// Where Shell leaves its commands' output and exit codes.
std::wstring ShellScratch;

// Runs a Linux shell command (without double quotes) and waits for it; its
// exit code, -1 if it never ran.
int Shell(const std::string& command) {
    const TUnixRun run = RunUnixShell(command, ShellScratch, 1800, 2);
    return run.Ran ? run.ExitCode : -1;
}

const char* kMakeTree = R"(
import os, random, sys
root = sys.argv[1]
rng = random.Random(2000)
words = [''.join(rng.choice('abcdefghijklmnopqrstuvwxyz') for _ in range(rng.randint(2, 9))) for _ in range(3000)]
total, n = 0, 0
while total < 200 * 1024 * 1024:
    folder = os.path.join(root, 'f%02d' % (n % 40), 's%d' % (n % 7))
    os.makedirs(folder, exist_ok=True)
    kind = n % 5
    size = int(rng.paretovariate(1.2) * 8000) if n % 50 else rng.randint(2, 6) * 1024 * 1024
    size = min(size, 8 * 1024 * 1024)
    path = os.path.join(folder, 'file%05d.%s' % (n, ['txt', 'bin', 'log', 'dat', 'csv'][kind]))
    with open(path, 'wb') as f:
        if kind == 1:
            f.write(rng.randbytes(size))
        elif kind == 3:
            f.write(bytes(size))
        else:
            text = ' '.join(rng.choice(words) for _ in range(size // 5 + 1)).encode()
            f.write(text[:size])
    total += size
    n += 1
)";

bool Prepare(const std::wstring& folder, std::string& unixFolder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    unixFolder = UnixPathOf(folder);
    if (unixFolder.empty()) {
        std::fprintf(stderr, "not running under Wine: no Linux path for %s\n", Narrow(folder).c_str());
        return false;
    }
    ShellScratch = folder + L"\\shell";
    if (GetFileAttributesW((folder + L"\\bench.zip").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("making the tree and its archive in %s ...\n", unixFolder.c_str());
    std::fflush(stdout);
    const std::wstring script = folder + L"\\maketree.py";
    HANDLE file = CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, kMakeTree, DWORD(strlen(kMakeTree)), &written, nullptr);
    CloseHandle(file);
    const std::string q = "'" + unixFolder + "'";
    return Shell("rm -rf " + q + "/tree && /usr/bin/python3 " + q + "/maketree.py " + q + "/tree && cd " + q +
                 "/tree && /usr/bin/zip -q -r -9 ../bench.zip.part . && mv ../bench.zip.part ../bench.zip") == 0;
}

double TimeUnzDll(TUnzDllExec exec, const std::wstring& folder, const std::string& unixFolder, int32_t& files) {
    Shell("rm -rf '" + unixFolder + "/out-dll' && mkdir '" + unixFolder + "/out-dll'");
    SetCurrentDirectoryW((folder + L"\\out-dll").c_str());
    auto block = std::make_unique<TUnzipBlock>();
    *block = TUnzipBlock{};
    block->Version = kZipDllVersion;
    block->Fixed1 = kZipFlagTrue;
    block->FolderNames = kZipFlagTrue;
    block->Overwrite = kZipFlagTrue;
    const std::string zipName = Narrow(folder + L"\\bench.zip");
    block->ZipName = zipName.c_str();
    block->Seven = kZipBlockSeven;
    const auto start = TClock::now();
    files = exec(block.get());
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    SetCurrentDirectoryW(folder.c_str());
    return seconds;
}

double TimeUnzip(const std::string& unixFolder) {
    const std::string q = "'" + unixFolder + "'";
    Shell("rm -rf " + q + "/out-unzip");
    const auto start = TClock::now();
    const int code = Shell("/usr/bin/unzip -q -o " + q + "/bench.zip -d " + q + "/out-unzip");
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    if (code != 0) std::fprintf(stderr, "unzip failed with code %d\n", code);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring tree = self;
    tree.resize(tree.find_last_of(L'\\'));
    tree.resize(tree.find_last_of(L'\\'));
    HMODULE library = LoadLibraryW((tree + L"\\src\\UNZDLL.DLL").c_str());
    const auto exec =
        library ? reinterpret_cast<TUnzDllExec>(reinterpret_cast<void*>(GetProcAddress(library, "UnzDllExec")))
                : nullptr;
    if (!exec) {
        std::fprintf(stderr, "UNZDLL.DLL not found beside the program\n");
        return 1;
    }
    std::wstring folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"qm-unzip-bench";
    }
    std::string unixFolder;
    if (!Prepare(folder, unixFolder)) {
        std::fprintf(stderr, "could not make the benchmark archive\n");
        return 1;
    }
    double bestDll = 1e30, bestUnzip = 1e30;
    int32_t files = 0;
    for (int round = 0; round < 3; ++round) {
        bestUnzip = std::min(bestUnzip, TimeUnzip(unixFolder));
        bestDll = std::min(bestDll, TimeUnzDll(exec, folder, unixFolder, files));
    }
    // Both extractions must agree before their times mean anything.
    const std::string q = "'" + unixFolder + "'";
    const bool same = Shell("diff -r -q " + q + "/out-dll " + q + "/out-unzip > /dev/null") == 0;
    std::printf("files extracted by UNZDLL.DLL: %d; trees identical: %s\n", files, same ? "yes" : "NO");
    std::printf("best of 3: UNZDLL.DLL %.2f s, unzip %.2f s\n", bestDll, bestUnzip);
    std::printf("extract time ratio (UNZDLL / unzip): %.2f (target at most 1.3)\n", bestDll / bestUnzip);
    return same ? 0 : 1;
}
