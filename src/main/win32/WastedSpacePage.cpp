#include "main/win32/WastedSpacePage.h"

#include <algorithm>

#include "controls/win32/Fonts.h"
#include "scan/FolderTree.h"

namespace {

// The page's measures at 96 DPI.
constexpr int kHeaderHeight = 57;
constexpr int kHeaderTextLeft = 8, kHeaderLineStep = 16, kHeaderFirstTop = 4;
constexpr int kLabelHeight = 16;
constexpr int kPathMargin = 4;  // kept free right of the path label

constexpr int kRowWidth = 305, kRowHeight = 89;
constexpr int kRowDesignLeft = 8;  // where the rows stay when the box is too narrow to centre them
constexpr int kPanelWidth = 75, kPanelHeight = 87;
constexpr int kPanelStep = 76;  // one pixel of the row shows between panels
constexpr int kCaptionTop = 6;
constexpr int kGaugeSize = 32, kGaugeTop = 25;
constexpr int kSizeTop = 63;
constexpr int kLinkInset = 3, kLinkTop = 4;

constexpr TColor kShadedColor = kSystemColorFlag | COLOR_BTNFACE;
constexpr TColor kLime = 0x00FF00;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);

}  // namespace

TWastedSpacePage::TWastedSpacePage(TPanel& sheet, IPageHost& host, const TPageServices& services)
    : TPage(sheet, host, services) {
    const TPixelScale& scale = Services.Scale;
    // The link shares its corner of the row with three panels: the smaller
    // user-interface font keeps its text whole there.
    MakeLinkFont();
    Hints = std::make_unique<TToolTips>(Sheet.Handle());
    ScrollBox = std::make_unique<TScrollBox>(Sheet.Handle());
    ScrollBox->SetColor(kWindowColor);
    CreateHeader();

    const auto makeRow = [&] {
        auto row = std::make_unique<TPanel>(ScrollBox->Content().Handle(), 0, WS_BORDER);
        row->SetColor(kWindowColor);
        row->SetBounds(scale(kRowDesignLeft), 0, scale(kRowWidth), scale(kRowHeight));
        return row;
    };
    panWastedSupport1 = makeRow();
    panWastedSupport2 = makeRow();
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        const bool firstRow = k <= 4;
        const int slot = firstRow ? k - 1 : k - 5;
        CreateClusterPanel(k, (firstRow ? panWastedSupport1 : panWastedSupport2)->Handle(), scale(slot * kPanelStep));
    }
    CreateReduceWasteLink(panWastedSupport2->Handle());
}

// The user-interface font underlined, at the page's resolution.
void TWastedSpacePage::MakeLinkFont() {
    const TFont gui = MakeGuiFont(Services.Scale.DotsPerInch());
    LinkFont = VariantOf(gui.Get() ? gui.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), {0, 0, true});
}

void TWastedSpacePage::OnResolutionChanged(TPixelScale) {
    TFont old = std::move(LinkFont);  // the link uses it until it has the new one
    MakeLinkFont();
    SendMessageW(txtWebReduceWaste->Handle(), WM_SETFONT, WPARAM(LinkFont.Get()), TRUE);
}

void TWastedSpacePage::CreateHeader() {
    const TPixelScale& scale = Services.Scale;
    panWebWastedPath = std::make_unique<TPanel>(ScrollBox->Content().Handle(), 0);
    panWebWastedPath->SetColor(kWindowColor);
    panWebWastedPath->SetBottomLine(true);
    HWND header = panWebWastedPath->Handle();
    const auto line = [&](int index, HFONT font) {
        const int top = scale(kHeaderFirstTop + index * kHeaderLineStep);
        return std::make_unique<TLabel>(header, scale(kHeaderTextLeft), top, 0, scale(kLabelHeight), font);
    };
    txtWebWastedAmount = line(0, Services.Fonts.Text);
    txtWebWastedPath = line(1, Services.Fonts.Bold);
    txtWebWastedAtDiff = line(2, Services.Fonts.Text);
    txtWebWastedAtDiff->SetText(kWastedAtDiffText);
}

void TWastedSpacePage::CreateClusterPanel(int k, HWND row, int left) {
    const TPixelScale& scale = Services.Scale;
    const TClusterPanelTexts& texts = kClusterPanelTexts[size_t(k - 1)];
    TClusterPanel& cluster = ClusterPanels[size_t(k - 1)];
    cluster.panWasted = std::make_unique<TPanel>(row, 0);
    cluster.panWasted->SetColor(kWindowColor);
    cluster.panWasted->SetBounds(left, 0, scale(kPanelWidth), scale(kPanelHeight));
    // The hand over the whole panel: its labels pass WM_SETCURSOR up to it,
    // and the gauge lets the mouse through.
    cluster.panWasted->OnMessage = [](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        if (message != WM_SETCURSOR || LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    };
    HWND panel = cluster.panWasted->Handle();
    const int width = scale(kPanelWidth);
    // Notifying labels take the mouse, so their own tooltips show.
    cluster.capWasted = std::make_unique<TLabel>(panel, 0, scale(kCaptionTop), width, scale(kLabelHeight),
                                                 Services.Fonts.Bold, TLabel::Centre, true);
    cluster.capWasted->SetText(texts.Caption);
    cluster.WastedInd = std::make_unique<TSimplePieGauge>(panel, (width - scale(kGaugeSize)) / 2, scale(kGaugeTop),
                                                          scale(kGaugeSize), scale(kGaugeSize));
    cluster.WastedInd->SetBorderStyle(TGaugeBorderStyle::None);
    cluster.WastedInd->SetForeColor(kLime);
    cluster.WastedInd->SetColor(cluster.panWasted->Color());
    cluster.txtWasted = std::make_unique<TLabel>(panel, 0, scale(kSizeTop), width, scale(kLabelHeight),
                                                 Services.Fonts.Bold, TLabel::Centre, true);
    Hints->SetTip(cluster.capWasted->Handle(), texts.CaptionHint);
    if (*texts.PanelHint) Hints->SetTip(panel, texts.PanelHint);
}

void TWastedSpacePage::CreateReduceWasteLink(HWND row) {
    const TPixelScale& scale = Services.Scale;
    const int left = scale(3 * kPanelStep + kLinkInset);  // the row's fourth slot, after panels 5 to 7
    txtWebReduceWaste = std::make_unique<TLabel>(row, left, scale(kLinkTop), scale(kPanelWidth - 2 * kLinkInset),
                                                 scale(kPanelHeight - kLinkTop), LinkFont.Get(), TLabel::Centre, true);
    txtWebReduceWaste->SetText(kReduceWasteText);
    panWastedSupport2->OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnLinkRowMessage(message, wParam, lParam, result);
    };
}

