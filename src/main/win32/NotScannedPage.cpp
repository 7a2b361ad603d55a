#include "main/win32/NotScannedPage.h"

#include <commctrl.h>

#include <stdexcept>

#include "main/MainLayout.h"
#include "main/win32/Artwork.h"
#include "main/win32/MainFormControls.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/WideString.h"

TNotScannedPage::TNotScannedPage(TPanel& sheet, TPixelScale scale) : Sheet(sheet), Scale(scale) {
    NotReadyPanel = std::make_unique<TPanel>(Sheet.Handle(), idNotReadyPanel);
    imgNotReady = std::make_unique<TPanel>(NotReadyPanel->Handle(), idNotReadyPicture);
    imgNotReady->OnPaint = [this](HDC dc, const RECT& client) { PaintNotScannedPicture(dc, client, Scale); };
    NotReadyTextPanel = std::make_unique<TPanel>(NotReadyPanel->Handle(), idNotReadyTextPanel);
    NotReadyTextPanel->OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnTextPanelMessage(message, wParam, lParam, result);
    };
    txtNotReady = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0,
                                  Scale(kNotReadyMemoTop), 0, 0, NotReadyTextPanel->Handle(),
                                  reinterpret_cast<HMENU>(INT_PTR(idNotReadyMemo)), GetModuleHandleW(nullptr), nullptr);
    if (!txtNotReady) throw std::runtime_error("not-scanned memo");
    SendMessageW(txtNotReady, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // The memo shows no context menu at all.
    MemoHook.Hook(txtNotReady, [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = 0;
        return message == WM_CONTEXTMENU;
    });
}

bool TNotScannedPage::OnTextPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HWND(lParam) == txtNotReady) {
        // The memo never keeps the focus, so its text shows no caret.
        if (HIWORD(wParam) == EN_SETFOCUS) SetFocus(Sheet.Handle());
        result = 0;
        return true;
    }
    return false;
}

void TNotScannedPage::Layout() {
    RECT sheet;
    GetClientRect(Sheet.Handle(), &sheet);
    const int pictureWidth = Scale(kNotReadyPictureWidth);
    const int memoTop = Scale(kNotReadyMemoTop);
    NotReadyPanel->SetBounds(0, 0, sheet.right, sheet.bottom);
    imgNotReady->SetBounds(0, 0, pictureWidth, sheet.bottom);
    const int textWidth = std::max(int(sheet.right) - pictureWidth, 0);
    NotReadyTextPanel->SetBounds(pictureWidth, 0, textWidth, sheet.bottom);
    const TMemoSize memo = NotScannedMemoSize(textWidth, sheet.bottom, memoTop, Scale);
    MoveWindow(txtNotReady, 0, memoTop, memo.Width, memo.Height, TRUE);
}

void TNotScannedPage::SetColor(TColor color) {
    for (TPanel* panel : {NotReadyPanel.get(), imgNotReady.get(), NotReadyTextPanel.get()}) panel->SetColor(color);
    InvalidateRect(txtNotReady, nullptr, TRUE);
}

void TNotScannedPage::SetMessage(const std::string& text) { SetWindowTextW(txtNotReady, Widen(text).c_str()); }
