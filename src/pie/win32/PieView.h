#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "controls/win32/Label.h"
#include "main/win32/PageHost.h"
#include "controls/win32/Panel.h"
#include "pie/PieChart.h"
#include "pie/PieInteraction.h"
#include "pie/SectionBuilder.h"
#include "pie/SectionInfo.h"
#include "pie/win32/SimplePieGauge.h"
#include "platform/CachedShellInfo.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

// The "Pie Chart" page: a header describing whatever the mouse points at,
// and the selected folder as a pie of its subfolders and files. A click on
// a subfolder's wedge opens it, a click beside the pie goes up a level.
// The pie is built only when the page is shown for another folder, or
// after Forget; resizing only repaints it.
class TPieView : public TPage, private IPieBuildHost {
public:
    TPieView(TPanel& sheet, IPageHost& host, const TPageServices& services);
    ~TPieView() override;

    void Fill(TFolderNode& node) override;
    void Layout() override;
    void Forget() override;
    void NodesGoing(const TFolderNode& going) override;

    // The colour options onto the chart and the section size window.
    void ApplyColors();

    // The toolbar's pie buttons, told their new state, and the sort order
    // (PieViewCommands.cpp). Each sets its option and has the pie rebuilt.
    void ShowWastedToggled(bool down);
    void ShowFilesToggled(bool down);
    void PercentToggled(bool down);
    void SizesToggled(bool down);
    void SortOrderChosen(bool ascending);
    void SetMinTextAngle(double degrees) { Chart->MinTextAngle = degrees; }

    THPieChart& PieChart() { return *Chart; }
    // What each wedge of the pie built last stands for.
    const TSectionInfoList& SectionInfos() const { return Infos; }
    TGdiBitmap& PieBitmap() { return *Bitmap; }
    // The labels' font, made for the window's resolution (exports use it too).
    HFONT LabelFont() const { return static_cast<HFONT>(LabelFontObject.Get()); }
    HWND PaintBox() const { return FolderPie->Handle(); }
    const std::string& BuiltPath() const { return PiePath; }
    const TPieHover& Hover() const { return Hovering; }
    std::string HeaderType() const { return txtWebFolderType->Text(); }
    std::string HeaderName() const { return txtWebFolderName->Text(); }
    std::string HeaderSize() const { return txtWebFolderSize->Text(); }

private:
    void OnResolutionChanged(TPixelScale old) override;
    void CreateHeader();
    void LayoutHeader(int width);
    void PaintIcon(HDC dc, const RECT& client);

    // IPieBuildHost
    void ResetHover() override;
    void ShowItemHeader(const std::string& path, uint8_t kind, int64_t size, int64_t wasted) override;
    void PieBuilt() override;

    // The paint box's mouse (PieViewMouse.cpp).
    bool OnPaintBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void MouseMove(int x, int y);
    void MouseDown(UINT message, int x, int y);
    void ShowDrive();

    std::string PiePath;
    const TFolderNode* PieNode = nullptr;  // the folder the pie was last built for
    TPieHover Hovering;
    TCachedShellInfo ShellAnswers;  // for the wedges of the pie shown

    std::unique_ptr<TPanel> panPieChartSupport;
    std::unique_ptr<TPanel> panPieSectionHeader;
    std::unique_ptr<TPanel> imgIcon;
    std::unique_ptr<TLabel> txtWebFolderType;
    std::unique_ptr<TLabel> txtWebFolderName;
    std::unique_ptr<TPanel> panPieSectionSize;
    std::unique_ptr<TLabel> txtWebFolderSize;
    std::unique_ptr<TSimplePieGauge> gaugeWebSection;
    std::unique_ptr<TLabel> txtWebSectionDrive;
    std::unique_ptr<TLabel> txtWebSectionDriveSize;
    std::unique_ptr<TPanel> FolderPie;

    TFont LabelFontObject;  // before the bitmap, which has it selected
    std::unique_ptr<TGdiBitmap> Bitmap;
    std::unique_ptr<THPieChart> Chart;
    TSectionInfoList Infos;
    std::unique_ptr<TGdiCanvas> PaintBoxCanvas;  // Target: the paint box while it is being drawn on
    int32_t IconIndex = -1;                      // the header's shell icon
    int32_t GroupImage = -1;                     // or its group picture
    int DriveLabelWidth = 0;                     // 48 pixels unless the drive's size needs more
};
