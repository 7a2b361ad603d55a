#include "cleanup/win32/CleanUpPage.h"

#include <commctrl.h>

#include <algorithm>

#include "cleanup/win32/CleanUpPictures.h"
#include "main/win32/PageHost.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellFileOperation.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowText.h"
#include "scan/FolderTree.h"

namespace {

// The page's measures at 96 DPI. The panels stay low, so that the hint
// keeps room for its lines below them in a window of the default size.
constexpr int kMargin = 8;
constexpr int kPathTop = 8, kPathHeight = 16;
constexpr int kItemsTop = 32;
constexpr int kItemWidth = 400, kItemHeight = 30, kItemGap = 4;
constexpr int kIconLeft = 8;
constexpr int kCaptionLeft = 34, kCaptionWidth = 220, kCaptionHeight = 16;
constexpr int kHintGap = 8, kHintMinHeight = 48;

// The folder's waste as the views show it and at the seven table sizes.
TMoveFolderRequest MoveRequestOf(const TFolderNode& node, const std::string& path, int clusterView) {
    TMoveFolderRequest request;
    request.SourcePath = path;
    request.WastedShown = ViewTreeWasted(*node.Record, clusterView);
    for (int k = 1; k <= kClusterSizeCount; ++k) request.WastedAt[size_t(k - 1)] = WastedAt(*node.Record, k);
    return request;
}

}  // namespace

TCleanUpPage::TCleanUpPage(TPanel& sheet, IPageHost& host, const TPageServices& services,
                           IShellFileOperation& shellFiles, IMessageBoxes& messageBoxes)
    : TPage(sheet, host, services),
      ShellFiles(shellFiles),
      MessageBoxes(messageBoxes),
      Pictures(CreateCleanUpPictures(services.Scale)) {
    const TPixelScale& scale = Services.Scale;
    txtWebCleanPath = std::make_unique<TLabel>(Sheet.Handle(), scale(kMargin), scale(kPathTop), 0, scale(kPathHeight),
                                               Services.Fonts.Bold);
    for (const TCleanUpItem& item : kCleanUpItems) CreateItem(item);
    ediCleanMenuHint = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_CENTER,
                                       0, 0, 0, 0, Sheet.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!ediCleanMenuHint) throw std::runtime_error("clean-up hint");
    SendMessageW(ediCleanMenuHint, WM_SETFONT, WPARAM(Services.Fonts.Text), FALSE);
    ShowHint(0);
}

TCleanUpPage::~TCleanUpPage() = default;

void TCleanUpPage::CreateItem(const TCleanUpItem& description) {
    const TPixelScale& scale = Services.Scale;
    TItem& item = Items[size_t(description.Action)];
    item.HintTag = description.HintTag;
    item.Panel = std::make_unique<TSensitivePanel>(Sheet.Handle(), 0, 0, scale(kItemWidth), scale(kItemHeight));
    TSensitivePanel& panel = *item.Panel;
    panel.SetColor(GetSysColor(COLOR_BTNFACE));
    panel.SetFontColor(kBlack);
    panel.SetFont(Services.Fonts.Text);
    panel.SetAlignment(TPanelAlignment::Right);
    panel.SetCaption(description.Shortcut);

    item.Icon = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, 0, 0, 0, 0,
                                panel.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    item.Caption = std::make_unique<TLabel>(panel.Handle(), 0, 0, 0, 0, Services.Fonts.Bold);
    item.Caption->SetText(description.Caption);
    ShowItemPicture(item, description.Action);

    const TCleanUpAction action = description.Action;
    panel.OnSensitiveActivate = [this, &item](TSensitivePanel&, TPanelMessage&) { Highlight(item, true); };
    panel.OnSensitiveDeactivate = [this, &item](TSensitivePanel&, TPanelMessage&) { Highlight(item, false); };
    panel.OnClick = [this, action](TSensitivePanel&) { Run(action); };
}

// The picture and the caption inside the panel, at the page's scale.
void TCleanUpPage::ShowItemPicture(TItem& item, TCleanUpAction action) {
    const TPixelScale& scale = Services.Scale;
    TIconHandle picture(Pictures.Get() ? ImageList_GetIcon(Pictures.Get(), int(action), ILD_NORMAL) : nullptr);
    const int size = scale(kCleanUpPictureSize);
    if (item.Icon) {
        MoveWindow(item.Icon, scale(kIconLeft), (scale(kItemHeight) - size) / 2, size, size, TRUE);
        SendMessageW(item.Icon, STM_SETICON, WPARAM(picture.Get()), 0);
    }
    item.Picture = std::move(picture);  // the control shows the new one now
    item.Caption->SetBounds(scale(kCaptionLeft), (scale(kItemHeight) - scale(kCaptionHeight)) / 2, scale(kCaptionWidth),
                            scale(kCaptionHeight));
}

void TCleanUpPage::OnResolutionChanged(TPixelScale) {
    // The panels show icons copied out of the list, so it can go at once.
    Pictures.Reset(CreateCleanUpPictures(Services.Scale));
    for (const TCleanUpItem& description : kCleanUpItems)
        ShowItemPicture(Items[size_t(description.Action)], description.Action);
}

