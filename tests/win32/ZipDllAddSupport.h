#pragma once
// For the tests of ZIPDLL.DLL: the library loaded from beside the program,
// a recording callback, a scratch folder made current, and the Linux tools
// (unzip, Python's zipfile) that judge the archives.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "UnixTools.h"
#include "platform/win32/WideString.h"
#include "zipdll/ZipDllInterface.h"
#include "zipdll/win32/common/PasswordPrompt.h"

// The libraries sit in build\<tree>\src, the tests in build\<tree>\tests.
inline std::wstring ZipLibraryPath(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L'\\'));
    path.resize(path.find_last_of(L'\\'));
    return path + L"\\src\\" + name;
}

class TZipDllLibrary {
public:
    TZipDllLibrary() : Module(LoadLibraryW(ZipLibraryPath(L"ZIPDLL.DLL").c_str())) {
        if (!Module) return;
        Exec = reinterpret_cast<TZipDllExec>(reinterpret_cast<void*>(GetProcAddress(Module, "ZipDllExec")));
        Version = reinterpret_cast<TZipDllVersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(Module, "GetZipDllVersion")));
    }
    ~TZipDllLibrary() {
        if (Module) FreeLibrary(Module);
    }
    TZipDllLibrary(const TZipDllLibrary&) = delete;
    TZipDllLibrary& operator=(const TZipDllLibrary&) = delete;

    HMODULE Module;
    TZipDllExec Exec = nullptr;
    TZipDllVersionFunction Version = nullptr;
};

struct TZipCall {
    int32_t Action;
    int32_t ErrorCode;
    uint32_t FileSize;
    std::string Text;
};

// Every callback the library makes, and the answers to give it.
struct TZipCallbackLog {
    std::vector<TZipCall> Calls;
    int StopAtStep = -1;                   // answer -1 to this step (counted from 1)
    std::function<void(int step)> OnStep;  // runs inside the step callback
    int Steps = 0;

    static int32_t QM_ZIPAPI Record(TZipCallbackRecord* record) {
        auto* log = static_cast<TZipCallbackLog*>(record->Caller);
        log->Calls.push_back(TZipCall{record->Action, record->ErrorCode, record->FileSize, record->Text});
        if (record->Action == kZipActionStep) {
            ++log->Steps;
            if (log->OnStep) log->OnStep(log->Steps);
            if (log->Steps == log->StopAtStep) return kZipCallbackStop;
        }
        return 0;
    }
    std::vector<std::string> FilesBegun() const {
        std::vector<std::string> names;
        for (const TZipCall& call : Calls)
            if (call.Action == kZipActionFileBegins) names.push_back(call.Text);
        return names;
    }
    std::vector<TZipCall> Failures() const {
        std::vector<TZipCall> failures;
        for (const TZipCall& call : Calls)
            if (call.Action >= kZipActionMessage && call.ErrorCode != 0) failures.push_back(call);
        return failures;
    }
    std::string FailureTexts() const {
        std::string text;
        for (const TZipCall& call : Failures()) text += call.Text + " (" + std::to_string(call.ErrorCode) + ")\n";
        return text;
    }
};

// A block as the adapter fills it, with the strings it points to.
struct TZipAddCall {
    std::unique_ptr<TZipAddBlock> Block = std::make_unique<TZipAddBlock>();
    std::string ZipName;
    std::string Password;
    std::vector<std::string> Specs;

    TZipAddCall(const std::string& zipName, std::vector<std::string> specs, TZipCallbackLog& log)
        : ZipName(zipName), Specs(std::move(specs)) {
        TZipAddBlock& b = *Block;
        b.Caller = &log;
        b.Version = kZipDllVersion;
        b.Callback = &TZipCallbackLog::Record;
        b.Fixed1 = b.Fixed2 = b.Fixed3 = kZipFlagTrue;
        b.Level = 9;
        b.Recurse = kZipFlagTrue;
        b.Seven = kZipBlockSeven;
    }
    TZipAddBlock* Get() {
        Block->ZipName = ZipName.c_str();
        Block->Password = Password.empty() ? nullptr : Password.c_str();
        Block->SpecCount = int32_t(Specs.size());
        for (size_t i = 0; i < Specs.size(); ++i) Block->Specs[i] = Specs[i].c_str();
        return Block.get();
    }
};

