#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "config/win32/MenuCallbackWindow.h"

namespace {

// A menu handler that records the messages passed to it and answers
// WM_MENUCHAR with a fixed result.
class TRecordingMenuHandler : public IContextMenu3 {
public:
    std::vector<UINT> Older;   // through HandleMenuMsg
    std::vector<UINT> Newest;  // through HandleMenuMsg2
    static constexpr LRESULT kMenuCharAnswer = MAKELRESULT(2, MNC_EXECUTE);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU, UINT, UINT, UINT, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR, UINT, UINT*, CHAR*, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HandleMenuMsg(UINT message, WPARAM, LPARAM) override {
        Older.push_back(message);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HandleMenuMsg2(UINT message, WPARAM, LPARAM, LRESULT* result) override {
        Newest.push_back(message);
        if (message == WM_MENUCHAR && result) *result = kMenuCharAnswer;
        return S_OK;
    }
};

const UINT kMenuMessages[] = {WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR};

TEST(MenuCallbackWindowTest, NewestHandlerGetsEveryMenuMessageAndNothingElse) {
    TRecordingMenuHandler handler;
    {
        TMenuCallbackWindow window(&handler, &handler, nullptr);
        ASSERT_NE(nullptr, window.Handle());
        EXPECT_EQ(window.Handle(), FindWindowW(kMenuCallbackClassName, kMenuCallbackWindowName));
        EXPECT_FALSE(IsWindowVisible(window.Handle()));

        EXPECT_EQ(0, SendMessageW(window.Handle(), WM_INITMENUPOPUP, 0, 0));
        EXPECT_EQ(TRUE, SendMessageW(window.Handle(), WM_MEASUREITEM, 0, 0));
        EXPECT_EQ(TRUE, SendMessageW(window.Handle(), WM_DRAWITEM, 0, 0));
        EXPECT_EQ(TRecordingMenuHandler::kMenuCharAnswer, SendMessageW(window.Handle(), WM_MENUCHAR, 0, 0));
        SendMessageW(window.Handle(), WM_COMMAND, 1, 0);
    }
    EXPECT_EQ(std::vector<UINT>(std::begin(kMenuMessages), std::end(kMenuMessages)), handler.Newest);
    EXPECT_TRUE(handler.Older.empty());
    EXPECT_EQ(nullptr, FindWindowW(kMenuCallbackClassName, kMenuCallbackWindowName));
}

TEST(MenuCallbackWindowTest, OlderHandlerGetsAllButMenuCharacters) {
    TRecordingMenuHandler handler;
    TMenuCallbackWindow window(&handler, nullptr, nullptr);
    ASSERT_NE(nullptr, window.Handle());
    for (UINT message : kMenuMessages) SendMessageW(window.Handle(), message, 0, 0);
    EXPECT_EQ((std::vector<UINT>{WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM}), handler.Older);
    EXPECT_TRUE(handler.Newest.empty());
}

}  // namespace
