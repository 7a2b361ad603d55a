#include "main/win32/AboutBox.h"

#include <commctrl.h>

#include <stdexcept>

#include "../res/InfoBoxIds.h"
#include "controls/ShellOpenReport.h"
#include "controls/Url.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "controls/win32/Fonts.h"
#include "controls/win32/WindowRescale.h"
#include "platform/win32/WindowDpi.h"
#include "main/AboutTexts.h"
#include "main/HelpTopics.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellOpen.h"
#include "scan/PathUtils.h"

namespace {

// The designed places, in pixels of the client area.
const int kLeft = 24;
const int kTextWidth = TAboutBox::kClientWidth - 2 * kLeft;
const int kButtonWidth = 75;
const int kButtonHeight = 25;
const int kButtonTop = 316;

const char kDescription[] =
    "Quarrymap 2000 shows where the space on your disks has gone: how much each folder holds, how much of "
    "the disk it really occupies, and how much is lost to cluster slack, at the drive's own cluster size "
    "and at seven others, so you can tell what a different format would save.";

}  // namespace

void RunAboutBox(const TInfoBoxServices& services, HWND owner) {
    TAboutBox box(services);
    services.ModalRunner.Run(box, owner);
}

TAboutBox::TAboutBox(const TInfoBoxServices& services)
    : TDialog(IDD_ABOUT_BOX, &Help),
      Services(services),
      Help(services.Shell, services.MessageBoxes, services.FileSystem, services.ProgramPath) {}

TAboutBox::~TAboutBox() = default;

std::string TAboutBox::ProductTip() const { return Tips && txtProduct ? Tips->Tip(txtProduct->Handle()) : ""; }

bool TAboutBox::OnInitDialog() {
    // Laid out in pixels of a 96-DPI screen, measured at the box's own.
    Scale = TPixelScale(WindowDpi(Handle()));
    DialogFont.Opened(Handle(), Scale.DotsPerInch());
    MakeFonts();
    SetDialogClientSize(Handle(), Scale(kClientWidth), Scale(kClientHeight));
    try {
        CreateControls();
    } catch (const std::runtime_error&) {
        // Whatever could be made is shown; OK and Esc still close the box.
    }
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    return false;  // OK has the focus
}

HWND TAboutBox::MakeButton(const wchar_t* caption, int id, int left, bool isDefault) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    const HWND button = CreateWindowExW(0, L"BUTTON", caption, style, Scale(left), Scale(kButtonTop),
                                        Scale(kButtonWidth), Scale(kButtonHeight), Handle(),
                                        reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    if (!button) throw std::runtime_error("button");
    SendMessageW(button, WM_SETFONT, WPARAM(DialogFont.Font()), FALSE);
    return button;
}

void TAboutBox::MakeFonts() {
    MakerFont = MakeFont({L"Arial", TFontSize::Points(11), FW_BOLD}, Scale);
    ProductFont = MakeFont({L"Arial", TFontSize::Points(18), FW_BOLD}, Scale);
    TrademarkFont = MakeFont({L"Arial", TFontSize::Points(7), FW_BOLD}, Scale);
    VersionFont = MakeFont({L"Arial", TFontSize::Points(10), FW_BOLD}, Scale);
}

bool TAboutBox::OnDpiChanged(int dpi, LPARAM suggested) {
    const int oldDpi = Scale.DotsPerInch();
    if (dpi <= 0 || dpi == oldDpi) return true;
    // The old fonts stay alive until no control uses them.
    const HFONT oldDialog = DialogFont.Font();
    TFont oldFonts[] = {std::move(MakerFont), std::move(ProductFont), std::move(TrademarkFont), std::move(VersionFont),
                        DialogFont.Rescale(dpi)};
    Scale = TPixelScale(dpi);
    MakeFonts();
    RescaleDialog(Handle(), oldDpi, dpi,
                  {{oldFonts[0].Get(), MakerFont.Get()},
                   {oldFonts[1].Get(), ProductFont.Get()},
                   {oldFonts[2].Get(), TrademarkFont.Get()},
                   {oldFonts[3].Get(), VersionFont.Get()},
                   {oldDialog, DialogFont.Font()}},
                  suggested, {Scale(kClientWidth), Scale(kClientHeight)});
    return true;
}

