#include "pie/win32/SectionSizeBox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "DrivePickerTestSupport.h"
#include "config/Options.h"
#include "config/RegistryValues.h"
#include "pie/PieMath.h"
#include "pie/SectionSizeLayout.h"
#include "pie/win32/SimplePieGauge.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowDpi.h"

namespace {

const std::string kRoot = kRegistryRoot;
const std::string kPopUpBox = "PopUpBox";
const TColor kRed = 0x0000FF;

RECT BoundsOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// A child's rectangle in its parent's client coordinates.
RECT ChildBounds(HWND child) {
    RECT rect = BoundsOf(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::set<std::string> ChildTexts(HWND window) {
    std::set<std::string> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        texts.insert(Narrow(text));
    }
    return texts;
}

std::string MenuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, UINT(position), text, 64, MF_BYPOSITION);
    return Narrow(text);
}

void StoreBounds(TMemoryRegistry& registry, int left, int top, int width, int height) {
    WriteIntegerValue(registry, kRoot, kPopUpBox, "Left", left);
    WriteIntegerValue(registry, kRoot, kPopUpBox, "Top", top);
    WriteIntegerValue(registry, kRoot, kPopUpBox, "Width", width);
    WriteIntegerValue(registry, kRoot, kPopUpBox, "Height", height);
}

class SectionSizeBoxTest : public ::testing::Test {
protected:
    THostWindow Owner;
    TMemoryRegistry Registry;
};

TEST_F(SectionSizeBoxTest, StartsHiddenAsAnOwnedTopmostToolWindowOfTheDefaultSize) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    const HWND window = box.Handle();
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(Owner.Handle(), GetWindow(window, GW_OWNER));

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_EQ("Wasted & Drive Info", Narrow(caption));
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));

    const RECT bounds = BoundsOf(window);
    EXPECT_EQ(98, bounds.right - bounds.left);
    EXPECT_EQ(238, bounds.bottom - bounds.top);
}

TEST_F(SectionSizeBoxTest, BeforeAnyDriveItShowsDriveQuestionMarkAndEmptyGauges) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    EXPECT_EQ("Drive ?:", box.DriveText());
    EXPECT_EQ(" out of", box.FreeSpaceText());
    EXPECT_EQ("", box.CapacityText());
    EXPECT_EQ("", box.WastedText());
    EXPECT_EQ(0, box.WastedGauge().Progress());
    EXPECT_EQ(0, box.FreeSpaceGauge().Progress());

    const std::set<std::string> texts = ChildTexts(box.Handle());
    for (const char* fixed : {"Item wastes", "of used space", "Free space"}) EXPECT_EQ(1u, texts.count(fixed)) << fixed;

    for (const TSimplePieGauge* gauge : {&box.WastedGauge(), &box.FreeSpaceGauge()}) {
        EXPECT_EQ(TGaugeBorderStyle::None, gauge->BorderStyle());
        EXPECT_EQ(kRed, gauge->ForeColor());
    }
}

TEST_F(SectionSizeBoxTest, PopupMenuOffersHideAndDefaultSize) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    const HMENU menu = box.PopupMenu();
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(3, GetMenuItemCount(menu));
    EXPECT_EQ("&Hide", MenuText(menu, 0));
    EXPECT_EQ(UINT(popSectionBoxHide), GetMenuItemID(menu, 0));
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ("&Default Size", MenuText(menu, 2));
    EXPECT_EQ(UINT(popSectionBoxDefaultSize), GetMenuItemID(menu, 2));
}

// The menu that opened while a context menu was asked for, closed again at
// once from inside the menu's own loop so that nothing waits for a user.
HMENU OpenedMenu = nullptr;
int DismissTicks = 0;

VOID CALLBACK DismissMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup && IsWindowVisible(popup)) {
        OpenedMenu = HMENU(SendMessageW(popup, MN_GETHMENU, 0, 0));
        if (!OpenedMenu) OpenedMenu = HMENU(INVALID_HANDLE_VALUE);  // some menu, whichever it was
        EndMenu();
    } else if (++DismissTicks > 40) {
        EndMenu();
    }
}

HMENU MenuOpenedBy(HWND window, POINT screenPoint) {
    OpenedMenu = nullptr;
    DismissTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &DismissMenu);
    SendMessageW(window, WM_CONTEXTMENU, WPARAM(window), MAKELPARAM(screenPoint.x, screenPoint.y));
    KillTimer(nullptr, timer);
    return OpenedMenu;
}

