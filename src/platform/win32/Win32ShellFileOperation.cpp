#include "platform/win32/Win32ShellFileOperation.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

// The shell's lists are NUL-separated and end with a second NUL.
std::wstring DoubleNulList(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        list += Widen(path);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

}  // namespace

TShellFileResult TWin32ShellFileOperation::Run(const TShellFileRequest& request) {
    const std::wstring from = DoubleNulList(request.From);
    const std::wstring to =
        DoubleNulList(request.To.empty() ? std::vector<std::string>{} : std::vector<std::string>{request.To});
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = static_cast<HWND>(request.Owner);
    operation.wFunc = request.Action == TShellFileAction::Move ? FO_MOVE : FO_DELETE;
    operation.pFrom = from.c_str();
    operation.pTo = request.Action == TShellFileAction::Move ? to.c_str() : nullptr;
    operation.fFlags = FILEOP_FLAGS(request.Flags);
    const int result = SHFileOperationW(&operation);
    if (operation.fAnyOperationsAborted) return TShellFileResult::Cancelled;
    return result == 0 ? TShellFileResult::Done : TShellFileResult::Failed;
}

bool TWin32ShellFileOperation::RemoveEmptyFolder(const std::string& path) {
    return RemoveDirectoryW(Win32PathOf(path).c_str()) != FALSE;
}

// Opened as the link itself (not followed) and marked for deletion: the
// link's own folder entry goes, the target is never opened.
bool TWin32ShellFileOperation::RemoveFolderLink(const std::string& path, std::string& error) {
    const std::wstring wide = Win32PathOf(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        error = attributes == INVALID_FILE_ATTRIBUTES ? SystemErrorText(GetLastError()) : "It is not a link.";
        return false;
    }
    TWin32Handle link(CreateFileW(wide.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!link.IsValid()) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    FILE_DISPOSITION_INFO dispose = {TRUE};
    if (!SetFileInformationByHandle(link.Get(), FileDispositionInfo, &dispose, sizeof dispose)) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    return true;
}
