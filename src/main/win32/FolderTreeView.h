#pragma once
#include <windows.h>

#include <commctrl.h>

#include "scan/FolderTree.h"

class IShellInfo;

// Mirrors the folder tree into the window's tree control. The model stays
// the one source of truth: every item carries its node as lParam and each
// node keeps its item in ViewItem. Icons are looked up only when the tree
// first draws an item, so that a scan adds folders cheaply.
class TFolderTreeView : public ITreeObserver {
public:
    // `notifyTarget` is the window the tree's notifications end up at (the
    // main window); it is subclassed for the icon requests while the view lives.
    TFolderTreeView(HWND tree, HWND notifyTarget, IShellInfo& shellInfo);
    ~TFolderTreeView() override;
    TFolderTreeView(const TFolderTreeView&) = delete;
    TFolderTreeView& operator=(const TFolderTreeView&) = delete;

    void NodeAdded(TFolderNode& node) override;
    void ChildrenSorted(TFolderNode& parent) override;
    void NodeDeleting(TFolderNode& node) override;

    // The node of the selected item; null when nothing is selected.
    TFolderNode* SelectedNode() const;
    void Select(TFolderNode& node);

    static TFolderNode* NodeOf(HWND tree, HTREEITEM item);

private:
    static LRESULT CALLBACK NotifyTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR self);
    void AnswerDisplayInfo(NMTVDISPINFOW& info);

    HWND Tree;
    HWND NotifyTarget;
    IShellInfo& ShellInfo;
    bool Subclassed = false;
};
