#pragma once
// The Linux tools beside Wine (Debian's zip, unzip and python3), run from
// the Win32 tests and benchmarks to judge what our code writes and to make
// what it reads.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/WideString.h"

// The Linux path of a Wine path; "" when not running under Wine.
inline std::string UnixPathOf(const std::wstring& path) {
    using TConvert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<TConvert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return std::string();
    char* unixPath = convert(path.c_str());
    if (!unixPath) return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}
inline std::string UnixPathOf(const std::string& path) { return UnixPathOf(Widen(path)); }

inline std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

struct TUnixRun {
    bool Ran = false;
    int ExitCode = -1;
    std::string Output;  // standard output and error
};

// Runs a shell command on the Linux side. Wine starts Linux programs but
// hands back no process to wait for, so the command leaves its output and
// exit code in files named after `scratch` (a Windows path), which this
// waits for: a minute unless told otherwise; benchmarks look more often.
inline TUnixRun RunUnixShell(const std::string& command, const std::wstring& scratch, int timeoutSeconds = 60,
                             DWORD pollMilliseconds = 100) {
    TUnixRun run;
    const std::wstring outFile = scratch + L"-out.txt", codeFile = scratch + L"-code.txt";
    DeleteFileW(outFile.c_str());
    DeleteFileW(codeFile.c_str());
    const std::string out = UnixPathOf(outFile), code = UnixPathOf(codeFile);
    if (out.empty() || code.empty()) return run;
    const std::string script =
        command + " >'" + out + "' 2>&1; echo $? >'" + code + ".part'; mv '" + code + ".part' '" + code + "'";
    std::wstring commandLine = L"sh -c \"" + Widen(script) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return run;
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(timeoutSeconds) * 1000;
    while (GetFileAttributesW(codeFile.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < deadline)
        Sleep(pollMilliseconds);
    const std::string codeText = ReadWholeFile(codeFile);
    if (codeText.empty()) return run;
    run.Ran = true;
    run.ExitCode = std::atoi(codeText.c_str());
    run.Output = ReadWholeFile(outFile);
    DeleteFileW(outFile.c_str());
    DeleteFileW(codeFile.c_str());
    return run;
}
inline TUnixRun RunUnixShell(const std::string& command, const std::string& scratch) {
    return RunUnixShell(command, Widen(scratch));
}