void TCleanUpPage::Highlight(TItem& item, bool on) {
    const COLORREF color = GetSysColor(on ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    // Only a change repaints: the pointer moving inside a lit panel does not.
    if (item.Panel->Color() == color) return;
    item.Panel->SetColor(color);
    item.Panel->SetFontColor(on ? kWhite : kBlack);
    ShowHint(on ? item.HintTag : 0);
}

void TCleanUpPage::ShowHint(int tag) { SetWindowTextOf(ediCleanMenuHint, CleanUpHint(tag)); }

std::string TCleanUpPage::HintText() const { return WindowTextOf(ediCleanMenuHint); }

void TCleanUpPage::Fill(TFolderNode& node) {
    ShownPath = NodePath(&node);
    for (TItem& item : Items) Highlight(item, false);
    ShowHint(0);
    Layout();
}

void TCleanUpPage::Layout() {
    const TPixelScale& scale = Services.Scale;
    RECT client = {};
    GetClientRect(Sheet.Handle(), &client);
    const int width = client.right - client.left;
    txtWebCleanPath->SetBounds(scale(kMargin), scale(kPathTop), std::max(0, width - 2 * scale(kMargin)),
                               scale(kPathHeight));
    txtWebCleanPath->SetPath(ShownPath, std::max(0, width - 2 * scale(kMargin)));
    // The column is centred, and narrower than its design when the sheet is.
    const int itemWidth =
        std::max(scale(kCaptionLeft + kCaptionWidth), std::min(scale(kItemWidth), width - 2 * scale(kMargin)));
    const int left = std::max(scale(kMargin), (width - itemWidth) / 2);
    int top = scale(kItemsTop);
    for (TItem& item : Items) {
        item.Panel->SetBounds(left, top, itemWidth, scale(kItemHeight));
        top += scale(kItemHeight) + scale(kItemGap);
    }
    const int hintTop = top - scale(kItemGap) + scale(kHintGap);
    const int hintHeight = std::max(scale(kHintMinHeight), int(client.bottom) - hintTop - scale(kMargin));
    MoveWindow(ediCleanMenuHint, left, hintTop, itemWidth, hintHeight, TRUE);
}

void TCleanUpPage::Run(TCleanUpAction action) {
    TFolderNode* node = Host.State().CurrentNode;
    // A drive's root is never removed, and a running scan holds the
    // folders it walks.
    if (!node || !node->Parent || !node->Record || Host.State().Scanning) return;
    // As every command does: the drive must answer, and a folder that left
    // the disk leaves the tree (the node is gone then) instead.
    IFolderNavigator* navigator = Host.Navigator();
    if (navigator && (!navigator->CheckDriveReady(*node) || navigator->RemoveIfVanished(*node))) return;
    const std::string path = Host.State().CurrentPath;
    // The disk decides, not the tree: what the path names now must be the
    // folder itself, reachable by the shell and the libraries.
    const TFolderRefusal onDisk = CheckFolderOnDisk(path, Services.FileSystem);
    const TFolderRefusal refusal = CleanUpRefusal(action, onDisk);
    if (refusal != TFolderRefusal::None) {
        MessageBoxes.Show(kProductName, FolderRefusalText(refusal, path, CleanUpActionDone(action)), TMsgButtons::Ok,
                          TMsgIcon::Warning);
        return;
    }
    switch (action) {
        case TCleanUpAction::Recycle:
        case TCleanUpAction::Delete:
            if (onDisk == TFolderRefusal::FolderLink)
                RemoveLink();
            else
                RemoveFolder(action == TCleanUpAction::Recycle);
            return;
        case TCleanUpAction::Move: {
            std::string movedTo;
            if (Dialogs && Dialogs->MoveFolder(MoveRequestOf(*node, path, Host.State().ClusterView), movedTo))
                AfterMove(*node, path, movedTo);
            return;
        }
        case TCleanUpAction::Archive:
            // The archive dialog may have deleted the folder whatever it says.
            if (Dialogs) {
                Dialogs->ArchiveFolder(*node, path);
                AfterAction(*node);
            }
            return;
    }
}

void TCleanUpPage::RemoveFolder(bool toRecycleBin) {
    TFolderNode& node = *Host.State().CurrentNode;
    // Whatever the shell answers, the disk decides what leaves the tree:
    // a refusal, a cancel or a failure part-way leaves the folder there.
    ShellFiles.Run(FolderRemovalRequest(Host.State().CurrentPath, toRecycleBin, Host.OwnerWindow()));
    AfterAction(node);
}

// The shell would delete through the link into the folder it points to.
void TCleanUpPage::RemoveLink() {
    TFolderNode& node = *Host.State().CurrentNode;
    const std::string path = Host.State().CurrentPath;
    if (MessageBoxes.Show(kProductName, RemoveLinkQuestion(path), TMsgButtons::YesNoDefaultNo, TMsgIcon::Question) !=
        TMsgResult::Yes)
        return;
    std::string reason;
    if (!ShellFiles.RemoveFolderLink(path, reason))
        MessageBoxes.Show(kProductName, LinkNotRemovedText(path, reason), TMsgButtons::Ok, TMsgIcon::Error);
    AfterAction(node);
}

// The source leaves the tree when it went; what is left of it, and the
// scanned folder nearest to where its contents went, are measured again,
// so the drives' totals stay those of a fresh scan.
void TCleanUpPage::AfterMove(TFolderNode& node, const std::string& sourcePath, const std::string& target) {
    IFolderNavigator* navigator = Host.Navigator();
    if (!navigator) return;
    if (!navigator->RemoveIfVanished(node)) navigator->RescanNearest(sourcePath);
    if (!target.empty()) navigator->RescanNearest(target);
}

void TCleanUpPage::AfterAction(TFolderNode& node) {
    if (IFolderNavigator* navigator = Host.Navigator()) navigator->RemoveIfVanished(node);
}
