#include "main/win32/FolderTreeView.h"

#include <vector>

#include <windowsx.h>

#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"

namespace {

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

TFolderTreeView::TFolderTreeView(HWND tree, IShellInfo& shellInfo, IFolderTreeEvents* events)
    : Tree(tree), ShellInfo(shellInfo), Events(events) {
    // Bound as every control is, for its notifications; the main window owns it.
    BindControl(tree, false, false);
    // Its own messages come the classic way rather than through the common
    // subclassing: a scan sends the tree a message for every folder, and
    // Wine's SetWindowSubclass looks its chain up through a window property,
    // a server round trip, on every message.
    if (Tree && !GetWindowLongPtrW(Tree, GWLP_USERDATA)) {
        SetWindowLongPtrW(Tree, GWLP_USERDATA, LONG_PTR(this));
        OriginalTreeProc = WNDPROC(SetWindowLongPtrW(Tree, GWLP_WNDPROC, LONG_PTR(&TFolderTreeView::TreeProc)));
    }
}

TFolderTreeView::~TFolderTreeView() { Unsubclass(); }

void TFolderTreeView::Unsubclass() {
    if (!OriginalTreeProc) return;
    if (IsWindow(Tree)) {
        // Someone who subclassed the tree after us still calls TreeProc,
        // which then passes everything to the control's own procedure.
        if (WNDPROC(GetWindowLongPtrW(Tree, GWLP_WNDPROC)) == &TFolderTreeView::TreeProc)
            SetWindowLongPtrW(Tree, GWLP_WNDPROC, LONG_PTR(OriginalTreeProc));
        SetWindowLongPtrW(Tree, GWLP_USERDATA, 0);
    }
    OriginalTreeProc = nullptr;
}

void TFolderTreeView::NodeAdded(TFolderNode& node) {
    const std::wstring text = Widen(std::string(node.Text()));
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
    ++DeletingDepth;
    SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(node.ViewItem));
    --DeletingDepth;
    node.ViewItem = nullptr;
}

void TFolderTreeView::NodeDeleted() {
    if (DeletingDepth > 0 || !SelectionChangePending) return;
    SelectionChangePending = false;
    if (Events) Events->SelectionChanged(SelectedNode());
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

void TFolderTreeView::SelectQuietly(TFolderNode& node) {
    const bool wasQuiet = Quiet;
    Quiet = true;
    Select(node);
    Quiet = wasQuiet;
}

void TFolderTreeView::AnswerDisplayInfo(NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TFolderNode*>(info.item.lParam);
    if (!node) return;
    // Each item is asked once: the control keeps the answer, so the nodes
    // need not.
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = ShellInfo.GetShellIconIndex(NodePath(node), false);
    if (info.item.mask & TVIF_SELECTEDIMAGE)
        info.item.iSelectedImage = ShellInfo.GetShellIconIndex(NodePath(node), true);
    info.item.mask |= TVIF_DI_SETITEM;
}

bool TFolderTreeView::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    return message == WM_NOTIFY && HandleNotify(*reinterpret_cast<NMHDR*>(lParam), result);
}

bool TFolderTreeView::HandleNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != Tree) return false;
    result = 0;
    switch (header.code) {
        case TVN_GETDISPINFOW: AnswerDisplayInfo(reinterpret_cast<NMTVDISPINFOW&>(header)); return true;
        case TVN_SELCHANGINGW: {
            if (!Events || DeletingDepth > 0 || Quiet) return true;
            const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
            result = Events->SelectionChanging(reinterpret_cast<TFolderNode*>(change.itemNew.lParam)) ? FALSE : TRUE;
            return true;
        }
        case TVN_SELCHANGEDW: {
            if (!Events || Quiet) return true;
            if (DeletingDepth > 0) {
                SelectionChangePending = true;
                return true;
            }
            const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
            Events->SelectionChanged(reinterpret_cast<TFolderNode*>(change.itemNew.lParam));
            return true;
        }
        default: return false;
    }
}

void TFolderTreeView::OnRightButtonDown(POINT point) {
    SetFocus(Tree);
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const auto item = HTREEITEM(SendMessageW(Tree, TVM_HITTEST, 0, LPARAM(&hit)));
    if (item && (hit.flags & TVHT_ONITEM)) SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(item));
    if (Events) Events->ContextMenuWanted(point);
}

// Shift+F10 or the menu key: the menu opens at the selected item.
void TFolderTreeView::OnKeyboardContextMenu() {
    const auto item = HTREEITEM(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    RECT bounds = {};
    std::memcpy(&bounds, &item, sizeof(item));  // the request carries the item in its first bytes
    POINT point = {0, 0};
    if (item && SendMessageW(Tree, TVM_GETITEMRECT, TRUE, LPARAM(&bounds))) point = {bounds.left, bounds.bottom};
    if (Events) Events->ContextMenuWanted(point);
}

// The tree selects the item under the right mouse button itself, and the
// menu opens on the button going down, before the control would start a
// drag of its own.
LRESULT CALLBACK TFolderTreeView::TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<TFolderTreeView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view || !view->OriginalTreeProc) {
        WNDCLASSEXW treeClass = {};
        treeClass.cbSize = sizeof treeClass;
        if (!GetClassInfoExW(nullptr, WC_TREEVIEWW, &treeClass)) return DefWindowProcW(window, message, wParam, lParam);
        return CallWindowProcW(treeClass.lpfnWndProc, window, message, wParam, lParam);
    }
    const WNDPROC original = view->OriginalTreeProc;
    switch (message) {
        case WM_RBUTTONDOWN: view->OnRightButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_RBUTTONUP: return 0;
        case WM_CONTEXTMENU:
            if (lParam == -1) {
                view->OnKeyboardContextMenu();
                return 0;
            }
            break;
        case WM_NCDESTROY: view->Unsubclass(); break;
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

void TFolderTreeView::Expand(TFolderNode& node) {
    if (node.ViewItem) SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node.ViewItem));
}

void TFolderTreeView::CollapseSubtree(TFolderNode& node) {
    // Deep trees are walked without recursion.
    std::vector<TFolderNode*> pending = {&node};
    while (!pending.empty()) {
        TFolderNode* next = pending.back();
        pending.pop_back();
        if (next->ViewItem) SendMessageW(Tree, TVM_EXPAND, TVE_COLLAPSE, LPARAM(next->ViewItem));
        for (const auto& child : next->Children) pending.push_back(child.get());
    }
}
