#include "platform/win32/ReplacingFile.h"

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Paths.h"

namespace {

constexpr size_t kBufferSize = 1 << 16;

// The folder part of a full path, with its backslash.
std::wstring FolderOf(const std::wstring& fullPath) {
    const size_t slash = fullPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : fullPath.substr(0, slash + 1);
}

}  // namespace

TReplacingFile::TReplacingFile(const std::string& target) {
    const std::string full = FullPathName(target);
    if (full.empty()) throw TFileError("the file name is not valid");
    // The temporary file, its replacing the target and the question whether
    // the target is a folder all go by the literal name.
    Target = Win32PathOf(full);
    const DWORD attributes = GetFileAttributesW(Target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw TFileError("it is a folder");
    wchar_t name[MAX_PATH + 16] = {};
    if (!GetTempFileNameW(FolderOf(Target).c_str(), L"qm~", 0, name)) Fail(GetLastError());
    Temporary = name;
    File =
        TWin32Handle(CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File.IsValid()) {
        const DWORD error = GetLastError();
        DeleteFileW(name);
        Fail(error);
    }
    Buffer.reserve(kBufferSize);
}

TReplacingFile::~TReplacingFile() {
    if (Committed) return;
    File.Reset();
    if (!Temporary.empty()) DeleteFileW(Temporary.c_str());
}

void TReplacingFile::Fail(DWORD error) { throw TFileError(SystemErrorText(error)); }

void TReplacingFile::Write(const std::string& bytes) {
    if (Buffer.size() + bytes.size() > kBufferSize) Flush();
    if (bytes.size() > kBufferSize) {
        Buffer = bytes;
        Flush();
        return;
    }
    Buffer += bytes;
}

void TReplacingFile::Flush() {
    DWORD written = 0;
    if (Buffer.empty()) return;
    if (!WriteFile(File.Get(), Buffer.data(), DWORD(Buffer.size()), &written, nullptr)) Fail(GetLastError());
    if (written != Buffer.size()) Fail(ERROR_DISK_FULL);
    Buffer.clear();
}

void TReplacingFile::Commit() {
    Flush();
    if (!FlushFileBuffers(File.Get())) Fail(GetLastError());
    File.Reset();
    if (!MoveFileExW(Temporary.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail(GetLastError());
    Committed = true;
}
