#include "pie/win32/PieView.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "config/Options.h"
#include "controls/win32/Fonts.h"
#include "main/Pages.h"
#include "pie/SectionInfo.h"
#include "pie/win32/GroupPictures.h"
#include "pie/win32/PieTarget.h"
#include "pie/win32/SectionSizeBox.h"
#include "platform/win32/Win32ShellInfo.h"
#include "main/win32/PageHost.h"
#include "scan/DriveRecords.h"
#include "scan/FolderTree.h"
#include "scan/SizeText.h"

namespace {

// The page's measures at 96 DPI.
constexpr int kHeaderHeight = 41;
constexpr int kIconLeft = 6, kIconTop = 4, kIconSize = 32;
constexpr int kTypeLeft = 45, kTypeTop = 4;
constexpr int kNameLeft = 46, kNameTop = 20;
constexpr int kLabelHeight = 16;
constexpr int kSizeTop = 12, kSizeWidth = 59;
constexpr int kGaugeLeft = 66, kGaugeTop = 4;
constexpr int kDriveLeft = 100, kDriveTop = 7, kDriveSizeTop = 21, kDriveWidth = 48;
constexpr TColor kLime = 0x00FF00;

}  // namespace

TPieView::TPieView(TPanel& sheet, IPageHost& host, const TPageServices& services)
    : TPage(sheet, host, services), ShellAnswers(services.Shell) {
    const TPixelScale& scale = Services.Scale;
    DriveLabelWidth = scale(kDriveWidth);
    panPieChartSupport = std::make_unique<TPanel>(Sheet.Handle(), 0, WS_BORDER);
    panPieChartSupport->SetColor(kWindowColor);
    CreateHeader();
    FolderPie = std::make_unique<TPanel>(panPieChartSupport->Handle(), 0);
    FolderPie->SetColor(kWindowColor);
    FolderPie->OnPaint = [this](HDC dc, const RECT&) {
        BitBlt(dc, 0, 0, Bitmap->Width(), Bitmap->Height(), Bitmap->Dc(), 0, 0, SRCCOPY);
    };
    FolderPie->OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnPaintBoxMessage(message, wParam, lParam, result);
    };

    RECT client;
    GetClientRect(Sheet.Handle(), &client);
    LabelFontObject = MakeGuiFont(Services.Scale.DotsPerInch());
    Bitmap = std::make_unique<TGdiBitmap>(std::max(int(client.right), 1), std::max(int(client.bottom), 1));
    if (!Bitmap->IsValid()) throw std::runtime_error("pie bitmap");
    Bitmap->UseFont(LabelFont());
    Chart = std::make_unique<THPieChart>(&Bitmap->Canvas(), Bitmap->Width(), Bitmap->Height());
    Chart->Buffer = &Bitmap->Canvas();
    Chart->CloseCircle = true;
    Chart->MinTextAngle = Services.Options.MinTextSectionAngle;
}

TPieView::~TPieView() = default;