TEST_F(SectionSizeBoxTest, OnlyTheClientAreaOpensHideAndDefaultSize) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    ShowWindow(box.Handle(), SW_SHOWNOACTIVATE);
    RECT client = {};
    GetClientRect(box.Handle(), &client);
    POINT inside = {client.right / 2, client.bottom / 2};
    ClientToScreen(box.Handle(), &inside);
    EXPECT_EQ(box.PopupMenu(), MenuOpenedBy(box.Handle(), inside));

    // The caption: between the window's top edge and its client area.
    POINT clientTop = {0, 0};
    ClientToScreen(box.Handle(), &clientTop);
    const RECT frame = BoundsOf(box.Handle());
    ASSERT_GT(clientTop.y - frame.top, 2) << "the window has no caption to click";
    const POINT onCaption = {(frame.left + frame.right) / 2, (frame.top + clientTop.y) / 2};
    ASSERT_EQ(LRESULT(HTCAPTION), SendMessageW(box.Handle(), WM_NCHITTEST, 0, MAKELPARAM(onCaption.x, onCaption.y)));
    EXPECT_NE(box.PopupMenu(), MenuOpenedBy(box.Handle(), onCaption));
    EXPECT_TRUE(IsWindowVisible(box.Handle()));  // nothing was chosen
}

TEST_F(SectionSizeBoxTest, SetDriveAndSetWastedFillTheLabelsAndGauges) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    const int64_t megabyte = 1024 * 1024;
    box.SetDrive('C', PercentOf(123 * megabyte, 157 * megabyte), "123 MB", "157 MB");
    EXPECT_EQ("Drive C:", box.DriveText());
    EXPECT_EQ("123 MB out of", box.FreeSpaceText());
    EXPECT_EQ("157 MB", box.CapacityText());
    EXPECT_EQ(78, box.FreeSpaceGauge().Progress());

    box.SetWasted(PercentOf(0, 0), "0 bytes");
    EXPECT_EQ("0 bytes", box.WastedText());
    EXPECT_EQ(0, box.WastedGauge().Progress());
    box.SetWasted(42, "1.5 MB");
    EXPECT_EQ("1.5 MB", box.WastedText());
    EXPECT_EQ(42, box.WastedGauge().Progress());
    EXPECT_EQ(78, box.FreeSpaceGauge().Progress());  // the drive half is left alone
}

TEST_F(SectionSizeBoxTest, GaugeColoursComeFromTheirColourTableEntries) {
    TColorTable colors = DefaultColors;
    colors[kColorSectionWasted] = 0x00123456;
    colors[kColorFreeSpace] = 0x00654321;
    TSectionSizeBox box(Owner.Handle(), Registry);
    box.ApplyGaugeColors(colors);
    EXPECT_EQ(0x00123456u, box.WastedGauge().ForeColor());
    EXPECT_EQ(0x00654321u, box.FreeSpaceGauge().ForeColor());
}

TEST_F(SectionSizeBoxTest, ResizingKeepsBothGaugesCentred) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    for (int width : {98, 240, 151}) {
        SetWindowPos(box.Handle(), nullptr, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client = {};
        GetClientRect(box.Handle(), &client);
        const RECT wasted = ChildBounds(box.WastedGauge().Handle());
        const RECT free = ChildBounds(box.FreeSpaceGauge().Handle());
        EXPECT_EQ((client.right - 32) / 2, wasted.left) << width;
        EXPECT_EQ(38, wasted.top) << width;
        EXPECT_EQ(32, wasted.right - wasted.left) << width;
        EXPECT_EQ((client.right - 32) / 2, free.left) << width;
        EXPECT_EQ(143, free.top) << width;
    }
}

