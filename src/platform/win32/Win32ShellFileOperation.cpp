#include "platform/win32/Win32ShellFileOperation.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WideString.h"
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
    const std::wstring to = DoubleNulList(request.To.empty() ? std::vector<std::string>{} : std::vector<std::string>{request.To});
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
