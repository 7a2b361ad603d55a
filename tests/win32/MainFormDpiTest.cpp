#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <map>

#include "MainFormTestSupport.h"
#include "main/MainLayout.h"
#include "main/Pages.h"
#include "main/win32/PageControl.h"
#include "pie/win32/PieView.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/WindowDpi.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

namespace {

// Where a control sits in its parent, and what it is, for the messages.
struct TPlace {
    RECT Bounds;
    bool ReachesParentBottom;  // its height follows the parent's
    std::string Name;
};

struct TWalk {
    std::map<int, TPlace> Found;
    int Next = 0;
};

// An EnumChildWindows callback must be a WINAPI function, not a lambda, so
// that the 32-bit build gets the system's calling convention.
struct TMainFormDpiTestWalk {
    static BOOL CALLBACK Visit(HWND window, LPARAM context) {
        auto& walk = *reinterpret_cast<TWalk*>(context);
        const int index = walk.Next++;
        const HWND parent = GetParent(window);
        wchar_t parentClass[64] = {}, ownClass[64] = {}, text[64] = {};
        GetClassNameW(parent, parentClass, 64);
        if (!wcsstr(parentClass, L"Quarrymap") || !IsWindowVisible(window)) return TRUE;
        GetClassNameW(window, ownClass, 64);
        // A combo box is as high as its font's own metrics make it.
        if (wcscmp(ownClass, WC_COMBOBOXW) == 0) return TRUE;
        GetWindowTextW(window, text, 64);
        RECT parentClient;
        GetClientRect(parent, &parentClient);
        TPlace place{TMainFormFixture::Bounds(window, parent), false, Narrow(ownClass) + " \"" + Narrow(text) + "\""};
        // Ends at the parent's bottom or a margin above it.
        place.ReachesParentBottom = place.Bounds.bottom >= parentClient.bottom - 16;
        walk.Found[index] = place;
        return TRUE;
    }
};

// The main window at 96 DPI, then told that its screen is at 144 (150 %)
// and back, as Windows does when the window moves between screens.
class MainFormDpiTest : public ::testing::Test, public TMainFormFixture {
protected:
    MainFormDpiTest() {
        Drive = Tree.AddRoot("Local Disk (C:)", 'C');
        Folder = Tree.AddChild(*Drive, "Data");
        Folder->Record = std::make_unique<TFolderSize>();
        ScanFake.Selected = Folder;
        Parts.Scan = &ScanFake;
    }

