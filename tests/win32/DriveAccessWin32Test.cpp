#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "cleanup/DriveAccess.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "platform/memory/ScriptedMessageBoxes.h"

namespace {

std::wstring CurrentDirectory() {
    wchar_t buffer[MAX_PATH + 1] = L"";
    GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    return buffer;
}

// A letter with no drive behind it, or 0 when every letter is taken.
char FreeDriveLetter() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'D'; --letter)
        if (!(drives & (1u << (letter - 'A')))) return letter;
    return 0;
}

// Every test leaves the process's current directory where it found it.
class DriveAccessWin32Test : public ::testing::Test {
protected:
    void SetUp() override { Before = CurrentDirectory(); }
    void TearDown() override { SetCurrentDirectoryW(Before.c_str()); }

    std::wstring Before;
    TWin32CurrentDirectory Directory;
    TScriptedMessageBoxes Boxes;
};

TEST_F(DriveAccessWin32Test, SystemDriveIsEnteredWithoutAnyBox) {
    for (const char letter : {'C', 'c'}) {
        SetCurrentDirectoryW(Before.c_str());
        EXPECT_TRUE(CheckDriveAccessible(letter, Directory, Boxes)) << letter;
        const std::wstring now = CurrentDirectory();
        EXPECT_EQ(3u, now.size());
        EXPECT_EQ(0, lstrcmpiW(L"C:\\", now.c_str())) << letter;
    }
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(DriveAccessWin32Test, MissingDriveAsksUntilCancelled) {
    const char letter = FreeDriveLetter();
    ASSERT_NE(0, letter) << "no free drive letter";
    Boxes.Answer(TMsgResult::Retry);
    Boxes.Answer(TMsgResult::Cancel);
    EXPECT_FALSE(CheckDriveAccessible(letter, Directory, Boxes));
    ASSERT_EQ(2u, Boxes.Shown.size());
    EXPECT_EQ(DriveNotAccessibleText(letter), Boxes.Shown[1].Text);
    EXPECT_EQ(TMsgButtons::RetryCancel, Boxes.Shown[1].Buttons);
    EXPECT_EQ(Before, CurrentDirectory());
}

}  // namespace