void TAboutBox::CreateControls() {
    const HWND self = Handle();
    const HFONT dialogFont = DialogFont.Font();

    const int left = Scale(kLeft);
    const int textWidth = Scale(kTextWidth);
    txtMaker = std::make_unique<TLabel>(self, left, Scale(20), textWidth, Scale(20), MakerFont.Get());
    txtMaker->SetText(kMakerName);

    // The product name takes clicks: it opens the product's web page.
    // Text widths are measured in the scaled font, so they are pixels already.
    const int productWidth = int(TextExtent(ProductFont.Get(), L"Quarrymap 2000").cx) + Scale(2);
    txtProduct =
        std::make_unique<TLabel>(self, left, Scale(46), productWidth, Scale(32), ProductFont.Get(), TLabel::Left, true);
    txtProduct->SetText("Quarrymap 2000");
    txtTrademark = std::make_unique<TLabel>(self, left + productWidth + Scale(1), Scale(48), Scale(20), Scale(14),
                                            TrademarkFont.Get());
    txtTrademark->SetText("TM");
    Tips = std::make_unique<TToolTips>(self);
    Tips->SetTip(txtProduct->Handle(), kProductLinkTip);

    const int versionWidth = int(TextExtent(VersionFont.Get(), L"Version 2.1").cx) + Scale(2);
    txtMajorVersion = std::make_unique<TLabel>(self, left, Scale(92), versionWidth, Scale(18), VersionFont.Get());
    txtMajorVersion->SetText(kMajorVersion);
    txtBuild = std::make_unique<TVersionLabel>(self, left + versionWidth + Scale(12), Scale(95), Services.Version);
    // The field first: choosing it brings its own prefix along.
    txtBuild->SetVersionResource(TVersionResource::vrFileVersion);
    txtBuild->SetVersionResourceKey("FileVersion");
    txtBuild->SetInfoPrefix(kBuildPrefix);

    txtDescription = std::make_unique<TLabel>(self, left, Scale(132), textWidth, Scale(100), dialogFont);
    txtDescription->SetWordWrap(true);
    txtDescription->SetText(kDescription);

    // The 2-pixel line: an etched frame is two pixels high.
    const HWND line =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, left, Scale(262), textWidth, 2, self,
                        reinterpret_cast<HMENU>(INT_PTR(IDC_ABOUT_LINE)), GetModuleHandleW(nullptr), nullptr);
    if (!line) throw std::runtime_error("line");
    txtLegal = std::make_unique<TLabel>(self, left, Scale(274), textWidth, Scale(30), dialogFont);
    txtLegal->SetWordWrap(true);
    txtLegal->SetText(kLegalNotice);

    const int okLeft = kClientWidth - kLeft - kButtonWidth;
    SupportButton = MakeButton(L"&Support", IDC_ABOUT_SUPPORT, okLeft - 8 - kButtonWidth, false);
    // Ctrl+Alt+F9 reaches "&Support" as a system key (Alt is down) while it
    // has the focus.
    SupportHook.Hook(SupportButton, [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if ((message != WM_SYSKEYDOWN && message != WM_KEYDOWN) || wParam != VK_F9 || GetKeyState(VK_CONTROL) >= 0 ||
            GetKeyState(VK_MENU) >= 0)
            return false;
        ShowHiddenMessage();
        result = 0;
        return true;
    });
    SetFocus(MakeButton(L"OK", IDOK, okLeft, true));
}

bool TAboutBox::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_ABOUT_SUPPORT && notifyCode == BN_CLICKED) {
        OnHelp();
        return true;
    }
    if (txtProduct && control == txtProduct->Handle() && notifyCode == STN_CLICKED) {
        OpenProductPage();
        return true;
    }
    return false;
}

bool TAboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message == WM_SETCURSOR && txtProduct && reinterpret_cast<HWND>(wParam) == txtProduct->Handle()) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        result = TRUE;
        return true;
    }
    return false;
}

void TAboutBox::OpenProductPage() {
    TURL link(Services.Shell);
    link.URL = kProductWebPage;
    link.URLType = TURLType::utHttp;
    OpenOrSay(Services.Shell, Services.MessageBoxes, link.FullAddress(), "", kShowNoActivate);
}

void TAboutBox::ShowHiddenMessage() {
    Services.MessageBoxes.Show("Quarrymap 2000", HiddenMessage(), TMsgButtons::Ok, TMsgIcon::Information);
}
