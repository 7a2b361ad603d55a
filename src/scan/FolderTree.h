#pragma once
#include <memory>
#include <string>
#include <vector>

#include "scan/FolderSize.h"

class IFileSystem;
class INameOrder;

// One folder of the scanned tree. A root node stands for a drive and carries
// its letter; every other node is a folder named by its text.
struct TFolderNode {
    std::string Text;
    std::unique_ptr<TFolderSize> Record;  // owned; none until the folder's scan finished
    char DriveLetter = 0;                 // upper case, on root nodes only
    int ImageIndex = -1;                  // filled in by the tree view when first drawn
    int SelectedImageIndex = -1;
    TFolderNode* Parent = nullptr;
    std::vector<std::unique_ptr<TFolderNode>> Children;
    void* ViewItem = nullptr;  // the view's item mirroring this node, kept by the view

    TFolderNode() = default;
    TFolderNode(const TFolderNode&) = delete;
    TFolderNode& operator=(const TFolderNode&) = delete;
    ~TFolderNode();  // iterative, so very deep trees do not exhaust the stack

    bool IsRoot() const { return Parent == nullptr; }
};

// Told about every structural change, so that a view can mirror the tree.
class ITreeObserver {
public:
    virtual ~ITreeObserver() = default;
    virtual void NodeAdded(TFolderNode& node) = 0;
    // Called when sorting changed the order of the parent's children.
    virtual void ChildrenSorted(TFolderNode& parent) = 0;
    // Called before the node and everything below it are destroyed.
    virtual void NodeDeleting(TFolderNode& node) = 0;
    // Called once they are gone, when the tree is consistent again.
    virtual void NodeDeleted() {}
};

// Owns the root nodes and, through them, every node of the folder tree.
class TFolderTree {
public:
    TFolderTree() = default;
    TFolderTree(const TFolderTree&) = delete;
    TFolderTree& operator=(const TFolderTree&) = delete;

    const std::vector<std::unique_ptr<TFolderNode>>& Roots() const { return RootNodes; }
    void SetObserver(ITreeObserver* observer) { Observer = observer; }

    // Appends a root node at the end of the root list.
    TFolderNode* AddRoot(const std::string& text, char driveLetter);
    // Appends a child at the end of the parent's children.
    TFolderNode* AddChild(TFolderNode& parent, const std::string& text);
    // Stable sort of the node's children by their texts.
    void SortChildren(TFolderNode& node, const INameOrder& order);
    // Destroys the node with its subtree and the records they own.
    void DeleteNode(TFolderNode* node);
    void DeleteChildren(TFolderNode& node);

private:
    std::vector<std::unique_ptr<TFolderNode>> RootNodes;
    ITreeObserver* Observer = nullptr;
};

// "C:\" for a root node, C:\Windows\System below it; "" for no node.
std::string NodePath(const TFolderNode* node);
TFolderNode* RootOf(TFolderNode* node);
// Without case sensitivity only the letters a to z are folded.
TFolderNode* FindChild(TFolderNode* node, const std::string& name, bool caseSensitive);
// Follows a relative path such as windows\system one component at a time.
TFolderNode* FindNodeByPath(TFolderNode* node, const std::string& relativePath, bool caseSensitive);

// Releases the records below the node, and the node's own when includeSelf.
void FreeRecords(TFolderNode& node, bool includeSelf);
// Recomputes LastAccess, LastWrite and AttrUnion from the direct children.
void RefreshTimesFromChildren(TFolderNode& node);

// Takes a removed folder's (removedFolderNode set) or a removed file's
// (removedFolderNode null) measurements out of startNode and its ancestors.
void RemoveTotals(TFolderNode* startNode, const TFolderNode* removedFolderNode, int32_t foldersDelta,
                  int32_t filesDelta, int64_t wastedDelta, int64_t sizeDelta);

// Takes a folder's totals out of its ancestors and deletes its node.
void RemoveFolderNode(TFolderTree& tree, TFolderNode* node);
// True when nothing exists under the path any more while its drive's root
// can still be entered. Drive roots never vanish, and neither does anything
// on a drive that is not there: it may come back.
bool HasVanished(IFileSystem& fileSystem, const std::string& path);
// When the folder has vanished, removes it as RemoveFolderNode does.
// True when it did so.
bool RemoveVanishedFolder(TFolderTree& tree, IFileSystem& fileSystem, const std::string& path, TFolderNode* node);
