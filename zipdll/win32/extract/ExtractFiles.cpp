#include "ExtractFiles.h"

#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileTime.h"
#include "platform/win32/Win32Paths.h"
#include "zipdll/core/ZipFormat.h"

namespace {

constexpr size_t kWriteBuffer = 256 * 1024;
// Paths from this length on take the \\?\ form, which has no MAX_PATH limit.
constexpr size_t kLongPath = MAX_PATH - 12;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The \\?\ form of a full path, for paths longer than MAX_PATH.
std::wstring LongForm(const std::wstring& path) {
    if (path.size() < kLongPath || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void SetTimes(HANDLE handle, const TEntryTimes& times) {
    const FILETIME created = FiletimeOfTicks(times.Created), accessed = FiletimeOfTicks(times.Accessed),
                   modified = FiletimeOfTicks(times.Modified);
    SetFileTime(handle, times.Created ? &created : nullptr, times.Accessed ? &accessed : nullptr,
                times.Modified ? &modified : nullptr);
}

}  // namespace

std::string ErrorText(DWORD code) { return SystemErrorText(code); }

TEntryTimes TimesOfEntry(const TZipCentralEntry& entry) {
    TEntryTimes times;
    if (entry.ModifiedTime) {
        times.Modified = entry.ModifiedTime;
        times.Accessed = entry.AccessedTime;
        times.Created = entry.CreatedTime;
        return times;
    }
    const TZipDosTime dos = FromDosDateTime(entry.DosDate, entry.DosTime);
    SYSTEMTIME local{};
    local.wYear = WORD(dos.Year);
    local.wMonth = WORD(dos.Month);
    local.wDay = WORD(dos.Day);
    local.wHour = WORD(dos.Hour);
    local.wMinute = WORD(dos.Minute);
    local.wSecond = WORD(dos.Second);
    SYSTEMTIME utc{};
    FILETIME result{};
    if (TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &result))
        times.Modified = FiletimeTicks(result);
    return times;
}

DWORD AttributesOfEntry(const TZipCentralEntry& entry) { return entry.ExternalAttributes & kKeptAttributes; }

TExistingItem InspectItem(const std::wstring& path) {
    TExistingItem item;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return item;
    item.Exists = true;
    item.Attributes = data.dwFileAttributes;
    item.IsFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.Modified = FiletimeTicks(data.ftLastWriteTime);
    return item;
}

bool TExtractFolder::Open(std::string& error) {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(length, L'\0');
    const DWORD got = length ? GetCurrentDirectoryW(length, &buffer[0]) : 0;
    if (got == 0 || got >= length) {
        error = "The current folder cannot be read: " + ErrorText(GetLastError());
        return false;
    }
    buffer.resize(got);
    while (!buffer.empty() && (buffer.back() == L'\\' || buffer.back() == L'/')) buffer.pop_back();
    Base = buffer;
    return true;
}

std::wstring TExtractFolder::PathOf(const std::string& relative) const {
    return LongForm(Base + L"\\" + Widen(relative));
}

bool TExtractFolder::MakeFolders(const std::vector<std::string>& components, size_t count, std::string& error) {
    std::string relative;
    for (size_t i = 0; i < count && i < components.size(); ++i) {
        if (i) relative += '\\';
        relative += components[i];
        if (Known.count(relative)) continue;
        const std::wstring path = PathOf(relative);
        const TExistingItem item = InspectItem(path);
        if (item.Exists) {
            if (!item.IsFolder) {
                error = "the file " + relative + " stands where a folder should be";
                return false;
            }
            if (item.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                error = "the folder " + relative + " is a link, which could lead outside the extraction folder";
                return false;
            }
            Known.insert(relative);
            continue;
        }
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            error = "the folder " + relative + " cannot be created: " + ErrorText(GetLastError());
            return false;
        }
        Known.insert(relative);
    }
    return true;
}

void ApplyFolderDetails(const std::wstring& path, const TEntryTimes& times, DWORD attributes) {
    TWin32Handle folder(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (folder.IsValid()) SetTimes(folder.Get(), times);
    folder.Reset();
    // Read-only means nothing on a folder to Windows Explorer's users; keep hidden, system, archive.
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (kept) SetFileAttributesW(path.c_str(), kept | FILE_ATTRIBUTE_DIRECTORY);
}

TPendingFile::~TPendingFile() { Discard(); }

void TPendingFile::Discard() {
    File.Reset();
    if (!Temporary.empty()) DeleteFileW(Temporary.c_str());
    Temporary.clear();
}

bool TPendingFile::Create(const std::wstring& target, DWORD attributes, std::string& error) {
    const DWORD hiding = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Target = target;
    const std::wstring folder = FolderOf(target);
    // A name unlikely to be taken; CREATE_NEW tries again on the rare clash.
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16) ^ DWORD(reinterpret_cast<uintptr_t>(this));
    for (int attempt = 0; attempt < 100; ++attempt) {
        seed = seed * 1664525u + 1013904223u;
        wchar_t name[32];
        wsprintfW(name, L"\\~qm%08lX.tmp", static_cast<unsigned long>(seed));
        const std::wstring path = folder + name;
        File =
            TWin32Handle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     (hiding ? hiding : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (File.IsValid()) {
            Temporary = path;
            Buffer.reserve(kWriteBuffer);
            return true;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            error = ErrorText(code);
            return false;
        }
    }
    error = "no temporary file name is free";
    return false;
}

bool TPendingFile::Flush() {
    size_t done = 0;
    while (done < Buffer.size()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(Buffer.size() - done);
        if (!WriteFile(File.Get(), Buffer.data() + done, chunk, &written, nullptr)) {
            LastWriteError = GetLastError();
            return false;
        }
        if (written == 0) {
            LastWriteError = ERROR_DISK_FULL;
            return false;
        }
        done += written;
    }
    Buffer.clear();
    return true;
}

bool TPendingFile::Write(const unsigned char* data, size_t size) {
    if (!File.IsValid()) return false;
    if (Buffer.size() + size > kWriteBuffer && !Flush()) return false;
    Buffer.insert(Buffer.end(), data, data + size);
    return true;
}

bool TPendingFile::Commit(const TEntryTimes& times, DWORD attributes, const TExistingItem& existing,
                          std::string& error) {
    if (!File.IsValid() || !Flush()) {
        error = ErrorText(LastWriteError ? LastWriteError : ERROR_WRITE_FAULT);
        Discard();
        return false;
    }
    SetTimes(File.Get(), times);
    File.Reset();
    const DWORD blocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const bool unblocked = existing.Exists && !existing.IsFolder && (existing.Attributes & blocking);
    if (unblocked) SetFileAttributesW(Target.c_str(), existing.Attributes & ~blocking);
    if (!MoveFileExW(Temporary.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = ErrorText(GetLastError());
        if (unblocked) SetFileAttributesW(Target.c_str(), existing.Attributes);
        Discard();
        return false;
    }
    Temporary.clear();
    if (attributes) SetFileAttributesW(Target.c_str(), attributes);
    return true;
}
