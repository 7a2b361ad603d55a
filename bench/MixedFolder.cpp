#include "MixedFolder.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/WideString.h"

namespace {

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

}  // namespace

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size());
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

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

std::wstring MixedFolderRoot(int argc, wchar_t** argv) {
    if (argc > 1) return argv[1];
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"qm-zip-bench";
}
