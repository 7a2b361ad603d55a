#pragma once
#include <windows.h>

#include <string>

struct TCurrentPieItem;
class TDriveList;
struct TFolderNode;

// The folder tree as the pages walk it. Selecting a node goes through the
// tree's own change handling, which then shows the folder on the pages.
class IFolderNavigator {
public:
    virtual ~IFolderNavigator() = default;
    virtual void SelectNode(TFolderNode& node) = 0;
    // Opens the node's item one level.
    virtual void ExpandNode(TFolderNode& node) = 0;
    // Closes the node's item and every item below it.
    virtual void CollapseSubtree(TFolderNode& node) = 0;
    // The shell's menu of a folder or file at (x, y) of `control`'s client
    // area; what the menu's command removed leaves the tree.
    virtual void ShowNodeContextMenu(const TCurrentPieItem& item, int x, int y, HWND control) = 0;
    // Takes a folder that is no longer on the disk out of the tree, with its
    // totals out of its ancestors, and selects its parent. False, with the
    // tree unchanged, for a drive's root or a folder that is still there.
    virtual bool RemoveIfVanished(TFolderNode& node) = 0;
    // Makes sure the node's drive answers, with the Retry/Cancel prompt of
    // a drive that does not; false when the user gave up.
    virtual bool CheckDriveReady(const TFolderNode& node) = 0;
    // Measures again the folder at the path, or its nearest ancestor in the
    // tree, with the difference carried to the ancestors; nothing when the
    // path's drive is not in the tree.
    virtual void RescanNearest(const std::string& path) = 0;
    // The shell's menu of any path at a screen point; the tree is left alone.
    virtual void ShowPathContextMenu(const std::string& path, POINT screenPoint) = 0;
    // The records of the drives scanned in this run (their cluster sizes).
    virtual const TDriveList& DriveRecords() const = 0;
};
