// The main window moving to a screen of another scaling (WM_DPICHANGED):
// everything measured, drawn or given a font for the old resolution is
// made again for the new one.

#include <windows.h>

#include <commctrl.h>

#include <utility>
#include <vector>

#include "controls/win32/Fonts.h"
#include "controls/win32/WindowRescale.h"
#include "main/Pages.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/NotScannedPage.h"
#include "main/win32/PageControl.h"
#include "main/win32/ToolbarImages.h"
#include "main/win32/ZoomCursors.h"
#include "platform/win32/WindowDpi.h"

void TMainForm::UseGuiFontForWindowDpi() {
    if (Scale.DotsPerInch() == ScreenDpi()) return;
    GuiFont = MakeGuiFont(Scale.DotsPerInch());
    if (GuiFont.Get()) ReplaceFonts(Window, {{static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), GuiFont.Get()}});
}

void TMainForm::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    const TPixelScale old = Scale;
    const TPixelScale scale(HIWORD(wParam));
    const bool changed = scale.DotsPerInch() != old.DotsPerInch() && Created;
    if (changed) ChangeResolution(old, scale);
    // The suggested rectangle keeps the window's size in inches; its
    // WM_SIZE lays the frame out at the new scale.
    MoveToSuggestedRect(Window, lParam);
    Layout();
    // Every page measures its texts again, in the new fonts and at the new size.
    if (changed) InvalidateViews(true);
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TMainForm::ChangeResolution(TPixelScale old, TPixelScale scale) {
    Scale = scale;
    LeftPanelWidth = MulDiv(LeftPanelWidth, scale.DotsPerInch(), old.DotsPerInch());

    // New label fonts; the old ones stay alive until no control uses them.
    TFont oldText = std::move(PageTextFont);
    TFont oldBold = std::move(PageBoldFont);
    TFont oldGui = std::move(GuiFont);
    PageTextFont = MakeFont({L"Arial", TFontSize::Pixels(13)}, Scale);
    PageBoldFont = MakeFont({L"Arial", TFontSize::Pixels(13), FW_BOLD}, Scale);
    GuiFont = MakeGuiFont(Scale.DotsPerInch());
    // Controls made with the stock user-interface font have it at the
    // primary screen's resolution; they take one made for this window's.
    const HFONT stockGui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HFONT gui = GuiFont.Get() ? GuiFont.Get() : stockGui;
    std::vector<std::pair<HFONT, HFONT>> replacements = {
        {oldText.Get(), PageTextFont.Get()}, {oldBold.Get(), PageBoldFont.Get()}, {stockGui, gui}};
    if (oldGui.Get()) replacements.emplace_back(oldGui.Get(), gui);
    ReplaceFonts(Window, replacements);
    // The status bar and the tree draw in the system's font unless given
    // one: at another resolution they get the user-interface font too.
    if (GuiFont.Get())
        for (HWND control : {TheStatusBar, TheFolderTree})
            SendMessageW(control, WM_SETFONT, WPARAM(GuiFont.Get()), TRUE);

    // Controls placed once at creation move with the scale; those the
    // layout places are placed again below.
    RescaleChildWindows(Window, old.DotsPerInch(), scale.DotsPerInch());
    if (ThePages)
        for (int shown = 0; shown < kPageCount; ++shown)
            if (TPage* page = ThePages->Page(SheetOfPage(shown)))
                page->ChangeResolution(Scale, TPageFonts{PageTextFont.Get(), PageBoldFont.Get()});
    if (NotScanned) NotScanned->SetScale(Scale);

    // The program's own pictures, drawn afresh at the new size.
    if (TheToolbar && ToolbarImages) {
        auto images = std::make_unique<TImageList>(CreateToolbarImages(Scale));
        if (images->Get()) {
            SendMessageW(TheToolbar, TB_SETIMAGELIST, 0, LPARAM(images->Get()));
            SendMessageW(TheToolbar, TB_AUTOSIZE, 0, 0);
            ToolbarImages = std::move(images);
        }
    }
    auto cursors = std::make_unique<TZoomCursors>(Scale);
    if (cursors->IsValid()) ZoomCursors = std::move(cursors);
}
