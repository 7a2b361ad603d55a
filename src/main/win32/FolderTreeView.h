#pragma once
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/BoundWindow.h"
#include "scan/FolderTree.h"

class IShellInfo;

// What the user does with the tree, as the scan commands want to hear it.
class IFolderTreeEvents {
public:
    virtual ~IFolderTreeEvents() = default;
    // Before the selection moves to `node`; false keeps the old selection.
    virtual bool SelectionChanging(TFolderNode* node) = 0;
    virtual void SelectionChanged(TFolderNode* node) = 0;
    // The right mouse button went down at that point of the tree's client
    // area (the selection has moved to the item under it), or the keyboard
    // asked for a context menu at the selected item.
    virtual void ContextMenuWanted(POINT clientPoint) = 0;
};

// Mirrors the folder tree into the window's tree control. The model stays
// the one source of truth: every item carries its node as lParam and each
// node keeps its item in ViewItem. Icons are looked up only when the tree
// first draws an item, so that a scan adds folders cheaply.
//
// Deleting an item that holds the selection makes the control select
// another one while the model is still deleting. Such a change is allowed
// without asking and told only once the model is consistent again
// (NodeDeleted), so that nothing acts on a half-deleted tree.
class TFolderTreeView : public TBoundWindow, public ITreeObserver {
public:
    // The tree's notifications reach the view through its parent's
    // reflection (HandleNotify).
    TFolderTreeView(HWND tree, IShellInfo& shellInfo, IFolderTreeEvents* events = nullptr);
    ~TFolderTreeView() override;
    TFolderTreeView(const TFolderTreeView&) = delete;
    TFolderTreeView& operator=(const TFolderTreeView&) = delete;

    void NodeAdded(TFolderNode& node) override;
    void ChildrenSorted(TFolderNode& parent) override;
    void NodeDeleting(TFolderNode& node) override;
    void NodeDeleted() override;

    // The node of the selected item; null when nothing is selected.
    TFolderNode* SelectedNode() const;
    void Select(TFolderNode& node);
    // Moves the selection without asking or telling anyone: for the caller
    // that is about to tell the change itself.
    void SelectQuietly(TFolderNode& node);
    // Opens the node's item one level.
    void Expand(TFolderNode& node);
    // Closes the node's item and every item below it.
    void CollapseSubtree(TFolderNode& node);

    static TFolderNode* NodeOf(HWND tree, HTREEITEM item);

    // A WM_NOTIFY; true when it came from the tree and was answered.
    bool HandleNotify(NMHDR& header, LRESULT& result);

private:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    static LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Unsubclass();
    void AnswerDisplayInfo(NMTVDISPINFOW& info);
    void OnRightButtonDown(POINT point);
    void OnKeyboardContextMenu();

    HWND Tree;
    IShellInfo& ShellInfo;
    IFolderTreeEvents* Events;
    WNDPROC OriginalTreeProc = nullptr;
    int DeletingDepth = 0;                // items being deleted for the model
    bool Quiet = false;                   // inside SelectQuietly
    bool SelectionChangePending = false;  // the control moved the selection meanwhile
};
