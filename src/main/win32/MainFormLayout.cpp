// Where the main window puts its parts when it is resized or a pane is
// shown or hidden.

#include <windows.h>

#include <commctrl.h>

#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "platform/win32/WideString.h"

void TMainForm::Layout() {
    if (!Window || !TheStatusBar) return;
    RECT client;
    GetClientRect(Window, &client);
    const int width = client.right;
    int top = 0;
    const int bannerHeight = Scale(kBannerHeight);
    BannerPanel->SetBounds(0, 0, width, bannerHeight);
    if (SponsorBanner) SponsorBanner->SetBounds(0, 0, width, bannerHeight);
    top += bannerHeight;
    if (ToolbarSupport->Visible()) {
        ToolbarSupport->SetBounds(0, top, width, Scale(kToolbarStripHeight));
        LayoutToolbarStripContents();
        top += Scale(kToolbarStripHeight);
    }
    top += Scale(kStripGap);

    int bottom = client.bottom;
    if (GetWindowLongW(TheStatusBar, GWL_STYLE) & WS_VISIBLE) {
        SendMessageW(TheStatusBar, WM_SIZE, 0, 0);
        RECT bar;
        GetWindowRect(TheStatusBar, &bar);
        bottom -= bar.bottom - bar.top;
        LayoutStatusBar();
    }
    const int height = std::max(bottom - top, 0);
    int left = 0;
    if (TheLeftPanel->Visible()) {
        const int minPane = Scale(kMinPaneWidth);
        LeftPanelWidth = std::max(minPane, std::min(LeftPanelWidth, width - minPane));
        TheLeftPanel->SetBounds(0, top, LeftPanelWidth, height);
        MoveWindow(TheFolderTree, 0, 0, LeftPanelWidth, height, TRUE);
        MainSplitter->SetBounds(LeftPanelWidth, top, Scale(kSplitterWidth), height);
        left = LeftPanelWidth + Scale(kSplitterWidth);
    }
    const int rightWidth = std::max(width - left, 0);
    TheRightPanel->SetBounds(left, top, rightWidth, height);
    ThePages->SetBounds(0, Scale(kPagesTopGap), rightWidth, height - Scale(kPagesTopGap));
    NotScanned->Layout();
    UpdateNotScannedText();
    if (rightWidth != RightPanelSize.cx || height != RightPanelSize.cy) {
        RightPanelSize = SIZE{rightWidth, height};
        LayoutPage();
    }
}
