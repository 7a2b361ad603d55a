#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "controls/win32/Label.h"
#include "controls/win32/ScrollBox.h"
#include "controls/win32/ToolTips.h"
#include "main/FolderInfoText.h"
#include "main/win32/PageHost.h"
#include "controls/win32/Panel.h"
#include "pie/win32/SimplePieGauge.h"
#include "platform/win32/GdiObjects.h"

// The "Wasted Space" page: how much the folder with all its subfolders
// would waste at each of seven cluster sizes, a small pie gauge each, the
// drive's own size shaded, and a link to the help on reducing the waste.
// The values are the stored hypothetical ones, so the cluster size box
// does not change them. The page is rebuilt on every showing.
class TWastedSpacePage : public TPage {
public:
    TWastedSpacePage(TPanel& sheet, IPageHost& host, const TPageServices& services);

    void Fill(TFolderNode& node) override;
    void Layout() override;

    // Cluster panels by k = 1..7, as ClusterSizes.
    TColor PanelColor(int k) const { return Cluster(k).panWasted->Color(); }
    HWND Panel(int k) const { return Cluster(k).panWasted->Handle(); }
    const TSimplePieGauge& Gauge(int k) const { return *Cluster(k).WastedInd; }
    std::string CaptionText(int k) const { return Cluster(k).capWasted->Text(); }
    std::string SizeText(int k) const { return Cluster(k).txtWasted->Text(); }
    // The panel, its caption and its size label each have their own hint,
    // the tooltips' text for them.
    HWND CaptionLabel(int k) const { return Cluster(k).capWasted->Handle(); }
    HWND SizeLabel(int k) const { return Cluster(k).txtWasted->Handle(); }
    HWND ToolTipWindow() const { return Hints->Handle(); }

    std::string AmountText() const { return txtWebWastedAmount->Text(); }
    std::string PathText() const { return txtWebWastedPath->Text(); }
    std::string AtDiffText() const { return txtWebWastedAtDiff->Text(); }
    HWND ReduceWasteLink() const { return txtWebReduceWaste->Handle(); }
    // The help topic the link opens: a folder's or a drive's.
    int HelpContext() const { return LinkHelpContext; }

private:
    void OnResolutionChanged(TPixelScale old) override;
    void MakeLinkFont();
    struct TClusterPanel {
        std::unique_ptr<TPanel> panWasted;
        std::unique_ptr<TLabel> capWasted;
        std::unique_ptr<TSimplePieGauge> WastedInd;
        std::unique_ptr<TLabel> txtWasted;
    };

    void CreateHeader();
    void CreateClusterPanel(int k, HWND row, int left);
    void CreateReduceWasteLink(HWND row);
    bool OnLinkRowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    const TClusterPanel& Cluster(int k) const { return ClusterPanels[size_t(k - 1)]; }

    int LinkHelpContext = kWastedFolderHelpContext;

    TFont LinkFont;
    std::unique_ptr<TScrollBox> ScrollBox;
    std::unique_ptr<TPanel> panWebWastedPath;
    std::unique_ptr<TLabel> txtWebWastedAmount;
    std::unique_ptr<TLabel> txtWebWastedPath;
    std::unique_ptr<TLabel> txtWebWastedAtDiff;
    std::unique_ptr<TPanel> panWastedSupport1;
    std::unique_ptr<TPanel> panWastedSupport2;
    std::array<TClusterPanel, kClusterSizeCount> ClusterPanels;
    std::unique_ptr<TLabel> txtWebReduceWaste;
    std::unique_ptr<TToolTips> Hints;
};
