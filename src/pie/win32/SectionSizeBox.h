#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "config/Options.h"
#include "platform/Canvas.h"
#include "platform/Registry.h"
#include "controls/PixelScale.h"
#include "platform/win32/GdiObjects.h"

class TSimplePieGauge;

// The pop-up menu's commands.
enum : int {
    popSectionBoxHide = 101,
    popSectionBoxDefaultSize = 102,
};

// "Wasted & Drive Info": a small floating tool window, kept above ordinary
// windows, that shows how much the pointed-at item wastes and how full the
// current drive is. Hidden after creation; closing it only hides it. Its
// bounds come from and go back to the registry section "PopUpBox" below the
// program's root key; they are stored when the window is destroyed, by this
// object or with its owner, so `registry` must outlive the window.
class TSectionSizeBox : public TBoundWindow {
public:
    // Throws std::runtime_error when the window cannot be created.
    TSectionSizeBox(HWND owner, IRegistry& registry);
    ~TSectionSizeBox() override;
    TSectionSizeBox(const TSectionSizeBox&) = delete;
    TSectionSizeBox& operator=(const TSectionSizeBox&) = delete;

    // Whether its bounds came from the registry; if not, the main window
    // places it beside itself at first start.
    bool HasStoredBounds() const { return StoredBounds; }
    void PlaceBeside(const TRect& mainWindow, const TRect& workArea);

    void SetWasted(int32_t percent, const std::string& text);
    void SetDrive(char letter, int32_t percent, const std::string& freeText, const std::string& capacityText);
    // Takes the gauges' colours from the colour table.
    void ApplyGaugeColors(const TColorTable& colors);

    bool Visible() const;
    // Shows without taking the focus from the main window.
    void SetVisible(bool visible);
    void SetDefaultSize();

    // Told after the user has hidden the window (close box or "&Hide"), so
    // the owner can turn its option and menu tick off.
    std::function<void()> OnUserHide;

    // What the window shows, for its owner's and the tests' checks.
    std::string WastedText() const;
    std::string DriveText() const;
    std::string FreeSpaceText() const;
    std::string CapacityText() const;
    const TSimplePieGauge& WastedGauge() const { return *GaugeWasted; }
    const TSimplePieGauge& FreeSpaceGauge() const { return *GaugeDriveFreeSpace; }
    HMENU PopupMenu() const { return Menu.Get(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND AddLabel(const char* text);
    void BuildPopupMenu();
    void MakeFonts();
    void ApplyFonts();
    void Layout();
    void PaintBevel(HDC dc);
    void ShowPopupMenu(LPARAM screenPoint);
    void HideByUser();
    void SaveBounds();

    IRegistry& Registry;
    // The window's resolution; the layout's and fonts' numbers are for 96 DPI.
    TPixelScale Scale;
    TFont FormFont;
    TFont PlainFont;
    TFont BoldFont;
    TFont DriveFont;
    TMenuHandle Menu;
    bool BoundsLoaded = false;
    bool StoredBounds = false;
    HWND capItemWastes = nullptr;
    HWND txtWasted = nullptr;
    HWND capOfUsedSpace = nullptr;
    HWND txtDrive = nullptr;
    HWND capFreeSpace = nullptr;
    HWND txtDriveFreeSpace = nullptr;
    HWND txtDriveCapacity = nullptr;
    std::unique_ptr<TSimplePieGauge> GaugeWasted;
    std::unique_ptr<TSimplePieGauge> GaugeDriveFreeSpace;
};
