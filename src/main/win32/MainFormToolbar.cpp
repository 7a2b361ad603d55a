// The toolbar strip under the banner: the drive box, the toolbar with its
// tooltips and the cluster size box.

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "main/ClusterSizeBox.h"
#include "main/Hints.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "platform/win32/WideString.h"

void TMainForm::CreateToolbarStrip() {
    ToolbarSupport = std::make_unique<TPanel>(Window, idToolbarSupport);
    ToolbarSupport->SetBottomLine(true);
    HWND strip = ToolbarSupport->Handle();
    SendMessageW(strip, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    TheDriveBox.Create(strip, 0, Scale(kStripControlTop), Scale(kDriveBoxWidth), idDriveBox);

    TheToolbar = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
        Scale(kToolbarLeft), 0, Scale(kToolbarWidth), Scale(kToolbarStripHeight - 2), strip,
        reinterpret_cast<HMENU>(INT_PTR(idToolbar)), GetModuleHandleW(nullptr), nullptr);
    if (!TheToolbar) throw std::runtime_error("toolbar");
    SendMessageW(TheToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ToolbarImages = std::make_unique<TImageList>(CreateToolbarImages(Scale));
    if (!ToolbarImages->Get()) throw std::runtime_error("toolbar images");
    SendMessageW(TheToolbar, TB_SETIMAGELIST, 0, LPARAM(ToolbarImages->Get()));
    std::vector<TBBUTTON> buttons;
    for (const TToolButton& tool : ToolbarButtons()) {
        TBBUTTON button = {};
        button.idCommand = tool.Id;
        button.iString = -1;
        if (tool.Kind == TToolKind::Separator) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = tool.Image;
            button.fsStyle = tool.Kind == TToolKind::Check ? BTNS_CHECK : BTNS_BUTTON;
            button.fsState = TBSTATE_ENABLED;
        }
        buttons.push_back(button);
    }
    SendMessageW(TheToolbar, TB_ADDBUTTONSW, WPARAM(buttons.size()), LPARAM(buttons.data()));

    ClustersBox =
        CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
                        Scale(kStripControlTop), 0, Scale(200), strip, reinterpret_cast<HMENU>(INT_PTR(idClustersBox)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!ClustersBox) throw std::runtime_error("cluster size box");
    SendMessageW(ClustersBox, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const char* entry : kClusterBoxEntries)
        SendMessageW(ClustersBox, CB_ADDSTRING, 0, LPARAM(Widen(entry).c_str()));

    // Tooltips of the two boxes; the toolbar asks for its own (TTN_GETDISPINFO).
    StripTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!StripTips) throw std::runtime_error("tooltips");
    const std::pair<HWND, const char*> tips[] = {{TheDriveBox.Handle(), kDriveBoxHint},
                                                 {ClustersBox, kClustersBoxHint}};
    for (const auto& tip : tips) {
        std::wstring text = Widen(ShortHint(tip.second));
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = strip;
        tool.uId = UINT_PTR(tip.first);
        tool.lpszText = text.data();
        SendMessageW(StripTips, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
}

void TMainForm::LayoutToolbarStripContents() {
    RECT strip;
    GetClientRect(ToolbarSupport->Handle(), &strip);
    const TStripLayout layout = LayoutToolbarStrip(strip.right, Scale);
    MoveWindow(TheToolbar, layout.ToolbarLeft, 0, layout.ToolbarWidth, Scale(kToolbarStripHeight - 2), TRUE);
    if (layout.ClustersVisible) {
        RECT box;
        GetWindowRect(ClustersBox, &box);
        MoveWindow(ClustersBox, layout.ClustersLeft, Scale(kStripControlTop), layout.ClustersWidth,
                   box.bottom - box.top, TRUE);
    }
    ShowWindow(ClustersBox, layout.ClustersVisible ? SW_SHOWNA : SW_HIDE);
}

bool TMainForm::OnToolbarNotify(NMHDR& header, LRESULT& result) {
    if (header.code != TTN_GETDISPINFOW || header.hwndFrom != HWND(SendMessageW(TheToolbar, TB_GETTOOLTIPS, 0, 0)))
        return false;
    const TToolButton* tool = FindToolButton(int(header.idFrom));
    ToolTipText = tool && tool->Tooltip ? Widen(ShortHint(tool->Hint)) : std::wstring();
    reinterpret_cast<NMTTDISPINFOW&>(header).lpszText = ToolTipText.data();
    result = 0;
    return true;
}