void TPieView::CreateHeader() {
    const TPixelScale& scale = Services.Scale;
    panPieSectionHeader = std::make_unique<TPanel>(panPieChartSupport->Handle(), 0);
    panPieSectionHeader->SetColor(kWindowColor);
    panPieSectionHeader->SetBottomLine(true);
    HWND header = panPieSectionHeader->Handle();
    imgIcon = std::make_unique<TPanel>(header, 0);
    imgIcon->SetColor(kWindowColor);
    imgIcon->SetBounds(scale(kIconLeft), scale(kIconTop), scale(kIconSize), scale(kIconSize));
    imgIcon->OnPaint = [this](HDC dc, const RECT& client) { PaintIcon(dc, client); };
    txtWebFolderType = std::make_unique<TLabel>(header, scale(kTypeLeft), scale(kTypeTop), 0, scale(kLabelHeight),
                                                Services.Fonts.Text);
    txtWebFolderName = std::make_unique<TLabel>(header, scale(kNameLeft), scale(kNameTop), 0, scale(kLabelHeight),
                                                Services.Fonts.Bold);

    panPieSectionSize = std::make_unique<TPanel>(header, 0);
    panPieSectionSize->SetColor(kWindowColor);
    HWND sizePanel = panPieSectionSize->Handle();
    txtWebFolderSize = std::make_unique<TLabel>(sizePanel, 0, scale(kSizeTop), scale(kSizeWidth), scale(kLabelHeight),
                                                Services.Fonts.Bold, TLabel::Right);
    gaugeWebSection = std::make_unique<TSimplePieGauge>(sizePanel, scale(kGaugeLeft), scale(kGaugeTop),
                                                        scale(kIconSize), scale(kIconSize));
    gaugeWebSection->SetBorderStyle(TGaugeBorderStyle::None);
    gaugeWebSection->SetForeColor(kLime);
    gaugeWebSection->SetColor(panPieSectionSize->Color());
    txtWebSectionDrive = std::make_unique<TLabel>(sizePanel, scale(kDriveLeft), scale(kDriveTop), scale(kDriveWidth),
                                                  scale(kLabelHeight), nullptr, TLabel::Centre);
    txtWebSectionDriveSize = std::make_unique<TLabel>(sizePanel, scale(kDriveLeft), scale(kDriveSizeTop),
                                                      scale(kDriveWidth), scale(kLabelHeight), nullptr, TLabel::Centre);
}

void TPieView::LayoutHeader(int width) {
    const TPixelScale& scale = Services.Scale;
    panPieSectionHeader->SetBounds(0, 0, width, scale(kHeaderHeight));
    // The drive labels widen the panel leftwards when a size does not fit.
    const int sizePanelWidth = scale(kDriveLeft) + DriveLabelWidth;
    const int sizeLeft = std::max(width - sizePanelWidth, 0);
    panPieSectionSize->SetBounds(sizeLeft, 0, sizePanelWidth, scale(kHeaderHeight) - 2);
    txtWebSectionDrive->SetBounds(scale(kDriveLeft), scale(kDriveTop), DriveLabelWidth, scale(kLabelHeight));
    txtWebSectionDriveSize->SetBounds(scale(kDriveLeft), scale(kDriveSizeTop), DriveLabelWidth, scale(kLabelHeight));
    txtWebFolderType->SetBounds(scale(kTypeLeft), scale(kTypeTop), sizeLeft - scale(kTypeLeft), scale(kLabelHeight));
    txtWebFolderName->SetBounds(scale(kNameLeft), scale(kNameTop), sizeLeft - scale(kNameLeft), scale(kLabelHeight));
}

void TPieView::Layout() {
    RECT sheet;
    GetClientRect(Sheet.Handle(), &sheet);
    panPieChartSupport->SetBounds(0, 0, sheet.right, sheet.bottom);
    RECT client;
    GetClientRect(panPieChartSupport->Handle(), &client);
    LayoutHeader(client.right);
    const int top = Services.Scale(kHeaderHeight);
    FolderPie->SetBounds(0, top, client.right, client.bottom - top);

    if (!IsWindowVisible(Host.OwnerWindow())) return;
    RECT box;
    GetClientRect(FolderPie->Handle(), &box);
    Chart->SetSize(box.right, box.bottom);
    const int width = std::max(int(box.right), 1), height = std::max(int(box.bottom), 1);
    if (Bitmap->Width() != width || Bitmap->Height() != height) {
        auto image = std::make_unique<TGdiBitmap>(width, height);
        if (image->IsValid()) {
            image->UseFont(LabelFont());
            Chart->SetCanvas(&image->Canvas());
            Chart->Buffer = &image->Canvas();
            Bitmap = std::move(image);
        }
    }
    TPieTarget target(*Chart, FolderPie->Handle());
    Chart->EndUpdate();
}

