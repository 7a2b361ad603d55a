// The adapter with the real libraries beside the program (and with broken
// stand-ins): archives go through ZIPDLL.DLL and come back through
// UNZDLL.DLL, and Debian's zip tools check what we write and make what we read.

#include <gtest/gtest.h>

#include <random>

#include "ProgramRun.h"
#include "UnixTools.h"
#include "ZipTreeSupport.h"
#include "cleanup/ZipMaster.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32DynamicLibraries.h"

namespace {

const char kRoot[] = "T:\\zipmaster";

// build\x64\tests\qmwintests.exe -> build\x64\<folder>
std::string BuildFolder(const char* folder) {
    const std::wstring program = ProgramUnderTest();  // build\x64\src\Quarrymap.exe
    std::string path = Narrow(program.substr(0, program.find_last_of(L'\\')));
    path.resize(path.find_last_of('\\'));
    return path + "\\" + folder;
}

std::string NoisyBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = char(random());
    return bytes;
}

std::string TextBytes(size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "Line " + std::to_string(line) + " of a text that packs well.\r\n";
    text.resize(size);
    return text;
}

class ZipMasterWin32Test : public testing::Test {
protected:
    void SetUp() override {
        RemoveTree(kRoot);
        ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster", nullptr)) << "drive T: is prepared by scripts/test";
        CreateDirectoryW(L"T:\\zipmaster\\out", nullptr);
        GetCurrentDirectoryW(MAX_PATH, SavedFolder);
        Zip.SetDLLDirectory(BuildFolder("src"));
        Zip.OnProgress = [this](TZipMaster&, TZipProgressKind kind, uint32_t size, const std::string& name) {
            if (kind == TZipProgressKind::NewFile) Begun.push_back(name + " " + std::to_string(size));
            if (kind == TZipProgressKind::Step) ++Steps;
            if (kind == TZipProgressKind::EndOfBatch) ++Batches;
        };
        Zip.OnMessage = [this](TZipMaster&, int32_t code, const std::string& text) {
            if (code != 0) Failures.push_back(text);
        };
    }
    void TearDown() override {
        SetCurrentDirectoryW(SavedFolder);
        RemoveTree(kRoot);
    }