TEST_F(SectionSizeBoxTest, OnAScreenAt150PercentItTakesTheSuggestedSizeLargerGaugesAndFonts) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    const auto fontHeight = [](HWND label) {
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::abs(font.lfHeight);
    };
    HWND title = nullptr;
    for (HWND child = GetWindow(box.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[64] = {};
        GetWindowTextW(child, text, 64);
        if (std::wstring(text) == L"Item wastes") title = child;
    }
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(12, fontHeight(title));

    // As Windows sends it when the window is dragged to that screen.
    const RECT at = BoundsOf(box.Handle());
    RECT suggested = {at.left + 10, at.top + 20, at.left + 10 + 160, at.top + 20 + 380};
    SendMessageW(box.Handle(), kDpiChangedMessage, MAKEWPARAM(144, 144), LPARAM(&suggested));
    const RECT moved = BoundsOf(box.Handle());
    EXPECT_EQ(suggested.left, moved.left);
    EXPECT_EQ(suggested.top, moved.top);
    EXPECT_EQ(160, moved.right - moved.left);
    EXPECT_EQ(18, fontHeight(title));
    RECT client = {};
    GetClientRect(box.Handle(), &client);
    const RECT wasted = ChildBounds(box.WastedGauge().Handle());
    EXPECT_EQ(48, wasted.right - wasted.left);
    EXPECT_EQ(57, wasted.top);  // 38 at 96 DPI
    EXPECT_EQ((client.right - 48) / 2, wasted.left);
    // "Default Size" is the designed size at this scale now.
    box.SetDefaultSize();
    EXPECT_EQ(147, BoundsOf(box.Handle()).right - BoundsOf(box.Handle()).left);
}

TEST_F(SectionSizeBoxTest, HideCommandAndCloseBoxOnlyHideAndTellTheOwner) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    int told = 0;
    box.OnUserHide = [&told] { ++told; };

    box.SetVisible(true);
    EXPECT_TRUE(box.Visible());
    SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(popSectionBoxHide, 0), 0);
    EXPECT_FALSE(box.Visible());
    EXPECT_TRUE(IsWindow(box.Handle()));
    EXPECT_EQ(1, told);

    box.SetVisible(true);
    SendMessageW(box.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(box.Visible());
    EXPECT_TRUE(IsWindow(box.Handle()));
    EXPECT_EQ(2, told);

    // Hiding from the program is not the user's doing.
    box.SetVisible(true);
    box.SetVisible(false);
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(2, told);
}

TEST_F(SectionSizeBoxTest, DefaultSizeRestoresTheSizeAndKeepsThePosition) {
    TSectionSizeBox box(Owner.Handle(), Registry);
    SetWindowPos(box.Handle(), nullptr, 150, 120, 260, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(popSectionBoxDefaultSize, 0), 0);
    const RECT bounds = BoundsOf(box.Handle());
    EXPECT_EQ(150, bounds.left);
    EXPECT_EQ(120, bounds.top);
    EXPECT_EQ(98, bounds.right - bounds.left);
    EXPECT_EQ(238, bounds.bottom - bounds.top);
}

TEST_F(SectionSizeBoxTest, StoredBoundsOverrideTheDefaultsAndGoBackOnDestruction) {
    StoreBounds(Registry, 210, 160, 130, 300);
    {
        TSectionSizeBox box(Owner.Handle(), Registry);
        const RECT loaded = BoundsOf(box.Handle());
        EXPECT_EQ(210, loaded.left);
        EXPECT_EQ(160, loaded.top);
        EXPECT_EQ(130, loaded.right - loaded.left);
        EXPECT_EQ(300, loaded.bottom - loaded.top);
        SetWindowPos(box.Handle(), nullptr, 220, 170, 140, 310, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EXPECT_EQ(220, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Left", 0));
    EXPECT_EQ(170, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Top", 0));
    EXPECT_EQ(140, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Width", 0));
    EXPECT_EQ(310, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Height", 0));
}

TEST_F(SectionSizeBoxTest, BoundsAreStoredWhenTheOwnerDestroysTheWindowFirst) {
    auto owner = std::make_unique<THostWindow>();
    TSectionSizeBox box(owner->Handle(), Registry);
    SetWindowPos(box.Handle(), nullptr, 230, 180, 120, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    owner.reset();
    EXPECT_EQ(nullptr, box.Handle());
    EXPECT_EQ(230, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Left", 0));
    EXPECT_EQ(120, ReadIntegerValue(Registry, kRoot, kPopUpBox, "Width", 0));
    // A window that is gone takes values without failing.
    box.SetWasted(10, "x");
    box.SetVisible(true);
    EXPECT_FALSE(box.Visible());
}

TEST_F(SectionSizeBoxTest, AFailedSaveIsSwallowedAtDestruction) {
    Registry.FailWritesOf("Left");
    EXPECT_NO_THROW({ TSectionSizeBox box(Owner.Handle(), Registry); });
}

}  // namespace
