#include "main/win32/FolderTreeView.h"

#include <string>
#include <unordered_map>

#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"

namespace {

const UINT_PTR kSubclassId = 0x51545256;  // any number unique among this window's subclasses

using TOrderMap = std::unordered_map<const TFolderNode*, size_t>;

// Puts the items in the order the model's children now have.
int CALLBACK CompareByModelOrder(LPARAM first, LPARAM second, LPARAM order) {
    const auto& positions = *reinterpret_cast<const TOrderMap*>(order);
    const auto a = positions.find(reinterpret_cast<const TFolderNode*>(first));
    const auto b = positions.find(reinterpret_cast<const TFolderNode*>(second));
    if (a == positions.end() || b == positions.end()) return 0;
    return a->second < b->second ? -1 : a->second > b->second ? 1 : 0;
}

}  // namespace

TFolderTreeView::TFolderTreeView(HWND tree, HWND notifyTarget, IShellInfo& shellInfo)
    : Tree(tree), NotifyTarget(notifyTarget), ShellInfo(shellInfo) {
    Subclassed = NotifyTarget &&
                 SetWindowSubclass(NotifyTarget, &TFolderTreeView::NotifyTargetProc, kSubclassId, DWORD_PTR(this));
}

TFolderTreeView::~TFolderTreeView() {
    if (Subclassed && IsWindow(NotifyTarget))
        RemoveWindowSubclass(NotifyTarget, &TFolderTreeView::NotifyTargetProc, kSubclassId);
}

void TFolderTreeView::NodeAdded(TFolderNode& node) {
    const std::wstring text = Widen(node.Text);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = node.Parent ? HTREEITEM(node.Parent->ViewItem) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = LPARAM(&node);
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    node.ViewItem = reinterpret_cast<void*>(SendMessageW(Tree, TVM_INSERTITEMW, 0, LPARAM(&insert)));
}

void TFolderTreeView::ChildrenSorted(TFolderNode& parent) {
    if (parent.Children.size() < 2 || !parent.ViewItem) return;
    TOrderMap positions;
    positions.reserve(parent.Children.size());
    for (size_t i = 0; i < parent.Children.size(); ++i) positions[parent.Children[i].get()] = i;
    TVSORTCB sort = {};
    sort.hParent = HTREEITEM(parent.ViewItem);
    sort.lpfnCompare = &CompareByModelOrder;
    sort.lParam = LPARAM(&positions);
    SendMessageW(Tree, TVM_SORTCHILDRENCB, 0, LPARAM(&sort));
}

void TFolderTreeView::NodeDeleting(TFolderNode& node) {
    if (!node.ViewItem) return;
    // The control removes the items below it with it.
    SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(node.ViewItem));
    node.ViewItem = nullptr;
}

TFolderNode* TFolderTreeView::NodeOf(HWND tree, HTREEITEM item) {
    if (!item) return nullptr;
    TVITEMW data = {};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&data))) return nullptr;
    return reinterpret_cast<TFolderNode*>(data.lParam);
}

TFolderNode* TFolderTreeView::SelectedNode() const {
    return NodeOf(Tree, HTREEITEM(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TFolderTreeView::Select(TFolderNode& node) {
    if (node.ViewItem) SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node.ViewItem));
}

void TFolderTreeView::AnswerDisplayInfo(NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TFolderNode*>(info.item.lParam);
    if (!node) return;
    if (info.item.mask & TVIF_IMAGE) {
        if (node->ImageIndex == -1) node->ImageIndex = ShellInfo.GetShellIconIndex(NodePath(node), false);
        info.item.iImage = node->ImageIndex;
    }
    if (info.item.mask & TVIF_SELECTEDIMAGE) {
        if (node->SelectedImageIndex == -1)
            node->SelectedImageIndex = ShellInfo.GetShellIconIndex(NodePath(node), true);
        info.item.iSelectedImage = node->SelectedImageIndex;
    }
    // Each item is asked once; the control keeps the answer.
    info.item.mask |= TVIF_DI_SETITEM;
}

LRESULT CALLBACK TFolderTreeView::NotifyTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR, DWORD_PTR self) {
    auto* view = reinterpret_cast<TFolderTreeView*>(self);
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == view->Tree && header->code == TVN_GETDISPINFOW) {
            view->AnswerDisplayInfo(*reinterpret_cast<NMTVDISPINFOW*>(lParam));
            return 0;
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