    // T:\zipmaster\Src\Project: text and noise, an empty file, a hidden one,
    // a long and a non-ASCII name, and an empty folder.
    void MakeProject() {
        const std::string p = std::string(kRoot) + "\\Src\\Project";
        const std::string longName = "A folder with a rather long name that goes on for quite a while to test names";
        ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Src", nullptr));
        ASSERT_TRUE(CreateDirectoryW(Widen(p).c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(p + "\\notes.txt", TextBytes(200000)));
        ASSERT_TRUE(WriteBytes(p + "\\empty.dat", ""));
        ASSERT_TRUE(WriteBytes(p + "\\hidden.cfg", "secret=1", FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(WriteBytes(p + "\\R\xC3\xA9sum\xC3\xA9 \xE6\x96\x87\xE4\xBB\xB6.txt", "unicode"));
        ASSERT_TRUE(CreateDirectoryW(Widen(p + "\\" + longName).c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(p + "\\" + longName + "\\noise.bin", NoisyBytes(300000, 7)));
        ASSERT_TRUE(CreateDirectoryW(Widen(p + "\\Empty folder").c_str(), nullptr));
    }

    // Adds Src\Project\*.* with folder names, subfolders and hidden files.
    void AddProject(const std::string& zipName, uint32_t moreOptions = 0) {
        ASSERT_TRUE(SetCurrentDirectoryW(L"T:\\zipmaster\\Src"));
        Zip.SetZipFilename(zipName);
        Zip.AddOptions = AddDirNames | AddRecurseDirs | AddHiddenFiles | moreOptions;
        Zip.AddCompLevel = 9;
        Zip.FSpecArgs = {"Project\\*.*"};
        Zip.Add();
    }

    // Runs a Linux shell command; true when it exits with 0.
    bool LinuxAccepts(const std::string& command) {
        const TUnixRun run = RunUnixShell(command, "T:\\zipmaster\\tool");
        EXPECT_TRUE(run.Ran) << command;
        EXPECT_EQ(run.ExitCode, 0) << run.Output;
        return run.Ran && run.ExitCode == 0;
    }

    WCHAR SavedFolder[MAX_PATH] = {};
    TWin32DynamicLibraries Libraries;
    TWin32FileSystem Files;
    TWin32ByteStreamFiles Streams;
    TWin32CurrentDirectory CurrentDirectory;
    TScriptedMessageBoxes Boxes;
    TZipMaster Zip{TZipMasterServices{Libraries, Files, Streams, CurrentDirectory, Boxes}};
    std::vector<std::string> Begun;
    std::vector<std::string> Failures;
    int Steps = 0;
    int Batches = 0;
};

const char kZip[] = "T:\\zipmaster\\out\\T00C0FFEE.ZIP";

}  // namespace

TEST_F(ZipMasterWin32Test, ATreeGoesIntoAnArchiveThatOtherToolsReadAndComesBackTheSame) {
    MakeProject();
    const TTreeSnapshot original = Snapshot("T:\\zipmaster\\Src\\Project");
    AddProject(kZip);
    EXPECT_TRUE(Boxes.Shown.empty()) << Boxes.Shown[0].Text;
    EXPECT_TRUE(Failures.empty());
    EXPECT_EQ(Zip.SuccessCnt(), 5);  // files, not folders
    EXPECT_EQ(Begun.size(), 5u);
    EXPECT_EQ(Batches, 1);
    EXPECT_GE(Steps, (200000 + 300000) / 32768 - 2);
    EXPECT_EQ(Zip.ZipContents().size(), 6u);  // five files and the empty folder
    EXPECT_TRUE(Zip.ListError().empty());
    // Still there: the add did not move anything.
    EXPECT_EQ(Snapshot("T:\\zipmaster\\Src\\Project").size(), original.size());

    const std::string unixZip = UnixPathOf(kZip);
    ASSERT_FALSE(unixZip.empty());
    EXPECT_TRUE(LinuxAccepts("unzip -tq '" + unixZip + "'"));
    // Python reads every entry whole (checking its CRC) and finds the names as stored.
    ASSERT_TRUE(WriteBytes("T:\\zipmaster\\check.py",
                           "import sys, zipfile\n"
                           "z = zipfile.ZipFile(sys.argv[1])\n"
                           "assert z.testzip() is None\n"
                           "names = z.namelist()\n"
                           "assert 'Project/R\\u00e9sum\\u00e9 \\u6587\\u4ef6.txt' in names, names\n"
                           "assert 'Project/Empty folder/' in names, names\n"
                           "assert z.getinfo('Project/notes.txt').file_size == 200000\n"));
    EXPECT_TRUE(LinuxAccepts("python3 '" + UnixPathOf("T:\\zipmaster\\check.py") + "' '" + unixZip + "'"));

    ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Back", nullptr));
    Zip.ExtrBaseDir = "T:\\zipmaster\\Back";
    Zip.ExtrOptions = ExtrDirNames | ExtrOverWrite;
    Begun.clear();
    Zip.Extract();
    EXPECT_EQ(Zip.SuccessCnt(), 5);
    EXPECT_EQ(Begun.size(), 5u);
    EXPECT_TRUE(Failures.empty());
    const TTreeSnapshot restored = Snapshot("T:\\zipmaster\\Back\\Project");
    ASSERT_EQ(restored.size(), original.size());
    for (const auto& [name, item] : original) {
        const auto found = restored.find(name);
        ASSERT_NE(found, restored.end()) << name;
        EXPECT_EQ(found->second.Folder, item.Folder) << name;
        EXPECT_TRUE(found->second.Contents == item.Contents) << name;
        EXPECT_EQ(found->second.Attributes, item.Attributes) << name;
        if (!item.Folder) {
            EXPECT_LE(std::abs(int64_t(found->second.WriteTime - item.WriteTime)), 20000000) << name;
        }
    }
}

TEST_F(ZipMasterWin32Test, ArchivesMadeByInfoZipExtract) {
    MakeProject();
    const std::string unixZip = UnixPathOf("T:\\zipmaster\\out\\made-by-zip.zip");
    ASSERT_TRUE(
        LinuxAccepts("cd '" + UnixPathOf("T:\\zipmaster\\Src") + "' && zip -r -q -9 '" + unixZip + "' Project"));
    ASSERT_TRUE(Zip.SetZipFilename("T:\\zipmaster\\out\\made-by-zip.zip"));
    ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Back", nullptr));
    Zip.ExtrBaseDir = "T:\\zipmaster\\Back";
    Zip.ExtrOptions = ExtrDirNames | ExtrOverWrite;
    Zip.Extract();
    EXPECT_TRUE(Failures.empty());
    EXPECT_EQ(Zip.SuccessCnt(), 5);
    EXPECT_EQ(ReadBytes("T:\\zipmaster\\Back\\Project\\notes.txt"), TextBytes(200000));
    EXPECT_TRUE(PathIsThere("T:\\zipmaster\\Back\\Project\\Empty folder"));
}

TEST_F(ZipMasterWin32Test, MoveDeletesTheFilesOnlyOnceTheArchiveIsComplete) {
    MakeProject();
    AddProject(kZip, AddMove);
    EXPECT_EQ(Zip.SuccessCnt(), 5);
    EXPECT_TRUE(PathIsThere(kZip));
    EXPECT_FALSE(PathIsThere("T:\\zipmaster\\Src\\Project\\notes.txt"));
    EXPECT_FALSE(PathIsThere("T:\\zipmaster\\Src\\Project"));  // emptied, so removed
    EXPECT_TRUE(PathIsThere("T:\\zipmaster\\Src"));
    const std::string unixZip = UnixPathOf(kZip);
    EXPECT_TRUE(LinuxAccepts("unzip -tq '" + unixZip + "'"));
}

TEST_F(ZipMasterWin32Test, StopInTheMiddleLeavesNoArchiveAndDeletesNothing) {
    MakeProject();
    const TTreeSnapshot original = Snapshot("T:\\zipmaster\\Src\\Project");
    Zip.OnProgress = [](TZipMaster& zip, TZipProgressKind kind, uint32_t, const std::string&) {
        if (kind == TZipProgressKind::Step) zip.Cancel = true;
    };
    AddProject(kZip, AddMove);
    EXPECT_FALSE(PathIsThere(kZip));
    EXPECT_TRUE(Snapshot("T:\\zipmaster\\out").empty());  // no temporary file left either
    const TTreeSnapshot after = Snapshot("T:\\zipmaster\\Src\\Project");
    EXPECT_EQ(after.size(), original.size());
    for (const auto& [name, item] : original) EXPECT_TRUE(after.count(name)) << name;
}

TEST_F(ZipMasterWin32Test, ACorruptedByteIsReportedAndItsFileRemoved) {
    MakeProject();
    AddProject(kZip);
    ASSERT_EQ(Zip.SuccessCnt(), 5);
    // Flip a byte in the middle of the noise file's data.
    std::string bytes = ReadBytes(kZip);
    const size_t noise = bytes.find("noise.bin");
    ASSERT_NE(noise, std::string::npos);
    bytes[noise + 9 + 36 + 150000] ^= 0x55;
    ASSERT_TRUE(WriteBytes(kZip, bytes));
    ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Back", nullptr));
    Zip.SetZipFilename(kZip);
    Zip.ExtrBaseDir = "T:\\zipmaster\\Back";
    Zip.ExtrOptions = ExtrDirNames | ExtrOverWrite;
    Zip.Extract();
    EXPECT_EQ(Zip.SuccessCnt(), 4);
    ASSERT_FALSE(Failures.empty());
    EXPECT_NE(Failures[0].find("noise.bin"), std::string::npos) << Failures[0];
    const std::string longName = "A folder with a rather long name that goes on for quite a while to test names";
    EXPECT_FALSE(PathIsThere("T:\\zipmaster\\Back\\Project\\" + longName + "\\noise.bin"));
    EXPECT_EQ(ReadBytes("T:\\zipmaster\\Back\\Project\\notes.txt"), TextBytes(200000));
}

TEST_F(ZipMasterWin32Test, AFaultInTheLibraryIsCaughtAndAMissingEntryPointReported) {
    const std::string broken = BuildFolder("tests\\brokenzip");
    Zip.SetDLLDirectory(broken + "\\");
    ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Src", nullptr));
    SetCurrentDirectoryW(L"T:\\zipmaster\\Src");
    Zip.SetZipFilename(kZip);
    Zip.FSpecArgs = {"Project\\*.*"};
    Zip.Add();
    EXPECT_EQ(Begun, std::vector<std::string>{"first.txt 0"});  // the library ran up to its fault
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Fatal DLL Error: abort exception");
    EXPECT_TRUE(Zip.FSpecArgs.empty());
    // Code of a library that faulted may still run on its threads: it stays loaded.
    EXPECT_NE(nullptr, GetModuleHandleW(Widen(broken + "\\ZIPDLL.DLL").c_str()));

    ASSERT_TRUE(WriteBytes(kZip, "PK\x05\x06" + std::string(18, '\0')));
    Zip.Extract();
    ASSERT_EQ(Boxes.Shown.size(), 2u);
    EXPECT_EQ(Boxes.Shown[1].Text, "UnzDllExec function not found in UNZDLL.DLL");
}

TEST_F(ZipMasterWin32Test, AFaultOfTheProgramDuringACallbackIsNotTheLibrarys) {
    Zip.SetDLLDirectory(BuildFolder("tests\\brokenzip"));
    ASSERT_TRUE(CreateDirectoryW(L"T:\\zipmaster\\Src", nullptr));
    SetCurrentDirectoryW(L"T:\\zipmaster\\Src");
    // The broken library calls back once, then faults itself.
    std::vector<std::string> seen;
    Zip.OnProgress = [&](TZipMaster&, TZipProgressKind, uint32_t, const std::string& name) {
        const bool armed = Libraries.ArmGuard(false);
        Libraries.ArmGuard(armed);
        seen.push_back(name + (armed ? " armed" : " unarmed"));
        // A fault of the program's own code is not caught as the library's:
        // only a guard of the program's own catches it.
        const bool returned = Libraries.CallGuarded([] {
            volatile int* nowhere = nullptr;
            *nowhere = 2;
        });
        seen.push_back(returned ? "returned" : "caught here");
    };
    Zip.SetZipFilename(kZip);
    Zip.FSpecArgs = {"Project\\*.*"};
    Zip.Add();
    EXPECT_EQ(seen, (std::vector<std::string>{"first.txt unarmed", "caught here"}));
    // Back in the library the guard is armed again and catches its fault.
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Fatal DLL Error: abort exception");
    const bool armedAfter = Libraries.ArmGuard(false);
    EXPECT_FALSE(armedAfter);
}

TEST_F(ZipMasterWin32Test, ALibraryInTheCurrentFolderIsNeverLoaded) {
    // A library of that name planted in the folder being worked in.
    ASSERT_TRUE(CopyFileW(Widen(BuildFolder("tests\\brokenzip") + "\\ZIPDLL.DLL").c_str(), L"T:\\zipmaster\\ZIPDLL.DLL",
                          FALSE));
    Zip.SetDLLDirectory("T:\\zipmaster\\nothing-here");
    SetCurrentDirectoryW(L"T:\\zipmaster");
    Zip.SetZipFilename(kZip);
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "T:\\zipmaster\\nothing-here\\ZIPDLL.DLL not found");
    EXPECT_TRUE(Begun.empty());
    EXPECT_EQ(nullptr, GetModuleHandleW(L"T:\\zipmaster\\ZIPDLL.DLL"));

    // Nor is a name that is not a full path.
    Zip.SetDLLDirectory(".");
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    ASSERT_EQ(Boxes.Shown.size(), 2u);
    EXPECT_EQ(Boxes.Shown[1].Text, ".\\ZIPDLL.DLL not found");
    EXPECT_EQ(nullptr, GetModuleHandleW(L"T:\\zipmaster\\ZIPDLL.DLL"));
}