void TPieView::Fill(TFolderNode& node) {
    if (TSectionSizeBox* box = Host.SectionSizeBox()) box->SetVisible(Services.Options.PieSectionSizeWindow);
    ShowDrive();
    Layout();
    const std::string& current = Host.State().CurrentPath;
    if (current == PiePath && PieNode == &node) return;
    PieNode = &node;
    const TDriveList noDrives;
    const IFolderNavigator* navigator = Host.Navigator();
    TPieBuilder builder(*Chart, Infos, Services.FileSystem, navigator ? navigator->DriveRecords() : noDrives,
                        Services.Locale, *this);
    TPieTarget target(*Chart, FolderPie->Handle());
    builder.BuildPie(&node, PieBuildSettingsOf(Services.Options, Host.State().ClusterView));
}

void TPieView::ShowDrive() {
    const TMainFormState& state = Host.State();
    txtWebSectionDrive->SetText(state.CurrentDrive ? std::string("of ") + state.CurrentDrive + ":" : std::string());
    const std::string driveSize = FormatSize(state.DriveTotalBytes, Services.Locale);
    txtWebSectionDriveSize->SetText(driveSize);
    DriveLabelWidth = std::max(Services.Scale(kDriveWidth), txtWebSectionDriveSize->TextWidth(driveSize) + 4);
}

void TPieView::ApplyColors() {
    const TColorTable& colors = Services.Options.Colors;
    Chart->SetLabelColors(colors[kColorTextRectBackground], colors[kColorTextRectLines], colors[kColorText],
                          colors[kColorTextRectBackgroundHighlighted], colors[kColorTextRectLinesHighlighted],
                          colors[kColorTextHighlighted]);
    Chart->SetColors(colors[kColorPieBackground], colors[kColorPieLines], colors[kColorNormalFolder]);
    if (TSectionSizeBox* box = Host.SectionSizeBox()) box->ApplyGaugeColors(colors);
}

void TPieView::ResetHover() {
    Hovering.Reset(*Chart);
    ShellAnswers.Clear();
}

void TPieView::OnResolutionChanged(TPixelScale) {
    // The labels follow the rest of the window to the new scale.
    TFont font = MakeGuiFont(Services.Scale.DotsPerInch());
    if (font.Get()) {
        Bitmap->UseFont(static_cast<HFONT>(font.Get()));
        LabelFontObject = std::move(font);
    }
    Forget();
}

void TPieView::Forget() {
    PiePath.clear();
    PieNode = nullptr;
    Hovering.Reset(*Chart);
    DropPieNodes(*Chart, Infos);
}

void TPieView::NodesGoing(const TFolderNode& going) {
    // The wedges lead to the built folder's subfolders: they go with the
    // folder itself, an ancestor, or one of those subfolders.
    if (PieNode && (IsSameOrBelow(PieNode, going) || going.Parent == PieNode)) Forget();
}

void TPieView::PieBuilt() { PiePath = Host.State().CurrentPath; }

void TPieView::ShowItemHeader(const std::string& path, uint8_t kind, int64_t size, int64_t wasted) {
    const bool includeWasted = Services.Options.IncludeWastedInformation;
    const TItemHeader header = DescribePieItem(path, kind, size, wasted, includeWasted, Host.State().DriveTotalBytes,
                                               ShellAnswers, Services.Locale);
    if (TSectionSizeBox* box = Host.SectionSizeBox()) box->SetWasted(header.WastePercent, header.WasteText);
    Host.SetStatusText(0, header.StatusText);
    txtWebFolderSize->SetText(header.SizeText);
    gaugeWebSection->SetProgress(header.DrivePercent);
    if (header.ShellIcon != IconIndex || header.GroupImage != GroupImage) {
        IconIndex = header.ShellIcon;
        GroupImage = header.GroupImage;
        InvalidateRect(imgIcon->Handle(), nullptr, TRUE);
    }
    txtWebFolderType->SetText(header.TypeText);
    txtWebFolderName->SetText(header.NameText);
}

void TPieView::PaintIcon(HDC dc, const RECT& client) {
    if (GroupImage >= 0) {
        PaintGroupPicture(dc, client, GroupImage == 1);
    } else if (IconIndex >= 0) {
        if (HIMAGELIST icons = GetSystemImageList(false)) ImageList_Draw(icons, IconIndex, dc, 0, 0, ILD_TRANSPARENT);
    }
}
