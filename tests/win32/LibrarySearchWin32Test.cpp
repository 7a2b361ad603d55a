// The search for libraries loaded by name, as the program sets it at start-up.
// It lasts for the whole process, so it is tried in a child run of this
// test program, in a folder that holds a planted library.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "ProgramRun.h"
#include "platform/win32/Win32DynamicLibraries.h"

namespace {

const wchar_t kChildVariable[] = L"QM_LIBRARY_SEARCH_CHILD";
const wchar_t kPlanted[] = L"QMPLANTED.DLL";

std::wstring TestsFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

}  // namespace

TEST(LibrarySearchWin32Test, AfterStartUpALibraryInTheCurrentFolderIsNotFoundByName) {
    const std::wstring folder = L"T:\\library-search";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring planted = folder + L"\\" + kPlanted;
    ASSERT_TRUE(CopyFileW((TestsFolder() + L"\\brokenzip\\UNZDLL.DLL").c_str(), planted.c_str(), FALSE))
        << "drive T: is prepared by scripts/test";
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(kChildVariable, L"1");
    const TRun run = RunCommand(self, {"--gtest_filter=LibrarySearchChild.*"}, Narrow(folder));
    SetEnvironmentVariableW(kChildVariable, nullptr);
    DeleteFileW(planted.c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_EQ(0u, run.ExitCode) << run.Errors;
    EXPECT_NE(std::string::npos, run.Errors.find("[       OK ] LibrarySearchChild.")) << run.Errors;
}

// Runs only as the child of the test above, with the planted library in its current folder.
TEST(LibrarySearchChild, ThePlantedLibraryIsFoundOnlyUntilTheSearchIsRestricted) {
    if (!GetEnvironmentVariableW(kChildVariable, nullptr, 0))
        GTEST_SKIP() << "runs as a child of LibrarySearchWin32Test";
    HMODULE before = LoadLibraryW(kPlanted);
    ASSERT_NE(nullptr, before) << "without the restriction, the current folder is searched";
    FreeLibrary(before);
    ASSERT_EQ(nullptr, GetModuleHandleW(kPlanted));

    RestrictLibrarySearch();
    HMODULE after = LoadLibraryW(kPlanted);
    EXPECT_EQ(nullptr, after);
    if (after) FreeLibrary(after);
    // The system's own libraries are still found by name.
    HMODULE system = LoadLibraryW(L"winmm.dll");
    EXPECT_NE(nullptr, system);
    if (system) FreeLibrary(system);
}