bool TWastedSpacePage::OnLinkRowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND link = txtWebReduceWaste->Handle();
    switch (message) {
        case WM_COMMAND:
            if (HWND(lParam) != link || HIWORD(wParam) != STN_CLICKED) return false;
            Host.OpenHelp(LinkHelpContext);
            result = 0;
            return true;
        case WM_SETCURSOR:
            if (HWND(wParam) != link) return false;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
            // Blue on the row's window colour, as links look.
            if (HWND(lParam) != link) return false;
            SetTextColor(HDC(wParam), kLinkColor);
            SetBkColor(HDC(wParam), GetSysColor(COLOR_WINDOW));
            result = LRESULT(GetSysColorBrush(COLOR_WINDOW));
            return true;
        default: return false;
    }
}

void TWastedSpacePage::Layout() {
    const TPixelScale& scale = Services.Scale;
    RECT sheet;
    GetClientRect(Sheet.Handle(), &sheet);
    ScrollBox->SetBounds(0, 0, sheet.right, sheet.bottom);
    // Below the space the header and both rows need, the box scrolls.
    const int rowWidth = scale(kRowWidth), rowHeight = scale(kRowHeight);
    ScrollBox->SetContentSize(rowWidth + 2 * scale(kRowDesignLeft), scale(kHeaderHeight) + 2 * rowHeight);
    const SIZE content = ScrollBox->ContentSize();
    const RECT box = {0, 0, content.cx, content.cy};

    const int headerHeight = scale(kHeaderHeight);
    panWebWastedPath->SetBounds(0, 0, box.right, headerHeight);
    const int textWidth = box.right - scale(kHeaderTextLeft) - scale(kPathMargin);
    TLabel* const lines[] = {txtWebWastedAmount.get(), txtWebWastedPath.get(), txtWebWastedAtDiff.get()};
    for (int index = 0; index < 3; ++index)
        lines[index]->SetBounds(scale(kHeaderTextLeft), scale(kHeaderFirstTop + index * kHeaderLineStep), textWidth,
                                scale(kLabelHeight));

    const TWastedRowsPlacement placement =
        PlaceWastedRows(box.right, box.bottom, headerHeight, rowWidth, rowHeight, rowHeight);
    RECT row;
    GetWindowRect(panWastedSupport1->Handle(), &row);
    MapWindowPoints(nullptr, ScrollBox->Content().Handle(), reinterpret_cast<POINT*>(&row), 2);
    const int left = placement.MoveLefts ? placement.Left : int(row.left);
    panWastedSupport1->SetBounds(left, placement.Row1Top, rowWidth, rowHeight);
    panWastedSupport2->SetBounds(left, placement.Row2Top, rowWidth, rowHeight);

    ShowSelectedPath(*txtWebWastedPath, *panWebWastedPath, kHeaderTextLeft);
}

void TWastedSpacePage::Fill(TFolderNode& node) {
    Layout();
    const bool isRoot = node.IsRoot();
    const TWastedHeader header = WastedHeader(isRoot);
    LinkHelpContext = header.HelpContext;
    txtWebWastedAmount->SetText(header.Amount);
    if (isRoot) txtWebWastedPath->SetText(std::string(node.Text()));
    if (!node.Record) return;

    const auto panels = WastedPanels(*node.Record, Host.State().CurrentClusterSize, Services.Locale);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        const TWastedPanel& shown = panels[size_t(k - 1)];
        const TClusterPanel& cluster = Cluster(k);
        const TColor color = shown.Shaded ? kShadedColor : kWindowColor;
        if (cluster.panWasted->Color() != color) {
            cluster.panWasted->SetColor(color);
            // The labels take the new colour only when they paint again.
            RedrawWindow(cluster.panWasted->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        // The gauge paints its own corners: they take the panel's colour,
        // shaded or not.
        cluster.WastedInd->SetColor(cluster.panWasted->Color());
        cluster.WastedInd->SetProgress(shown.Percent);
        cluster.txtWasted->SetText(shown.Text);
        Hints->SetTip(cluster.txtWasted->Handle(), shown.Hint);
    }
}
