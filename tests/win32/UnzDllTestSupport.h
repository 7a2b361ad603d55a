#pragma once
// Calls UNZDLL.DLL the way the program does, from beside the test runner,
// on archives that Linux tools (zip, python3's zipfile) make for the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <map>

#include "UnixTools.h"
#include "ZipTreeSupport.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"
#include "zipdll/ZipDllInterface.h"

namespace UnzTest {

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The tree helpers' names as these tests knew them.
using TItem = TTreeItem;
using TTree = TTreeSnapshot;

}  // namespace UnzTest

using namespace UnzTest;

struct TUnzEvent {
    int32_t Action = 0;
    int32_t ErrorCode = 0;
    uint32_t FileSize = 0;
    std::string Text;
};

// What the library reported, and when to answer with Stop.
struct TUnzRecorder {
    std::vector<TUnzEvent> Events;
    int StopAtStep = 0;  // the n-th step callback returns Stop; 0: never
    int StepsSeen = 0;

    std::vector<TUnzEvent> Of(int32_t action) const {
        std::vector<TUnzEvent> found;
        for (const TUnzEvent& e : Events)
            if (e.Action == action) found.push_back(e);
        return found;
    }
    // The messages that report a failure.
    std::vector<std::string> Failures() const {
        std::vector<std::string> texts;
        for (const TUnzEvent& e : Events)
            if (e.Action >= kZipActionMessage && e.ErrorCode != 0) texts.push_back(e.Text);
        return texts;
    }
    std::vector<std::string> FilesBegun() const {
        std::vector<std::string> names;
        for (const TUnzEvent& e : Of(kZipActionFileBegins)) names.push_back(e.Text);
        return names;
    }
};

inline int32_t QM_ZIPAPI RecordUnzEvent(TZipCallbackRecord* record) {
    auto* recorder = static_cast<TUnzRecorder*>(record->Caller);
    recorder->Events.push_back({record->Action, record->ErrorCode, record->FileSize, record->Text});
    if (record->Action == kZipActionStep && recorder->StopAtStep && ++recorder->StepsSeen == recorder->StopAtStep)
        return kZipCallbackStop;
    return 0;
}

struct TUnzOptions {
    bool TestOnly = false;
    bool FolderNames = true;
    bool Overwrite = false;
    bool Freshen = false;
    bool Update = false;
    std::string Password;
    std::vector<std::string> Specs;
};

class UnzDllFixture : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring folder = self;
        folder.resize(folder.find_last_of(L'\\'));
        folder.resize(folder.find_last_of(L'\\'));
        Library = LoadLibraryW((folder + L"\\src\\UNZDLL.DLL").c_str());
        ASSERT_NE(nullptr, Library) << "UNZDLL.DLL beside the program";
        Exec = reinterpret_cast<TUnzDllExec>(reinterpret_cast<void*>(GetProcAddress(Library, "UnzDllExec")));
        ASSERT_NE(nullptr, Exec);

        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        Work = Narrow(temp) + "qmunz-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        RemoveTree(Work);
        ASSERT_TRUE(CreateDirectoryW(Widen(Work).c_str(), nullptr));
        Source = Work + "\\source";
        Out = Work + "\\out";
        CreateDirectoryW(Widen(Source).c_str(), nullptr);
        CreateDirectoryW(Widen(Out).c_str(), nullptr);
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        SavedDirectory = current;
    }

    void TearDown() override {
        SetCurrentDirectoryW(SavedDirectory.c_str());
        if (!Work.empty()) RemoveTree(Work);
        if (Library) FreeLibrary(Library);
    }

    // Runs a shell command line (Linux) in the work folder; its exit code.
    int Shell(const std::string& command) {
        const TUnixRun run = RunUnixShell("cd '" + UnixPathOf(Work) + "' && (" + command + ")", Work + "\\shell");
        if (run.ExitCode != 0) ADD_FAILURE() << command << "\n" << run.Output;
        return run.ExitCode;
    }

    // Runs Python code with the work folder current.
    int Python(const std::string& code) {
        EXPECT_TRUE(WriteBytes(Work + "\\make.py", "import os, sys, zipfile\n" + code + "\n"));
        return Shell("/usr/bin/python3 make.py");
    }

    // Extracts the archive (a path relative to the work folder) into Out.
    int32_t Unzip(const std::string& archive, const TUnzOptions& options = {}) {
        EXPECT_TRUE(SetCurrentDirectoryW(Widen(Out).c_str()));
        auto block = std::make_unique<TUnzipBlock>();
        *block = TUnzipBlock{};
        block->Caller = &Recorder;
        block->Version = kZipDllVersion;
        block->Callback = RecordUnzEvent;
        block->Password = options.Password.empty() ? nullptr : options.Password.c_str();
        block->TestOnly = options.TestOnly ? kZipFlagTrue : kZipFlagFalse;
        block->Fixed1 = kZipFlagTrue;
        block->Update = options.Update ? kZipFlagTrue : kZipFlagFalse;
        block->Freshen = options.Freshen ? kZipFlagTrue : kZipFlagFalse;
        block->FolderNames = options.FolderNames ? kZipFlagTrue : kZipFlagFalse;
        block->Overwrite = options.Overwrite ? kZipFlagTrue : kZipFlagFalse;
        const std::string zipName = Work + "\\" + archive;
        block->ZipName = zipName.c_str();
        block->Seven = kZipBlockSeven;
        block->SpecCount = int32_t(options.Specs.size());
        for (size_t i = 0; i < options.Specs.size(); ++i) block->Specs[i] = options.Specs[i].c_str();
        const int32_t result = Exec(block.get());
        SetCurrentDirectoryW(SavedDirectory.c_str());
        return result;
    }

    // Every file and folder under Out, as relative paths.
    std::vector<std::string> OutItems() const {
        std::vector<std::string> names;
        for (const auto& item : Snapshot(Out)) names.push_back(item.first);
        return names;
    }

    std::string Noisy(size_t size, uint32_t seed = 3) const {
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            seed = seed * 1103515245u + 12345u;
            c = char(seed >> 16);
        }
        return bytes;
    }

    HMODULE Library = nullptr;
    TUnzDllExec Exec = nullptr;
    std::string Work, Source, Out;
    std::wstring SavedDirectory;
    TUnzRecorder Recorder;
};
