#include "controls/win32/VersionLabel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/MessageBoxes.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32VersionInfo.h"

namespace {

// The file version numbers of this runner, read straight from its version
// resource's fixed block rather than through the version library.
std::string FixedFileVersionOfThisProgram() {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!found) return "";
    const auto* block = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    // The fixed block follows the root's header: three WORDs, the key
    // "VS_VERSION_INFO" with its terminator, padding to a DWORD boundary.
    const size_t fixedOffset = (3 * sizeof(WORD) + sizeof(L"VS_VERSION_INFO") + 3) & ~size_t(3);
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, block + fixedOffset, sizeof(fixed));
    if (fixed.dwSignature != 0xFEEF04BD) return "";
    char text[64];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", unsigned(HIWORD(fixed.dwFileVersionMS)),
                  unsigned(LOWORD(fixed.dwFileVersionMS)), unsigned(HIWORD(fixed.dwFileVersionLS)),
                  unsigned(LOWORD(fixed.dwFileVersionLS)));
    return text;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = L"";
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

class VersionLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Parent = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, Parent);
        SendMessageW(Parent, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    void TearDown() override {
        if (Parent) DestroyWindow(Parent);
    }

    HWND Parent = nullptr;
    TWin32VersionInfo ThisProgram;
};

TEST_F(VersionLabelTest, ShowsTheFileVersionOfTheRunningProgram) {
    const std::string version = FixedFileVersionOfThisProgram();
    ASSERT_FALSE(version.empty());
    TVersionLabel label(Parent, 5, 5, ThisProgram);
    EXPECT_EQ("File Version: " + version, label.Caption());
    EXPECT_EQ(Widen(label.Caption()), WindowText(label.Handle()));
    EXPECT_EQ("040904B0", label.LangCharset());

    // The about box's settings.
    label.SetVersionResourceKey("FileVersion");
    label.SetInfoPrefix("Build ");
    label.SetShowInfoPrefix(true);
    EXPECT_EQ("Build  " + version, label.Caption());
    EXPECT_EQ(Widen(label.Caption()), WindowText(label.Handle()));
}

TEST_F(VersionLabelTest, OtherFieldsAndTheFlagsOfTheRunningProgram) {
    TVersionLabel label(Parent, 5, 5, ThisProgram);
    label.SetVersionResource(TVersionResource::vrProductName);
    EXPECT_EQ(std::string("Product Name: ") + kProductName, label.Caption());
    label.SetVersionResource(TVersionResource::vrFlags);
    EXPECT_EQ("Flags: ", label.Caption());  // a release build sets none
    label.SetVersionResource(TVersionResource::vrComments);
    label.SetVersionResourceKey("NoSuchKeyInQuarrymap");
    EXPECT_EQ("NoSuchKeyInQuarrymap < Error retrieving version info >", label.Caption());
}

TEST_F(VersionLabelTest, FileWithoutVersionResourceShowsNoData) {
    wchar_t folder[MAX_PATH + 1] = L"", file[MAX_PATH + 1] = L"";
    ASSERT_NE(0u, GetTempPathW(MAX_PATH + 1, folder));
    ASSERT_NE(0u, GetTempFileNameW(folder, L"qmv", 0, file));  // an empty file
    {
        TWin32VersionInfo plainFile(Narrow(file));
        TVersionLabel label(Parent, 5, 5, plainFile);
        EXPECT_EQ("File Version: < No Data Available >", label.Caption());
        label.SetShowInfoPrefix(false);
        EXPECT_EQ("< No Data Available >", label.Caption());
    }
    DeleteFileW(file);
    TWin32VersionInfo missingFile("C:\\no such folder for quarrymap\\none.exe");
    TVersionLabel label(Parent, 5, 5, missingFile);
    EXPECT_EQ("File Version: < No Data Available >", label.Caption());
}

TEST_F(VersionLabelTest, SizesItselfToOneLineOfItsText) {
    TVersionLabel label(Parent, 5, 5, ThisProgram);
    TEXTMETRICW metrics = {};
    {
        const HDC dc = GetDC(label.Handle());
        TSelection useFont(dc, GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(label.Handle(), dc);
    }
    const SIZE normal = ClientSize(label.Handle());
    EXPECT_GT(normal.cx, 0);
    EXPECT_EQ(metrics.tmHeight, normal.cy);

    label.SetInfoPrefix(std::string(120, 'W') + ":");
    const SIZE longer = ClientSize(label.Handle());
    EXPECT_GT(longer.cx, ClientSize(Parent).cx);  // wider than the parent: never wrapped
    EXPECT_EQ(normal.cy, longer.cy);

    label.SetShowInfoPrefix(false);
    EXPECT_LT(ClientSize(label.Handle()).cx, normal.cx);
}

TEST_F(VersionLabelTest, AFontChangeResizesIt) {
    TVersionLabel label(Parent, 5, 5, ThisProgram);
    const SIZE before = ClientSize(label.Handle());
    TFont bigFont(CreateFontW(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    ASSERT_NE(nullptr, bigFont.Get());
    SendMessageW(label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(bigFont.Get()), TRUE);
    const SIZE after = ClientSize(label.Handle());
    EXPECT_GT(after.cx, before.cx);
    EXPECT_GT(after.cy, before.cy);
    SendMessageW(label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

TEST_F(VersionLabelTest, WindowGoesWithTheObjectOrWithTheParent) {
    HWND window = nullptr;
    {
        TVersionLabel label(Parent, 5, 5, ThisProgram);
        window = label.Handle();
    }
    EXPECT_FALSE(IsWindow(window));

    TVersionLabel label(Parent, 5, 5, ThisProgram);
    window = label.Handle();
    DestroyWindow(Parent);
    Parent = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, label.Handle());
    label.SetVersionResource(TVersionResource::vrProductName);  // the caption still follows
    EXPECT_EQ(std::string("Product Name: ") + kProductName, label.Caption());
}

}  // namespace
