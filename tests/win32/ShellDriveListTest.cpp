#include "controls/win32/ShellDriveList.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DrivePickerTestSupport.h"
#include "controls/DriveItems.h"
#include "platform/win32/Win32DriveEnumerator.h"
#include "platform/win32/Win32ShellInfo.h"

namespace {

std::vector<HICON> IconsOf(const TShellDriveList& list) {
    std::vector<HICON> icons;
    for (int i = 0; i < list.Count(); ++i) icons.push_back(list.At(i)->Icon.Get());
    return icons;
}

class ShellDriveListTest : public ::testing::Test {
protected:
    void SetUp() override { ComReady = SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    bool ComReady = false;
    TWin32DriveEnumerator Drives;
    TWin32ShellInfo Shell;
};

TEST_F(ShellDriveListTest, ListsTheSystemsDrivesWithTheirShellNamesAndSmallIcons) {
    TShellDriveList list(Drives, Shell);
    list.Fill();
    const std::string letters = DriveLettersOf(GetLogicalDrives());
    ASSERT_NE(std::string::npos, letters.find('C'));
    ASSERT_EQ(int(letters.size()), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const TShellDrive& drive = *list.At(i);
        SCOPED_TRACE(drive.Text);
        EXPECT_EQ(letters[size_t(i)], DriveItemLetter(drive.Text));
        EXPECT_EQ(Shell.GetShellDisplayName(ShellDriveRoot(letters[size_t(i)])), DriveItemName(drive.Text));
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(drive.Icon.Get(), &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), bitmap.bmWidth);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_FALSE(DriveItemName(list.At(int(letters.find('C')))->Text).empty());
}

TEST_F(ShellDriveListTest, RefillsClearingAndTheListsEndDestroyTheIcons) {
    std::vector<HICON> last;
    {
        TShellDriveList list(Drives, Shell);
        list.Fill();
        const std::vector<HICON> first = IconsOf(list);
        ASSERT_FALSE(first.empty());
        for (int round = 0; round < 50; ++round) list.Fill();
        last = IconsOf(list);
        for (HICON icon : last) EXPECT_TRUE(IsLiveIcon(icon));
        // A handle value may be handed out again; those that were not must be gone.
        for (HICON icon : first) {
            if (std::find(last.begin(), last.end(), icon) == last.end()) {
                EXPECT_FALSE(IsLiveIcon(icon));
            }
        }
        list.Clear();
        for (HICON icon : last) EXPECT_FALSE(IsLiveIcon(icon));
        list.Fill();
        last = IconsOf(list);
    }
    for (HICON icon : last) EXPECT_FALSE(IsLiveIcon(icon));
}

}  // namespace
