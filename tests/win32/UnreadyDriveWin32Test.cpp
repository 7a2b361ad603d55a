// A real drive that goes away under a scanned tree. scripts/test makes U: a
// drive backed by a Linux folder and names that folder in
// QM_UNREADY_DRIVE_FOLDER; the test moves the folder aside, which leaves
// the drive letter pointing nowhere, as a pulled USB disk or a dropped
// network connection does.

#include <cstdlib>

#include "ProgramRun.h"
#include "ScanFlowFixture.h"
#include "cleanup/DriveAccess.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "scan/PathUtils.h"

namespace {

bool MakeFile(const std::string& path, DWORD length) {
    const std::string folder = ParentFolderPath(path);
    for (size_t cut = 3; cut != std::string::npos && cut <= folder.size(); cut = folder.find('\\', cut + 1))
        CreateDirectoryW(Widen(folder.substr(0, cut)).c_str(), nullptr);
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes(length, 'x');
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), length, &written, nullptr) && written == length;
    CloseHandle(file);
    return ok;
}

class UnreadyDriveWin32Test : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        const char* folder = std::getenv("QM_UNREADY_DRIVE_FOLDER");
        if (!folder || GetFileAttributesW(L"U:\\") == INVALID_FILE_ATTRIBUTES) return;
        // The Linux folder as Wine's Z: drive shows it.
        Backing = "Z:" + std::string(folder);
        for (char& c : Backing)
            if (c == '/') c = '\\';
        DeleteFileW(L"U:\\Data\\Old\\more.txt");  // left by an earlier run
        Ready = MakeFile("U:\\Data\\Old\\letter.txt", 300) && MakeFile("U:\\Data\\notes.txt", 70) &&
                MakeFile("U:\\Music\\song.mp3", 5000);
        FileSystem = &RealFiles;
        DriveInfo = &RealDrives;
        CurrentDirectory = &RealDirectory;
    }
    void TearDown() override {
        PlugIn();
        TScanFlowFixture::TearDown();
    }

    void Pull() {
        // Wine, like Windows, will not move a folder that is a current directory.
        SetCurrentDirectoryW(L"C:\\");
        Pulled = MoveFileW(Widen(Backing).c_str(), Widen(Backing + "-away").c_str()) != 0;
        PullError = GetLastError();
    }
    void PlugIn() {
        if (Pulled) MoveFileW(Widen(Backing + "-away").c_str(), Widen(Backing).c_str());
        Pulled = false;
    }

    TWin32FileSystem RealFiles;
    TWin32DriveInfo RealDrives;
    TWin32CurrentDirectory RealDirectory;
    std::string Backing;
    bool Ready = false;
    bool Pulled = false;
    DWORD PullError = 0;
};

TEST_F(UnreadyDriveWin32Test, APulledDriveKeepsItsTreeUntilItComesBack) {
    if (!Ready) GTEST_SKIP() << "drive U: is set up by scripts/test";
    Start();
    ASSERT_TRUE(Main.Parts.Scan->SelectFolderByPath("U:\\Data\\Old"));
    ASSERT_EQ(SelectedPath(), "U:\\Data\\Old");
    TFolderNode* root = Root('U');
    ASSERT_NE(root->Record, nullptr);
    const std::vector<std::string> before = NodePaths(root);
    const int64_t size = root->Record->TreeSize;
    EXPECT_EQ(size, 5370);

    Pull();
    ASSERT_TRUE(Pulled) << "error " << PullError;
    ASSERT_EQ(GetFileAttributesW(L"U:\\"), INVALID_FILE_ATTRIBUTES);
    Main.Boxes.Answer(TMsgResult::Cancel);
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();
    ASSERT_EQ(Main.Boxes.Shown.size(), 1u);
    EXPECT_EQ(Main.Boxes.Shown[0].Text.rfind("U: is not accessible.", 0), 0u);

    for (const char* path : {"U:\\Data", "U:\\Music", "U:\\Data\\Old"}) {
        if (TFolderNode* node = Node(path)) Click(*node);
    }
    EXPECT_EQ(NodePaths(root), before);
    EXPECT_EQ(root->Record->TreeSize, size);
    EXPECT_EQ(SelectedPath(), "U:\\Data\\Old");

    PlugIn();
    ASSERT_TRUE(MakeFile("U:\\Data\\Old\\more.txt", 1000));
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();
    EXPECT_EQ(root->Record->TreeSize, size + 1000);
    EXPECT_EQ(Main.Boxes.Shown.size(), 1u);
}

}  // namespace

TEST_F(UnreadyDriveWin32Test, CommandLineJobsFailAtOnceOnAPulledDrive) {
    if (!Ready) GTEST_SKIP() << "drive U: is set up by scripts/test";
    Pull();
    ASSERT_TRUE(Pulled) << PullError;
    const std::string target = Backing + "-report.txt";
    for (const char* job : {"/csv", "/report"}) {
        const TRun run = RunProgram({job, target, "U:\\Data"});
        EXPECT_EQ(run.ExitCode, 1u) << job;
        EXPECT_EQ(run.Errors, "Quarrymap: cannot scan \"U:\\Data\": " + DriveNotAccessibleText('U') + "\r\n") << job;
    }
    EXPECT_EQ(GetFileAttributesW(Widen(target).c_str()), INVALID_FILE_ATTRIBUTES);
}
