#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/win32/MenuCallbackWindow.h"
#include "config/win32/ShellContextMenu.h"
#include "platform/win32/WideString.h"

namespace {

// What the dismissing timer saw while the call was running. A timer
// procedure carries no context, hence the file-wide record.
struct TMenuObservation {
    int Ticks = 0;
    bool MenuOpen = false;
    bool CallbackWindowOpen = false;
    bool MessageBoxShown = false;
};
TMenuObservation Observed;

const UINT kTickMs = 50;
const int kTicksBeforeGivingUp = 100;  // five seconds; a menu that is not seen by then is closed anyway

bool PopupMenuVisible() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

// Runs inside the menu's own modal loop and cancels the menu once it is up,
// so nothing waits for a user and nothing is ever chosen.
VOID CALLBACK DismissMenu(HWND, UINT, UINT_PTR, DWORD) {
    ++Observed.Ticks;
    if (HWND box = FindWindowW(L"#32770", nullptr)) {
        Observed.MessageBoxShown = true;
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
    if (PopupMenuVisible()) {
        Observed.MenuOpen = true;
        Observed.CallbackWindowOpen =
            Observed.CallbackWindowOpen || FindWindowW(kMenuCallbackClassName, kMenuCallbackWindowName);
        EndMenu();
    } else if (Observed.Ticks > kTicksBeforeGivingUp) {
        EndMenu();
    }
}

class ShellContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        Owner = CreateWindowExW(0, L"STATIC", L"context menu owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        wchar_t temp[MAX_PATH + 1] = L"";
        GetTempPathW(MAX_PATH + 1, temp);
        Folder = Narrow(temp) + "qm context menu items";
        CreateDirectoryW(Widen(Folder).c_str(), nullptr);
        for (const char* name : {"a.txt", "B.TXT", "c.dat", "notes"}) {
            const std::string file = Folder + "\\" + name;
            Files.push_back(file);
            HANDLE h = CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        Observed = TMenuObservation();
    }
    void TearDown() override {
        for (const std::string& file : Files) DeleteFileW(Widen(file).c_str());
        RemoveDirectoryW(Widen(Folder).c_str());
        if (Owner) DestroyWindow(Owner);
        if (ComReady) CoUninitialize();
    }

    // The call under test with the dismissing timer running around it.
    bool ShowAndDismiss(const std::string& path) {
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &DismissMenu);
        const bool invoked = ShowItemContextMenu(path, Owner, POINT{150, 150});
        KillTimer(nullptr, timer);
        return invoked;
    }

    void ExpectAllFilesLeft() const {
        for (const std::string& file : Files)
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Widen(file).c_str())) << file;
    }

    bool ComReady = false;
    HWND Owner = nullptr;
    std::string Folder;
    std::vector<std::string> Files;
};

TEST_F(ShellContextMenuTest, DismissedMenuRunsNothingAndReturnsFalse) {
    EXPECT_FALSE(ShowAndDismiss(Folder + "\\a.txt"));
    EXPECT_TRUE(Observed.MenuOpen);
    EXPECT_TRUE(Observed.CallbackWindowOpen);  // the shell's item menu draws some items itself
    EXPECT_EQ(nullptr, FindWindowW(kMenuCallbackClassName, kMenuCallbackWindowName));
    EXPECT_FALSE(PopupMenuVisible());
    EXPECT_FALSE(Observed.MessageBoxShown);
    ExpectAllFilesLeft();
}

TEST_F(ShellContextMenuTest, FolderAndDriveRootGetTheirMenus) {
    EXPECT_FALSE(ShowAndDismiss(Folder));
    EXPECT_TRUE(Observed.MenuOpen);

    Observed = TMenuObservation();
    EXPECT_FALSE(ShowAndDismiss("C:\\"));
    EXPECT_TRUE(Observed.MenuOpen);
    ExpectAllFilesLeft();
}

TEST_F(ShellContextMenuTest, WildcardGivesOneMenuForAllMatches) {
    std::vector<std::string> matches = MatchingFolderItemNames(Folder, "*.txt");
    std::sort(matches.begin(), matches.end());
    EXPECT_EQ((std::vector<std::string>{"B.TXT", "a.txt"}), matches);
    EXPECT_EQ(4u, MatchingFolderItemNames(Folder, "*.*").size());

    EXPECT_FALSE(ShowAndDismiss(Folder + "\\*.txt"));
    EXPECT_TRUE(Observed.MenuOpen);
    ExpectAllFilesLeft();
}

TEST_F(ShellContextMenuTest, UnresolvablePathsReturnFalseWithoutAMenu) {
    const std::string missing[] = {
        "", "C:\\no such folder for quarrymap\\none.txt", Folder + "\\missing.txt",
        Folder + "\\*.zip",  // a pattern without matches
    };
    for (const std::string& path : missing) {
        Observed = TMenuObservation();
        EXPECT_FALSE(ShowAndDismiss(path)) << path;
        EXPECT_FALSE(Observed.MenuOpen) << path;
        EXPECT_FALSE(Observed.MessageBoxShown) << path;
    }
    EXPECT_TRUE(MatchingFolderItemNames(Folder + "\\missing", "*.*").empty());
}

}  // namespace
