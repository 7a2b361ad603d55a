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

#include "platform/win32/WideString.h"
#include "tests/win32/UnixTools.h"
#include "zipdll/ZipDllInterface.h"

namespace {

// Info-ZIP on 200 MB takes seconds; a stuck tool must still end the run.
constexpr int kShellTimeoutSeconds = 1800;

using TClock = std::chrono::steady_clock;

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                      written == bytes.size());
    CloseHandle(file);
    return ok;
}

// The files below a folder and their bytes.
void CountTree(const std::wstring& folder, int64_t& files, int64_t& bytes) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CountTree(folder + L"\\" + name, files, bytes);
        } else {
            ++files;
            bytes += (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

int64_t FileLength(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Text with the statistics of prose: words from a vocabulary of a few
// thousand, of Zipf-like frequency, in lines of varying length.
class TTextMaker {
public:
    TTextMaker() {
        uint32_t state = 12345;
        for (int i = 0; i < 4000; ++i) {
            std::string word;
            const int length = 2 + int(Next(state) % 9);
            for (int k = 0; k < length; ++k) word.push_back(char('a' + Next(state) % 26));
            Vocabulary.push_back(word);
        }
    }
    std::string Make(size_t size, uint32_t seed) const {
        std::string out;
        out.reserve(size + 64);
        uint32_t state = seed * 2654435761u + 1;
        size_t line = 0;
        while (out.size() < size) {
            // Squaring a uniform number favours the first words of the vocabulary.
            const double u = double(Next(state) % 1000000) / 1e6;
            const std::string& word = Vocabulary[size_t(u * u * u * double(Vocabulary.size()))];
            out += word;
            line += word.size() + 1;
            if (line > 60 + Next(state) % 20) {
                out += "\r\n";
                line = 0;
            } else {
                out.push_back(Next(state) % 11 == 0 ? ',' : ' ');
            }
        }
        out.resize(size);
        return out;
    }

private:
    static uint32_t Next(uint32_t& state) {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
    std::vector<std::string> Vocabulary;
};

std::string RandomBytes(size_t size, uint32_t seed) {
    std::string out(size, '\0');
    uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    for (size_t i = 0; i + 8 <= size; i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::memcpy(&out[i], &state, 8);
    }
    return out;
}

bool MakeMixedFolder(const std::wstring& root) {
    const std::wstring marker = root + L"\\complete.marker";
    if (GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("creating the mixed folder in %s ...\n", Narrow(root).c_str());
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring mixed = root + L"\\mixed";
    CreateDirectoryW(mixed.c_str(), nullptr);
    for (const wchar_t* sub : {L"\\text", L"\\random", L"\\zeros", L"\\small"})
        CreateDirectoryW((mixed + sub).c_str(), nullptr);
    const TTextMaker text;
    uint32_t seed = 1;
    for (int i = 0; i < 60; ++i)  // 90 MB of text
        if (!WriteWhole(mixed + L"\\text\\part" + std::to_wstring(i) + L".txt", text.Make(1500000, seed++)))
            return false;
    for (int i = 0; i < 20; ++i)  // 60 MB that does not compress
        if (!WriteWhole(mixed + L"\\random\\blob" + std::to_wstring(i) + L".bin", RandomBytes(3000000, seed++)))
            return false;
    for (int i = 0; i < 5; ++i)  // 40 MB of zeros
        if (!WriteWhole(mixed + L"\\zeros\\image" + std::to_wstring(i) + L".img", std::string(8000000, '\0')))
            return false;
    for (int d = 0; d < 40; ++d) {  // 2,000 small files, about 9 MB
        const std::wstring folder = mixed + L"\\small\\folder" + std::to_wstring(d);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < 50; ++f) {
            const size_t size = 1000 + (size_t(seed) * 7919u) % 8000u;
            if (!WriteWhole(folder + L"\\note" + std::to_wstring(f) + L".txt", text.Make(size, seed++))) return false;
        }
    }
    return WriteWhole(marker, "");
}

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

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

int32_t QM_ZIPAPI QuietCallback(TZipCallbackRecord* record) {
    if (record->Action >= kZipActionMessage && record->ErrorCode != 0)
        std::fprintf(stderr, "zip_bench: ZIPDLL says: %s\n", record->Text);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root;
    if (argc > 1) {
        root = argv[1];
    } else {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"qm-zip-bench";
    }
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
    const auto exec = module ? reinterpret_cast<TZipDllExec>(reinterpret_cast<void*>(GetProcAddress(module, "ZipDllExec")))
                             : nullptr;
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
        const int zipExit = RunShell("cd '" + unixRoot + "' && /usr/bin/time -f '%e %U %S' -o '" +
                                         UnixPathOf(timing) + "' /usr/bin/zip -r -9 -q '" + UnixPathOf(theirs) +
                                         "' mixed",
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
    std::printf("Info-ZIP zip -r -9:        %7.3f s     %7.3f s     %12lld\n", zip.Wall, zip.Cpu,
                (long long)zip.Size);
    std::printf("time ratio ours / zip: %.3f (wall), %.3f (processor); target at most 1.3\n", mine.Wall / zip.Wall,
                mine.Cpu / zip.Cpu);
    std::printf("size ratio ours / zip: %.4f; target at most 1.02\n", double(mine.Size) / double(zip.Size));
    std::printf("unzip -t of our archive: %s\n", checked == 0 ? "no errors" : output.c_str());
    DeleteFileW(ours.c_str());
    DeleteFileW(theirs.c_str());
    DeleteFileW(timing.c_str());
    return checked == 0 ? 0 : 1;
}
