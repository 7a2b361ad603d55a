#include "main/win32/IntroLetterBox.h"

#include <commctrl.h>

#include <stdexcept>

#include "../res/InfoBoxIds.h"
#include "controls/ShellOpenReport.h"
#include "controls/Url.h"
#include "controls/win32/CenterOverMainWindow.h"
#include "controls/win32/Fonts.h"
#include "controls/win32/WindowRescale.h"
#include "main/AboutTexts.h"
#include "main/win32/Artwork.h"
#include "platform/win32/WindowDpi.h"
#include "platform/ShellOpen.h"
#include "platform/win32/WideString.h"
#include "scan/PathUtils.h"

namespace {

// The designed places, in pixels of the client area.
const int kMargin = 8;
const int kBannerWidth = 385;
const int kBannerHeight = 37;
const RECT kWhiteStrip = {kMargin, kMargin, TIntroLetterBox::kClientWidth - kMargin, kMargin + kBannerHeight + 8};
const int kMemoTop = kWhiteStrip.bottom + 6;
const int kButtonTop = 330;
const int kButtonHeight = 25;

}  // namespace

void RunIntroLetterBox(const TInfoBoxServices& services, HWND owner, bool keyPreview) {
    TIntroLetterBox box(services, keyPreview);
    services.ModalRunner.Run(box, owner);
}

TIntroLetterBox::TIntroLetterBox(const TInfoBoxServices& services, bool keyPreview)
    : TDialog(IDD_INTRO_LETTER), Services(services), KeyPreview(keyPreview) {}

TIntroLetterBox::~TIntroLetterBox() = default;

HWND TIntroLetterBox::Memo() const { return Item(IDC_LETTER_MEMO); }

bool TIntroLetterBox::OnInitDialog() {
    Scale = TPixelScale(WindowDpi(Handle()));
    DialogFont.Opened(Handle(), Scale.DotsPerInch());
    SetDialogClientSize(Handle(), Scale(kClientWidth), Scale(kClientHeight));
    try {
        CreateControls();
    } catch (const std::runtime_error&) {
        // Whatever could be made is shown; the buttons that exist still close it.
    }
    CenterOverMainWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    return false;
}

void TIntroLetterBox::CreateControls() {
    const HWND self = Handle();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HFONT dialogFont = DialogFont.Font();
    // Places in 96-DPI pixels, made at the letter's resolution.
    auto make = [&](const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int left, int top,
                    int width, int height, int id, HFONT font) {
        const HWND control =
            CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, Scale(left), Scale(top),
                            Scale(width), Scale(height), self, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        if (!control) throw std::runtime_error("letter control");
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
        return control;
    };

    // The letter reads as it was written: no word wrap, a vertical bar.
    MemoFont = MakeFont({L"MS Sans Serif", TFontSize::Points(10)}, Scale);
    const HWND memo = make(L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                           WS_EX_CLIENTEDGE, kMargin, kMemoTop, kClientWidth - 2 * kMargin, kButtonTop - 10 - kMemoTop,
                           IDC_LETTER_MEMO, MemoFont.Get() ? MemoFont.Get() : dialogFont);
    SetWindowTextW(memo, Widen(IntroLetterText()).c_str());
    // The memo would swallow Esc; the letter sees it first.
    MemoHook.Hook(memo, [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (!(message == WM_KEYDOWN && wParam == VK_ESCAPE) && !(message == WM_CHAR && wParam == 27)) return false;
        if (message == WM_KEYDOWN && KeyPreview) Close(IDCANCEL);
        result = 0;
        return true;
    });

    const int continueWidth = 90;
    const int wideButton = 130;
    make(L"BUTTON", L"Complete the survey", BS_PUSHBUTTON | WS_TABSTOP, 0, kMargin + 4, kButtonTop, wideButton,
         kButtonHeight, IDC_LETTER_SURVEY, dialogFont);
    make(L"BUTTON", L"Visit our Web site", BS_PUSHBUTTON | WS_TABSTOP, 0, kMargin + 4 + wideButton + 8, kButtonTop,
         wideButton, kButtonHeight, IDC_LETTER_WEB_SITE, dialogFont);
    const HWND continueButton =
        make(L"BUTTON", L"Continue", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kClientWidth - kMargin - 4 - continueWidth,
             kButtonTop, continueWidth, kButtonHeight, IDOK, dialogFont);
    SetFocus(continueButton);
}

bool TIntroLetterBox::OnDpiChanged(int dpi, LPARAM suggested) {
    const int oldDpi = Scale.DotsPerInch();
    if (dpi <= 0 || dpi == oldDpi) return true;
    // The old fonts stay alive until no control uses them.
    const HFONT oldDialog = DialogFont.Font();
    const TFont oldDialogCopy = DialogFont.Rescale(dpi);
    const TFont oldMemo = std::move(MemoFont);
    Scale = TPixelScale(dpi);
    MemoFont = MakeFont({L"MS Sans Serif", TFontSize::Points(10)}, TPixelScale(dpi));
    RescaleDialog(Handle(), oldDpi, dpi, {{oldMemo.Get(), MemoFont.Get()}, {oldDialog, DialogFont.Font()}}, suggested,
                  {Scale(kClientWidth), Scale(kClientHeight)});
    return true;
}

void TIntroLetterBox::OnCancel() {
    // Esc: only when the letter previews the keys.
    if (KeyPreview) Close(IDCANCEL);
}

bool TIntroLetterBox::OnCommand(int id, int notifyCode, HWND) {
    static const TCommandRoute<TIntroLetterBox> routes[] = {
        {IDC_LETTER_SURVEY, BN_CLICKED, &TIntroLetterBox::SurveyClick},
        {IDC_LETTER_WEB_SITE, BN_CLICKED, &TIntroLetterBox::WebSiteClick},
    };
    return RouteCommand(*this, routes, id, notifyCode);
}

void TIntroLetterBox::SurveyClick() {
    OpenOrSay(Services.Shell, Services.MessageBoxes, ParentFolderPath(Services.ProgramPath) + "\\" + kSurveyFileName);
}

void TIntroLetterBox::WebSiteClick() {
    TURL link(Services.Shell);
    link.URL = kMakerWebSite;
    link.URLType = TURLType::utHttp;
    OpenOrSay(Services.Shell, Services.MessageBoxes, link.FullAddress(), "", kShowNoActivate);
}

bool TIntroLetterBox::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_PAINT) return false;
    Paint();
    result = 0;
    return true;
}

// The raised panel around everything, and the banner centred on white.
void TIntroLetterBox::Paint() {
    const TPaintDc paint(Handle());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(Handle(), &client);
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    const RECT strip = {Scale(kWhiteStrip.left), Scale(kWhiteStrip.top), Scale(kWhiteStrip.right),
                        Scale(kWhiteStrip.bottom)};
    FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // The banner lays itself out for the size it is given.
    const int width = Scale(kBannerWidth);
    const int height = Scale(kBannerHeight);
    const int left = (strip.left + strip.right - width) / 2;
    const int top = (strip.top + strip.bottom - height) / 2;
    const RECT banner = {left, top, left + width, top + height};
    PaintSponsorBanner(dc, banner, Scale);
}
