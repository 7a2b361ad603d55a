#pragma once
#include <windows.h>

#include <memory>

#include "controls/PixelScale.h"

#include "controls/win32/Dialog.h"
#include "controls/win32/Fonts.h"
#include "controls/win32/Label.h"
#include "controls/win32/ToolTips.h"
#include "controls/win32/VersionLabel.h"
#include "main/AboutTexts.h"
#include "main/HelpTopics.h"
#include "main/win32/InfoBoxServices.h"
#include "platform/win32/GdiObjects.h"

// Shows the about box modally over `owner`.
void RunAboutBox(const TInfoBoxServices& services, HWND owner);

// "About Quarrymap 2000": the maker, the product name (a link to its web
// page), the version and build, the legal notice, OK and "&Support".
// Ctrl+Alt+F9 on "&Support" shows a message kept enciphered until then.
class TAboutBox : public TDialog {
public:
    explicit TAboutBox(const TInfoBoxServices& services);
    ~TAboutBox() override;

    const TVersionLabel* BuildLabel() const { return txtBuild.get(); }
    std::string ProductTip() const;
    HWND ProductLabel() const { return txtProduct ? txtProduct->Handle() : nullptr; }

    static constexpr int kClientWidth = 385;
    static constexpr int kClientHeight = 359;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    // "&Support" and F1 open the support topic.
    int HelpContext() const override { return kSupportHelpContext; }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Scales its fonts made in code with everything else.
    bool OnDpiChanged(int dpi, LPARAM suggested) override;

private:
    void MakeFonts();
    void CreateControls();

    // `left` in 96-DPI pixels, like every place of the layout.
    HWND MakeButton(const wchar_t* caption, int id, int left, bool isDefault);
    void OpenProductPage();
    void ShowHiddenMessage();

    const TInfoBoxServices& Services;
    THelpTopics Help;
    // The box's resolution; the layout's numbers are for 96 DPI.
    TPixelScale Scale;
    TDialogFont DialogFont;
    TFont MakerFont;
    TFont ProductFont;
    TFont TrademarkFont;
    TFont VersionFont;
    std::unique_ptr<TLabel> txtMaker;
    std::unique_ptr<TLabel> txtProduct;
    std::unique_ptr<TLabel> txtTrademark;
    std::unique_ptr<TLabel> txtMajorVersion;
    std::unique_ptr<TVersionLabel> txtBuild;
    std::unique_ptr<TLabel> txtDescription;
    std::unique_ptr<TLabel> txtLegal;
    std::unique_ptr<TToolTips> Tips;
    HWND SupportButton = nullptr;
    TControlHook SupportHook;
};
