#pragma once
// Runs the program itself as a child process, the way a script or a
// scheduled job would, with its standard output and error collected.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"

struct TRun {
    DWORD ExitCode = 0xFFFFFFFF;
    std::string Errors;  // what the program wrote to its standard output and error
};

// The program sits beside the tests' folder: build\x64\src\Quarrymap.exe.
inline std::wstring ProgramUnderTest() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L'\\'));
    path.resize(path.find_last_of(L'\\'));
    return path + L"\\src\\Quarrymap.exe";
}

// Runs any program in `folder` when one is given.
inline TRun RunCommand(const std::wstring& exe, const std::vector<std::string>& arguments,
                       const std::string& folder = "") {
    std::wstring commandLine = L"\"" + exe + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + Widen(argument) + L"\"";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    TRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    TWin32Handle reader(readEnd), writer(writeEnd);
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    PROCESS_INFORMATION info = {};
    const std::wstring workingFolder = Widen(folder);
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
        return run;
    TWin32Handle process(info.hProcess), thread(info.hThread);
    writer.Reset();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(reader.Get(), buffer, sizeof buffer, &got, nullptr) && got) run.Errors.append(buffer, got);
    WaitForSingleObject(process.Get(), 60000);
    GetExitCodeProcess(process.Get(), &run.ExitCode);
    return run;
}

inline TRun RunProgram(const std::vector<std::string>& arguments) { return RunCommand(ProgramUnderTest(), arguments); }
