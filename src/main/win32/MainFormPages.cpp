// The main window's page mechanism: which sheet shows for the selected
// folder, and telling the page objects when to fill, lay out and forget.

#include <windows.h>

#include <memory>

#include <commctrl.h>

#include "config/Options.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "platform/win32/WideString.h"
#include "scan/FolderTree.h"

void TMainForm::ShowPage(int page) {
    FormState.CurrentPage = uint8_t(page);
    TFolderNode* node = Parts.Scan ? Parts.Scan->SelectedNode() : nullptr;
    FormState.CurrentNode = node;
    if (!UpdatePageVisibility(node)) return;
    // A drive's root never reaches page 4: UpdatePageVisibility moved it to the pie.
    const int sheet = SheetOfPage(FormState.CurrentPage);
    TPage* shown = ThePages->Page(sheet);
    if (!shown) return;
    shown->Fill(*node);
    // A page skips its layout when its folder did not change, yet the window
    // may have been resized while another page showed.
    RECT client;
    GetClientRect(SheetWindow(sheet), &client);
    if (client.right != PageLaidOutSize[sheet].cx || client.bottom != PageLaidOutSize[sheet].cy) {
        shown->Layout();
        PageLaidOutSize[sheet] = {client.right, client.bottom};
    }
}

int TMainForm::ActiveSheet() const { return ThePages ? ThePages->ActiveSheet() : int(pageNotScanned); }

bool TMainForm::UpdatePageVisibility(TFolderNode* node) {
    FormState.CurrentNode = node;
    const TPageVisibility visibility = DecidePageVisibility(node, FormState.CurrentPage);
    if (visibility.HasRecord) {
        FormState.CurrentPage = visibility.CurrentPage;
        ThePages->SetTabsVisible(visibility.TabVisible);
        ThePages->SetActiveSheet(visibility.ActiveSheet);
        return true;
    }
    if (Parts.SectionSizeWindow) Parts.SectionSizeWindow->HideSectionSizeWindow();
    NotScanned->SetColor(Services.Options.Colors[kColorNotScannedPanel]);
    ThePages->SetTabsVisible(visibility.TabVisible);
    ThePages->SetActiveSheet(pageNotScanned);
    UpdateNotScannedText();
    return false;
}

void TMainForm::InvalidateViews(bool refill) {
    for (int sheet = pagePieChart; sheet < kSheetCount; ++sheet)
        if (TPage* page = ThePages->Page(sheet)) page->Forget();
    if (refill) ShowPage(FormState.CurrentPage);
}

void TMainForm::NodesGoing(const TFolderNode& going) {
    for (int sheet = pagePieChart; sheet < kSheetCount; ++sheet)
        if (TPage* page = ThePages->Page(sheet)) page->NodesGoing(going);
    if (IsSameOrBelow(FormState.CurrentNode, going)) FormState.CurrentNode = nullptr;
    if (IsSameOrBelow(FormState.CurrentRoot, going)) FormState.CurrentRoot = nullptr;
}

void TMainForm::InvalidatePie() {
    if (TPage* pie = ThePages->Page(pagePieChart)) pie->Forget();
    if (FormState.CurrentPage == 0) ShowPage(0);
}

void TMainForm::LayoutPage() {
    const int sheet = ThePages->ActiveSheet();
    if (sheet <= pageNotScanned) return;
    TPage* page = ThePages->Page(sheet);
    if (!page) return;
    page->Layout();
    RECT client;
    GetClientRect(SheetWindow(sheet), &client);
    PageLaidOutSize[sheet] = {client.right, client.bottom};
}

void TMainForm::UpdateNotScannedText() {
    const bool noDrives = FormState.ScannedDrives.Letters().empty();
    if (ThePages->TabVisible(pageNotScanned)) ThePages->SetTabCaption(pageNotScanned, NotScannedCaption(noDrives));
    NotScanned->SetMessage(NotScannedMessage(noDrives, FormState.Scanning, FormState.CurrentNode));
}

void TMainForm::TabChange() {
    if (ThePages->ActiveSheet() == pageNotScanned) return;
    const int sheet = ThePages->SelectedTabSheet();
    if (sheet <= pageNotScanned) return;
    // The sheet is filled without drawing and shown whole afterwards.
    HWND sheetWindow = SheetWindow(sheet);
    SendMessageW(sheetWindow, WM_SETREDRAW, FALSE, 0);
    ShowPage(PageOfSheet(sheet));
    SendMessageW(sheetWindow, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(sheetWindow, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
