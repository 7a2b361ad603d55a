#pragma once
// The files an add reads and writes: each file to add, and the new archive,
// written under a temporary name beside the target and renamed over it
// only when complete.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/Owned.h"
#include "zipdll/core/ZipOutput.h"
#include "zipdll/core/ZipWriter.h"

// A file's identity for "did it change while it was read": size and last write time.
struct TFileStamp {
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
    bool operator==(const TFileStamp& other) const { return Size == other.Size && WriteTime == other.WriteTime; }
    bool operator!=(const TFileStamp& other) const { return !(*this == other); }
};

// The stamp of a file by name; false when it cannot be read (it vanished).
bool ReadFileStamp(const std::wstring& path, TFileStamp& stamp);

// One file to add, opened so that others may go on using it.
class TZipFileSource : public IZipSource {
public:
    explicit TZipFileSource(const std::wstring& path);

    bool IsOpen() const { return File.IsValid(); }
    // The system's error code of the failed open or read.
    DWORD ErrorCode() const { return LastError; }
    const TFileStamp& StampAtOpen() const { return OpenStamp; }
    // The stamp now, through the open handle.
    bool CurrentStamp(TFileStamp& stamp) const;

    bool Read(void* buffer, size_t count, size_t& got) override;
    bool Rewind() override;

private:
    TWin32Handle File;
    DWORD LastError = 0;
    TFileStamp OpenStamp;
};

// The archive under construction: a fresh file with a unique name in the
// target's folder, deleted when this object ends unless committed.
class TTemporaryArchive : public IZipOutput {
public:
    TTemporaryArchive() = default;
    ~TTemporaryArchive();
    TTemporaryArchive(const TTemporaryArchive&) = delete;
    TTemporaryArchive& operator=(const TTemporaryArchive&) = delete;

    bool Create(const std::wstring& folder);
    const std::wstring& Path() const { return TempPath; }
    DWORD ErrorCode() const { return LastError; }

    bool WriteAt(uint64_t position, const void* data, size_t size) override;
    bool Truncate(uint64_t size) override;

    // Flushes the file to the disk and renames it over `target`, replacing
    // any file there. Only afterwards is the archive in place.
    bool Commit(const std::wstring& target, bool flushToDisk);
    void Discard();

private:
    TWin32Handle File;
    std::wstring TempPath;
    DWORD LastError = 0;
    bool Committed = false;
};
