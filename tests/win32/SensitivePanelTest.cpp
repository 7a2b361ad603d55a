#include "controls/win32/SensitivePanel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const COLORREF kHighlight = RGB(0, 0, 160);
const COLORREF kWhiteText = RGB(255, 255, 255);
const int kWidth = 120, kHeight = 40;

// What a panel event saw when it was raised.
struct TRaised {
    std::string Event;
    TSensitivePanel* Sender;
    UINT Message;
    bool InsideAtThatMoment;
};

// Commands that reach the panel's parent.
struct TParentRecorder {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND) Commands.push_back(LOWORD(wParam));
        return CallWindowProcW(Original, window, message, wParam, lParam);
    }
    static WNDPROC Original;
    static std::vector<int> Commands;
};
WNDPROC TParentRecorder::Original = nullptr;
std::vector<int> TParentRecorder::Commands;

class SensitivePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Parent = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 300, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, Parent);
        SendMessageW(Parent, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ShowWindow(Parent, SW_SHOWNOACTIVATE);
        Panel = std::make_unique<TSensitivePanel>(Parent, 20, 30, kWidth, kHeight);
        Panel->OnSensitiveActivate = [this](TSensitivePanel& sender, TPanelMessage& message) {
            Raised.push_back(TRaised{"activate", &sender, message.Message, sender.MouseInside()});
        };
        Panel->OnSensitiveDeactivate = [this](TSensitivePanel& sender, TPanelMessage& message) {
            Raised.push_back(TRaised{"deactivate", &sender, message.Message, sender.MouseInside()});
            message.Result = 1234;  // handed back through the reference
        };
    }
    void TearDown() override {
        Panel.reset();
        if (Parent) DestroyWindow(Parent);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(10, 10)) {
        return SendMessageW(Panel->Handle(), message, wParam, lParam);
    }

    HWND Parent = nullptr;
    std::unique_ptr<TSensitivePanel> Panel;
    std::vector<TRaised> Raised;
};

TEST_F(SensitivePanelTest, EnterAndLeaveAreRaisedOnceEachAfterThePanelsOwnHandling) {
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    EXPECT_EQ(1234, Send(WM_MOUSELEAVE, 0, 0));
    Send(WM_MOUSEMOVE);
    ASSERT_EQ(3u, Raised.size());
    EXPECT_EQ("activate", Raised[0].Event);
    EXPECT_EQ(Panel.get(), Raised[0].Sender);
    EXPECT_EQ(UINT(WM_MOUSEMOVE), Raised[0].Message);
    EXPECT_TRUE(Raised[0].InsideAtThatMoment);
    EXPECT_EQ("deactivate", Raised[1].Event);
    EXPECT_EQ(UINT(WM_MOUSELEAVE), Raised[1].Message);
    EXPECT_FALSE(Raised[1].InsideAtThatMoment);
    EXPECT_EQ("activate", Raised[2].Event);
}

TEST_F(SensitivePanelTest, WindowsReportsThePointerLeaving) {
    // The pointer goes back where it was, so later tests see no stray hover.
    POINT before = {};
    GetCursorPos(&before);
    struct TRestoreCursor {
        POINT At;
        ~TRestoreCursor() { SetCursorPos(At.x, At.y); }
    } restore{before};
    POINT inside = {kWidth / 2, kHeight / 2};
    ClientToScreen(Panel->Handle(), &inside);
    ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(kWidth / 2, kHeight / 2));
    POINT outside = {250, 150};
    ClientToScreen(Parent, &outside);
    ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
    // Mouse tracking polls the pointer; give it a few seconds at most.
    const DWORD start = GetTickCount();
    while (Raised.size() < 2 && GetTickCount() - start < 5000) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
    ASSERT_EQ(2u, Raised.size());
    EXPECT_EQ("deactivate", Raised[1].Event);
    EXPECT_FALSE(Panel->MouseInside());
}

TEST_F(SensitivePanelTest, ClickNeedsAPressAndAReleaseOnThePanel) {
    int clicks = 0;
    Panel->OnClick = [&clicks](TSensitivePanel&) { ++clicks; };
    Send(WM_LBUTTONUP);  // pressed elsewhere
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(1, clicks);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_MOUSELEAVE, 0, 0);  // dragged out before releasing
    Send(WM_LBUTTONUP);
    EXPECT_EQ(1, clicks);
}

TEST_F(SensitivePanelTest, PaintsItsColourAndItsCaptionWhereAligned) {
    Panel->SetColor(kHighlight);
    Panel->SetFontColor(kWhiteText);
    Panel->SetCaption("Ctrl+R  ");
    Panel->SetAlignment(TPanelAlignment::Right);
    TGdiBitmap printed(kWidth, kHeight);
    Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
    int textLeft = 0, textRight = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (printed.Pixel(x, y) != kHighlight) (x < kWidth / 2 ? textLeft : textRight)++;
    EXPECT_EQ(0, textLeft);
    EXPECT_GT(textRight, 0);
}

TEST_F(SensitivePanelTest, ChildrenTakeItsColoursAndItsParentGetsTheirCommands) {
    const HWND label = CreateWindowExW(0, L"STATIC", L"Move Folder", WS_CHILD | WS_VISIBLE, 30, 5, 80, 16,
                                       Panel->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, label);
    Panel->SetColor(kHighlight);
    Panel->SetFontColor(kWhiteText);
    const TMemoryDcHandle dc = MakeMemoryDc();
    const auto brush = reinterpret_cast<HBRUSH>(Send(WM_CTLCOLORSTATIC, WPARAM(dc.Get()), LPARAM(label)));
    LOGBRUSH description = {};
    ASSERT_NE(0, GetObjectW(brush, sizeof(description), &description));
    EXPECT_EQ(kHighlight, description.lbColor);
    EXPECT_EQ(kHighlight, GetBkColor(dc.Get()));
    EXPECT_EQ(kWhiteText, GetTextColor(dc.Get()));

    TParentRecorder::Commands.clear();
    TParentRecorder::Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TParentRecorder::Proc)));
    Send(WM_COMMAND, MAKEWPARAM(2101, STN_CLICKED), LPARAM(label));
    SetWindowLongPtrW(Parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TParentRecorder::Original));
    EXPECT_EQ(std::vector<int>{2101}, TParentRecorder::Commands);
}

TEST_F(SensitivePanelTest, TakesTheParentsFontAndKeepsTheOneItIsGiven) {
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), Panel->Font());
    const HGDIOBJ font = GetStockObject(ANSI_VAR_FONT);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), Send(WM_GETFONT, 0, 0));
}

TEST_F(SensitivePanelTest, WindowGoesWithTheObjectOrWithTheParent) {
    HWND window = Panel->Handle();
    Panel.reset();
    EXPECT_FALSE(IsWindow(window));

    Panel = std::make_unique<TSensitivePanel>(Parent, 0, 0, kWidth, kHeight);
    Send(WM_MOUSEMOVE);
    window = Panel->Handle();
    DestroyWindow(Parent);
    Parent = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, Panel->Handle());
    EXPECT_FALSE(Panel->MouseInside());
    Panel->SetColor(kHighlight);  // no window to repaint
}

}  // namespace