    void StartScanned() {
        Start();
        ASSERT_TRUE(Created);
        Form->State().ScannedDrives.Append('C');
        SetWindowPos(Window(), nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    // As Windows sends it: the new resolution and a window rectangle whose
    // client area grows in the same proportion.
    void MoveToScreenAt(int dpi, int fromDpi) {
        RECT window, client;
        GetWindowRect(Window(), &window);
        GetClientRect(Window(), &client);
        const int frameWidth = (window.right - window.left) - client.right;
        const int frameHeight = (window.bottom - window.top) - client.bottom;
        RECT suggested = {window.left, window.top, window.left + MulDiv(client.right, dpi, fromDpi) + frameWidth,
                          window.top + MulDiv(client.bottom, dpi, fromDpi) + frameHeight};
        SendMessageW(Window(), kDpiChangedMessage, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
        Pump();
    }

    // Every shown control placed in one of the program's own panels below
    // `root`, keyed by its order of creation.
    static std::map<int, TPlace> Places(HWND root) {
        TWalk walk;
        EnumChildWindows(root, &TMainFormDpiTestWalk::Visit, LPARAM(&walk));
        return walk.Found;
    }

    // Each edge at 1.5 times, within the rounding of measures that are
    // summed or measured from text. Heights that follow the parent's bottom
    // are left out: the tabs above the pages are as high as the stock font.
    static void ExpectHalfAsLargeAgain(const std::map<int, TPlace>& small, const std::map<int, TPlace>& large) {
        ASSERT_EQ(small.size(), large.size());
        for (const auto& [index, before] : small) {
            const auto after = large.find(index);
            ASSERT_NE(large.end(), after) << before.Name;
            const auto closeEnough = [](LONG at96, LONG at144) {
                return std::abs(at96 * 1.5 - at144) <= 2.0 + 0.04 * std::abs(at96);
            };
            const RECT& a = before.Bounds;
            const RECT& b = after->second.Bounds;
            EXPECT_TRUE(closeEnough(a.left, b.left)) << before.Name << ": left " << a.left << " became " << b.left;
            EXPECT_TRUE(closeEnough(a.top, b.top)) << before.Name << ": top " << a.top << " became " << b.top;
            EXPECT_TRUE(closeEnough(a.right - a.left, b.right - b.left))
                << before.Name << ": width " << a.right - a.left << " became " << b.right - b.left;
            if (!before.ReachesParentBottom) {
                EXPECT_TRUE(closeEnough(a.bottom - a.top, b.bottom - b.top))
                    << before.Name << ": height " << a.bottom - a.top << " became " << b.bottom - b.top;
            }
        }
    }

    TFolderTree Tree;
    TFolderNode* Drive;
    TFolderNode* Folder;
};

TEST_F(MainFormDpiTest, FrameAt150PercentIsHalfAsLargeAgainAndBackAt100) {
    StartScanned();
    Form->ShowPage(PageOfSheet(pagePieChart));
    Pump();
    const RECT strip96 = Bounds(Control(idToolbarSupport), Window());
    const RECT tree96 = Bounds(Control(idLeftPanel), Window());
    const RECT banner96 = Bounds(Control(idBanner), Window());
    const LRESULT shownDrive = SendMessageW(Control(idDriveBox), CB_GETCURSEL, 0, 0);
    ASSERT_GE(shownDrive, 0);
    // The pie's labels are drawn in a font made for the window's resolution.
    const auto labelHeight = [this] {
        LOGFONTW font = {};
        GetObjectW(GetCurrentObject(Form->Pie()->PieBitmap().Dc(), OBJ_FONT), sizeof font, &font);
        return std::abs(font.lfHeight);
    };
    const LONG labels96 = labelHeight();

    MoveToScreenAt(144, 96);
    EXPECT_NEAR(labels96 * 1.5, labelHeight(), 1.0);
    const RECT strip144 = Bounds(Control(idToolbarSupport), Window());
    const RECT tree144 = Bounds(Control(idLeftPanel), Window());
    EXPECT_EQ(banner96.bottom, kBannerHeight);
    EXPECT_EQ(TPixelScale(144)(kBannerHeight), Bounds(Control(idBanner), Window()).bottom);
    EXPECT_EQ((strip96.bottom - strip96.top) * 3 / 2, strip144.bottom - strip144.top);
    EXPECT_EQ(TPixelScale(144)(kToolbarStripHeight), strip144.bottom - strip144.top);
    EXPECT_EQ(MulDiv(tree96.right - tree96.left, 3, 2), tree144.right - tree144.left);
    // The drive box is filled again for its new font and still shows its drive.
    EXPECT_EQ(shownDrive, SendMessageW(Control(idDriveBox), CB_GETCURSEL, 0, 0));
    // The toolbar's pictures are drawn anew at 24 pixels.
    const HWND toolbar = Control(idToolbar);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(24, width);
    EXPECT_EQ(24, height);

    MoveToScreenAt(96, 144);
    EXPECT_EQ(strip96.bottom - strip96.top,
              Bounds(Control(idToolbarSupport), Window()).bottom - Bounds(Control(idToolbarSupport), Window()).top);
    EXPECT_NEAR(tree96.right - tree96.left,
                Bounds(Control(idLeftPanel), Window()).right - Bounds(Control(idLeftPanel), Window()).left, 1);
    ASSERT_TRUE(ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)),
                                      &width, &height));
    EXPECT_EQ(16, width);
}

TEST_F(MainFormDpiTest, EveryPageAt150PercentIsHalfAsLargeAgain) {
    StartScanned();
    for (int page = 0; page < kPageCount; ++page) {
        SCOPED_TRACE(page);
        Form->ShowPage(page);
        Pump();
        const HWND sheet = Form->Pages().Sheet(SheetOfPage(page)).Handle();
        const std::map<int, TPlace> at96 = Places(sheet);
        ASSERT_GT(at96.size(), 2u);
        MoveToScreenAt(144, 96);
        ExpectHalfAsLargeAgain(at96, Places(sheet));
        MoveToScreenAt(96, 144);
        const std::map<int, TPlace> back = Places(sheet);
        ASSERT_EQ(at96.size(), back.size());
        for (const auto& [index, place] : at96) {
            const RECT& again = back.at(index).Bounds;
            EXPECT_NEAR(place.Bounds.left, again.left, 2) << place.Name;
            EXPECT_NEAR(place.Bounds.top, again.top, 2) << place.Name;
            EXPECT_NEAR(place.Bounds.right, again.right, 2) << place.Name;
        }
    }
}

}  // namespace

namespace {

struct TStockFontUsers {
    HFONT Stock;
    std::vector<std::string> Names;
    static BOOL CALLBACK Visit(HWND window, LPARAM context) {
        auto& users = *reinterpret_cast<TStockFontUsers*>(context);
        if (HFONT(SendMessageW(window, WM_GETFONT, 0, 0)) != users.Stock) return TRUE;
        wchar_t ownClass[64] = {}, text[64] = {};
        GetClassNameW(window, ownClass, 64);
        GetWindowTextW(window, text, 64);
        users.Names.push_back(Narrow(ownClass) + " \"" + Narrow(text) + "\"");
        return TRUE;
    }
};

// On a screen at another scaling than the primary one, no control keeps the
// stock font (made for the primary screen), pages first shown there included.
TEST_F(MainFormDpiTest, AtAnotherScalingNoControlKeepsThePrimaryScreensFont) {
    StartScanned();
    MoveToScreenAt(144, 96);
    TStockFontUsers users{static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), {}};
    for (int page = 0; page < kPageCount; ++page) {
        Form->ShowPage(page);
        Pump();
    }
    EnumChildWindows(Window(), &TStockFontUsers::Visit, LPARAM(&users));
    for (const std::string& name : users.Names) ADD_FAILURE() << name << " has the primary screen's font";
}

}  // namespace