// One entry as Python's zipfile reads it: the whole contents read back,
// which checks the CRC.
struct TPythonEntry {
    std::string Name;
    uint64_t Size = 0;
    uint64_t ReadSize = 0;
    std::string Contents;  // hex of the first 32 bytes
};

struct TPythonListing {
    bool Ran = false;
    bool Complete = false;  // every entry was read without an error
    std::vector<TPythonEntry> Entries;
    std::string Output;
};

inline TPythonListing ListWithPython(const std::wstring& archive, const std::wstring& scratch,
                                     const std::string& password = "") {
    static const char* const kScript =
        "import sys, zipfile\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "pwd = sys.argv[2].encode('utf-8') if len(sys.argv) > 2 else None\n"
        "out = sys.stdout.buffer\n"
        "for i in z.infolist():\n"
        "    data = b'' if i.is_dir() else z.read(i, pwd=pwd)\n"
        "    out.write(('%s\\t%d\\t%d\\t%s\\n' % (i.filename, i.file_size, len(data), "
        "data[:32].hex())).encode('utf-8'))\n"
        "out.write(b'COMPLETE\\n')\n";
    TPythonListing listing;
    const std::wstring scriptFile = scratch + L"-list.py";
    HANDLE file = CreateFileW(scriptFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return listing;
    DWORD written = 0;
    WriteFile(file, kScript, DWORD(strlen(kScript)), &written, nullptr);
    CloseHandle(file);
    std::string command = "/usr/bin/python3 '" + UnixPathOf(scriptFile) + "' '" + UnixPathOf(archive) + "'";
    if (!password.empty()) command += " '" + password + "'";
    const TUnixRun run = RunUnixShell(command, scratch);
    DeleteFileW(scriptFile.c_str());
    listing.Ran = run.Ran;
    listing.Output = run.Output;
    size_t at = 0;
    while (at < run.Output.size()) {
        size_t end = run.Output.find('\n', at);
        if (end == std::string::npos) end = run.Output.size();
        const std::string line = run.Output.substr(at, end - at);
        at = end + 1;
        if (line == "COMPLETE") {
            listing.Complete = run.ExitCode == 0;
            break;
        }
        const size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1), t3 = line.find('\t', t2 + 1);
        if (t3 == std::string::npos) continue;
        TPythonEntry entry;
        entry.Name = line.substr(0, t1);
        entry.Size = std::stoull(line.substr(t1 + 1, t2 - t1 - 1));
        entry.ReadSize = std::stoull(line.substr(t2 + 1, t3 - t2 - 1));
        entry.Contents = line.substr(t3 + 1);
        listing.Entries.push_back(entry);
    }
    return listing;
}

// Answers the library's password dialog from a thread of its own.
class TPasswordAnswerer {
public:
    struct TAttempt {
        std::wstring First, Second;
    };
    TPasswordAnswerer(std::vector<TAttempt> attempts, bool cancel)
        : Attempts(std::move(attempts)), Cancel(cancel), Worker([this] { Answer(); }) {}
    ~TPasswordAnswerer() { Finish(); }
    // Waits until the answers are given (or the dialog never came).
    void Finish() {
        if (Worker.joinable()) Worker.join();
    }

    std::vector<std::wstring> Notices;  // what the dialog said after each refused attempt
    bool Found = false;

private:
    static HWND FindDialog() {
        HWND dialog = FindWindowW(L"#32770", kZipPasswordCaption);
        DWORD process = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &process);
        return dialog && process == GetCurrentProcessId() && IsWindowVisible(dialog) ? dialog : nullptr;
    }
    static std::wstring Notice(HWND dialog) {
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, kZipPasswordNotice, text, 256);
        return text;
    }
    void Answer() {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 200 && !dialog; ++tries) {
            Sleep(100);
            dialog = FindDialog();
        }
        if (!dialog) return;
        Found = true;
        if (Cancel) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        for (size_t i = 0; i < Attempts.size(); ++i) {
            SetDlgItemTextW(dialog, kZipPasswordFirstEdit, Attempts[i].First.c_str());
            SetDlgItemTextW(dialog, kZipPasswordSecondEdit, Attempts[i].Second.c_str());
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            if (i + 1 < Attempts.size()) Notices.push_back(Notice(dialog));
        }
    }

    std::vector<TAttempt> Attempts;
    bool Cancel;
    std::thread Worker;
};
