#include "pie/win32/SectionSizeBox.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "config/Options.h"
#include "config/WindowPlacementStore.h"
#include "controls/win32/Fonts.h"
#include "controls/DialogPlacement.h"
#include "pie/SectionSizeLayout.h"
#include "pie/win32/SimplePieGauge.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowText.h"
#include "platform/win32/Win32WindowPlacement.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowDpi.h"

namespace {

const wchar_t kSectionSizeBoxClassName[] = L"QuarrymapSectionSizeBox";
const TColor kRed = 0x0000FF;
// Where the window opens before it has stored bounds of its own.
const int kDesignedLeft = 100;
const int kDesignedTop = 100;

TFontLook LookOf(const wchar_t* face, int pixelsAt96, int weight) {
    TFontLook look(face, TFontSize::Pixels(pixelsAt96), weight);
    look.PitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    return look;
}

void Place(HWND window, const TRect& rect) {
    if (window) MoveWindow(window, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, TRUE);
}

void Place(TSimplePieGauge* gauge, const TRect& rect) {
    if (gauge) gauge->SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

}  // namespace

TSectionSizeBox::TSectionSizeBox(HWND owner, IRegistry& registry) : Registry(registry) {
    // It opens on its owner's screen, at that screen's resolution.
    Scale = TPixelScale(WindowDpi(owner));
    CreateBound({kSectionSizeBoxClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                Scale(kDesignedLeft), Scale(kDesignedTop), Scale(kSectionSizeBoxDefaultWidth),
                Scale(kSectionSizeBoxDefaultHeight), owner, nullptr, Widen(kSectionSizeBoxCaption).c_str());
    if (!Window) throw std::runtime_error("cannot create the section size window");
    try {
        capItemWastes = AddLabel("Item wastes");
        txtWasted = AddLabel("");
        capOfUsedSpace = AddLabel("of used space");
        txtDrive = AddLabel("");
        capFreeSpace = AddLabel("Free space");
        txtDriveFreeSpace = AddLabel("");
        txtDriveCapacity = AddLabel("");
        GaugeWasted = std::make_unique<TSimplePieGauge>(Window, 0, 0);
        GaugeDriveFreeSpace = std::make_unique<TSimplePieGauge>(Window, 0, 0);
        for (TSimplePieGauge* gauge : {GaugeWasted.get(), GaugeDriveFreeSpace.get()}) {
            gauge->SetBorderStyle(TGaugeBorderStyle::None);
            gauge->SetForeColor(kRed);
        }
        MakeFonts();
        ApplyFonts();
        BuildPopupMenu();
    } catch (...) {
        DestroyWindow(Window);
        throw;
    }
    // Creation applies the system's minimum width before this window can
    // lower it, so the default size is set again now.
    SetDefaultSize();
    Layout();

    SetDrive('?', 0, "", "");
    SetWasted(0, "");
    TWin32WindowPlacement placement(Window);
    StoredBounds = HasStoredWindowBounds(Registry, kRegistryRoot, kSectionSizeBoxSection);
    LoadWindowBounds(Registry, placement, kRegistryRoot, kSectionSizeBoxSection);
    BoundsLoaded = true;
}

void TSectionSizeBox::PlaceBeside(const TRect& mainWindow, const TRect& workArea) {
    RECT now;
    GetWindowRect(Window, &now);
    const TRect bounds = FirstStartSideBounds(mainWindow, workArea, now.right - now.left, now.bottom - now.top);
    SetWindowPos(Window, nullptr, bounds.Left, bounds.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Its WM_DESTROY saves the bounds, so the window goes while this object is whole.
TSectionSizeBox::~TSectionSizeBox() { DestroyBound(); }

// Pixel heights at 96 DPI, taken at the window's resolution.
void TSectionSizeBox::MakeFonts() {
    FormFont = MakeFont(LookOf(L"MS Sans Serif", 11, FW_NORMAL), Scale);
    PlainFont = MakeFont(LookOf(L"Arial", 12, FW_NORMAL), Scale);
    BoldFont = MakeFont(LookOf(L"Arial", 12, FW_BOLD), Scale);
    DriveFont = MakeFont(LookOf(L"Arial", 13, FW_BOLD), Scale);
}

void TSectionSizeBox::ApplyFonts() {
    SendMessageW(Window, WM_SETFONT, WPARAM(FormFont.Get()), FALSE);
    for (HWND plain : {capItemWastes, capOfUsedSpace, capFreeSpace, txtDriveFreeSpace, txtDriveCapacity})
        SendMessageW(plain, WM_SETFONT, WPARAM(PlainFont.Get()), TRUE);
    SendMessageW(txtWasted, WM_SETFONT, WPARAM(BoldFont.Get()), TRUE);
    SendMessageW(txtDrive, WM_SETFONT, WPARAM(DriveFont.Get()), TRUE);
    for (TSimplePieGauge* gauge : {GaugeWasted.get(), GaugeDriveFreeSpace.get()}) gauge->SetFont(HFONT(FormFont.Get()));
}

HWND TSectionSizeBox::AddLabel(const char* text) {
    const HWND label =
        CreateWindowExW(0, L"STATIC", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0,
                        Window, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!label) throw std::runtime_error("cannot create a label of the section size window");
    return label;
}

void TSectionSizeBox::BuildPopupMenu() {
    Menu.Reset(CreatePopupMenu());
    if (!Menu) throw std::runtime_error("cannot create the section size window's menu");
    AppendMenuW(Menu.Get(), MF_STRING, popSectionBoxHide, L"&Hide");
    AppendMenuW(Menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(Menu.Get(), MF_STRING, popSectionBoxDefaultSize, L"&Default Size");
}

void TSectionSizeBox::SetWasted(int32_t percent, const std::string& text) {
    SetWindowTextW(txtWasted, Widen(text).c_str());
    GaugeWasted->SetProgress(percent);
}

void TSectionSizeBox::SetDrive(char letter, int32_t percent, const std::string& freeText,
                               const std::string& capacityText) {
    SetWindowTextW(txtDrive, Widen(SectionDriveCaption(letter)).c_str());
    SetWindowTextW(txtDriveFreeSpace, Widen(SectionFreeSpaceCaption(freeText)).c_str());
    SetWindowTextW(txtDriveCapacity, Widen(capacityText).c_str());
    GaugeDriveFreeSpace->SetProgress(percent);
}

void TSectionSizeBox::ApplyGaugeColors(const TColorTable& colors) {
    GaugeWasted->SetForeColor(colors[kColorSectionWasted]);
    GaugeDriveFreeSpace->SetForeColor(colors[kColorFreeSpace]);
}

bool TSectionSizeBox::Visible() const { return Window && IsWindowVisible(Window); }

void TSectionSizeBox::SetVisible(bool visible) {
    if (Window && visible != Visible()) ShowWindow(Window, visible ? SW_SHOWNA : SW_HIDE);
}

void TSectionSizeBox::SetDefaultSize() {
    if (Window)
        SetWindowPos(Window, nullptr, 0, 0, Scale(kSectionSizeBoxDefaultWidth), Scale(kSectionSizeBoxDefaultHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TSectionSizeBox::WastedText() const { return WindowTextOf(txtWasted); }
std::string TSectionSizeBox::DriveText() const { return WindowTextOf(txtDrive); }
std::string TSectionSizeBox::FreeSpaceText() const { return WindowTextOf(txtDriveFreeSpace); }
std::string TSectionSizeBox::CapacityText() const { return WindowTextOf(txtDriveCapacity); }

void TSectionSizeBox::Layout() {
    RECT client = {};
    GetClientRect(Window, &client);
    const TSectionSizeLayout layout = LayOutSectionSizeBox(client.right, client.bottom, Scale);
    Place(capItemWastes, layout.WastedTitle);
    Place(txtWasted, layout.WastedSize);
    Place(GaugeWasted.get(), layout.WastedGauge);
    Place(capOfUsedSpace, layout.WastedFooter);
    Place(txtDrive, layout.DriveTitle);
    Place(capFreeSpace, layout.FreeSpaceTitle);
    Place(GaugeDriveFreeSpace.get(), layout.FreeSpaceGauge);
    Place(txtDriveFreeSpace, layout.FreeSpace);
    Place(txtDriveCapacity, layout.Capacity);
    InvalidateRect(Window, nullptr, TRUE);
}

void TSectionSizeBox::PaintBevel(HDC dc) {
    RECT client = {};
    GetClientRect(Window, &client);
    const TRect bevel = LayOutSectionSizeBox(client.right, client.bottom, Scale).Bevel;
    RECT line = {bevel.Left, bevel.Top, bevel.Right, bevel.Bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_BOTTOM);
}

void TSectionSizeBox::ShowPopupMenu(LPARAM screenPoint) {
    POINT at = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == LPARAM(-1)) {  // from the keyboard: open at the window's corner
        at = POINT{0, 0};
        ClientToScreen(Window, &at);
    }
    TrackPopupMenu(Menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Window, nullptr);
}

void TSectionSizeBox::HideByUser() {
    ShowWindow(Window, SW_HIDE);
    if (OnUserHide) OnUserHide();
}

void TSectionSizeBox::SaveBounds() {
    // A window that never got its stored bounds must not overwrite them.
    if (!BoundsLoaded) return;
    try {
        TWin32WindowPlacement placement(Window);
        SaveWindowBounds(Registry, placement, kRegistryRoot, kSectionSizeBoxSection);
    } catch (const std::exception&) {
        // The window is going away at program end; losing its bounds is all that happens.
    }
}

LRESULT TSectionSizeBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: Layout(); return 0;
        case kDpiChangedMessage: {
            // Moved to a screen of another scaling: new fonts, then the
            // suggested size, whose WM_SIZE lays the window out again.
            Scale = TPixelScale(HIWORD(wParam));
            TFont form = std::move(FormFont), plain = std::move(PlainFont), bold = std::move(BoldFont),
                  drive = std::move(DriveFont);  // the controls hold them until the new ones are set
            MakeFonts();
            ApplyFonts();
            MoveToSuggestedRect(Window, lParam);
            Layout();
            return 0;
        }
        case WM_GETMINMAXINFO: {
            // Captioned windows have a system minimum width; let the default size through.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = std::min<LONG>(limits->ptMinTrackSize.x, Scale(kSectionSizeBoxDefaultWidth));
            return 0;
        }
        case WM_PAINT: {
            const TPaintDc paint(Window);
            PaintBevel(paint.Get());
            return 0;
        }
        case WM_CONTEXTMENU:
            // The caption and the frame keep the window's own system menu.
            if (lParam != LPARAM(-1) && SendMessageW(Window, WM_NCHITTEST, 0, lParam) != HTCLIENT) break;
            ShowPopupMenu(lParam);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case popSectionBoxHide: SendMessageW(Window, WM_CLOSE, 0, 0); return 0;
                case popSectionBoxDefaultSize: SetDefaultSize(); return 0;
                default: break;
            }
            break;
        case WM_CLOSE: HideByUser(); return 0;
        case WM_DESTROY:
            SaveBounds();
            // The labels go with this window; no later call may reach a reused handle.
            capItemWastes = txtWasted = capOfUsedSpace = txtDrive = nullptr;
            capFreeSpace = txtDriveFreeSpace = txtDriveCapacity = nullptr;
            return 0;
        default: break;
    }
    return DefWindowProcW(Window, message, wParam, lParam);
}
