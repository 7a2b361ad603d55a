#include "ZipAddFiles.h"

#include <algorithm>

namespace {
uint64_t Join(DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; }
}  // namespace

bool ReadFileStamp(const std::wstring& path, TFileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    stamp.Size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.WriteTime = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return true;
}

TZipFileSource::TZipFileSource(const std::wstring& path)
    : File(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    if (!File.IsValid()) {
        LastError = GetLastError();
        return;
    }
    if (!CurrentStamp(OpenStamp)) {
        LastError = GetLastError();
        File.Reset();
    }
}

// Size and write time only: GetFileInformationByHandle would also ask for
// the volume's serial number, which costs far more on some systems.
bool TZipFileSource::CurrentStamp(TFileStamp& stamp) const {
    LARGE_INTEGER size{};
    FILETIME written{};
    if (!GetFileSizeEx(File.Get(), &size) || !GetFileTime(File.Get(), nullptr, nullptr, &written)) return false;
    stamp.Size = uint64_t(size.QuadPart);
    stamp.WriteTime = Join(written.dwHighDateTime, written.dwLowDateTime);
    return true;
}

bool TZipFileSource::Read(void* buffer, size_t count, size_t& got) {
    got = 0;
    DWORD done = 0;
    const DWORD want = DWORD(std::min<size_t>(count, 1u << 30));
    if (!ReadFile(File.Get(), buffer, want, &done, nullptr)) {
        LastError = GetLastError();
        return false;
    }
    got = done;
    return true;
}

bool TZipFileSource::Rewind() {
    LARGE_INTEGER start{};
    if (SetFilePointerEx(File.Get(), start, nullptr, FILE_BEGIN)) return true;
    LastError = GetLastError();
    return false;
}

TTemporaryArchive::~TTemporaryArchive() { Discard(); }

bool TTemporaryArchive::Create(const std::wstring& folder) {
    wchar_t name[MAX_PATH + 1] = {};
    // Makes the file under a name no other file has, so nothing is overwritten.
    if (!GetTempFileNameW(folder.c_str(), L"qmz", 0, name)) {
        LastError = GetLastError();
        return false;
    }
    TempPath = name;
    File =
        TWin32Handle(CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File.IsValid()) {
        LastError = GetLastError();
        DeleteFileW(name);
        TempPath.clear();
        return false;
    }
    return true;
}

bool TTemporaryArchive::WriteAt(uint64_t position, const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = DWORD(position & 0xFFFFFFFFu);
        at.OffsetHigh = DWORD(position >> 32);
        const DWORD want = DWORD(std::min<size_t>(size, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(File.Get(), bytes, want, &done, &at)) {
            LastError = GetLastError();
            return false;
        }
        if (done == 0) {
            LastError = ERROR_DISK_FULL;
            return false;
        }
        bytes += done;
        size -= done;
        position += done;
    }
    return true;
}

bool TTemporaryArchive::Truncate(uint64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(size);
    if (SetFilePointerEx(File.Get(), at, nullptr, FILE_BEGIN) && SetEndOfFile(File.Get())) return true;
    LastError = GetLastError();
    return false;
}

bool TTemporaryArchive::Commit(const std::wstring& target, bool flushToDisk) {
    if (flushToDisk && !FlushFileBuffers(File.Get())) {
        LastError = GetLastError();
        return false;
    }
    File.Reset();
    if (!MoveFileExW(TempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        LastError = GetLastError();
        return false;
    }
    Committed = true;
    return true;
}

void TTemporaryArchive::Discard() {
    File.Reset();
    if (!Committed && !TempPath.empty()) DeleteFileW(TempPath.c_str());
    TempPath.clear();
}
