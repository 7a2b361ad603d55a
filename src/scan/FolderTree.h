#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scan/CompactVector.h"
#include "scan/FolderSize.h"

class IFileSystem;
class INameOrder;

// One folder of the scanned tree. A root node stands for a drive and carries
// its letter; every other node is a folder named by its text. A big drive
// has millions of these, so a node is kept small: its text, the text's
// length and the drive letter live in the same heap block right after it,
// and the figures that follow from its children's (its own wasted space)
// are worked out, not stored.
struct TFolderNode {
    std::unique_ptr<TFolderSize> Record;  // owned; none until the folder's scan finished
    TFolderNode* Parent = nullptr;
    void* ViewItem = nullptr;  // the view's item mirroring this node, kept by the view
    TCompactVector<std::unique_ptr<TFolderNode>> Children;

    // The only way to make a node: its text is fixed from then on. Texts
    // longer than kMaxTextLength bytes (no Windows name comes near it) are
    // refused with std::length_error.
    static constexpr size_t kMaxTextLength = 0xFFFF;
    static std::unique_ptr<TFolderNode> Make(std::string_view text, char driveLetter = 0);

    TFolderNode(const TFolderNode&) = delete;
    TFolderNode& operator=(const TFolderNode&) = delete;
    ~TFolderNode();  // iterative, so very deep trees do not exhaust the stack

    bool IsRoot() const { return Parent == nullptr; }
    // UTF-8, as listed (or the display name on a root).
    std::string_view Text() const {
        const unsigned char* tail = Tail();
        return std::string_view(reinterpret_cast<const char*>(tail + kTailHeader), size_t(tail[0] | tail[1] << 8));
    }
    // Upper case, on root nodes only; 0 elsewhere.
    char DriveLetter() const { return char(Tail()[2]); }

    static void operator delete(void* block) { ::operator delete(block); }

private:
    // Room after the node: the text's length (two bytes, low first), the
    // drive letter, then the text.
    static constexpr size_t kTailHeader = 3;
    struct TTextRoom {
        size_t Length;
    };

    TFolderNode() = default;
    unsigned char* Tail() { return reinterpret_cast<unsigned char*>(this + 1); }
    const unsigned char* Tail() const { return reinterpret_cast<const unsigned char*>(this + 1); }
    static void* operator new(size_t size, TTextRoom room) { return ::operator new(size + kTailHeader + room.Length); }
    static void operator delete(void* block, TTextRoom) { ::operator delete(block); }
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
// True when `node` is `top` or lies below it; compares addresses only, so
// `node` may be any pointer a caller kept.
bool IsSameOrBelow(const TFolderNode* node, const TFolderNode& top);
// Without case sensitivity only the letters a to z are folded.
TFolderNode* FindChild(TFolderNode* node, const std::string& name, bool caseSensitive);
// Follows a relative path such as windows\system one component at a time.
TFolderNode* FindNodeByPath(TFolderNode* node, const std::string& relativePath, bool caseSensitive);

// The folder's own wasted space, its files' slack alone: what its subtree
// wastes less what its subfolders' subtrees do. At the drive's own cluster
// size, at ClusterSizes[k] for k in 1..7 (else 0), and for the cluster size
// in view (see ViewTreeWasted).
// A node without a record has none.
int64_t OwnWasted(const TFolderNode& node);
int64_t OwnWastedAt(const TFolderNode& node, int k);
int64_t ViewOwnWasted(const TFolderNode& node, int clusterView);
// The folder's own files' size plus their viewed slack.
int64_t OwnAllocated(const TFolderNode& node, int clusterView);

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
