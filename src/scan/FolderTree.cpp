#include "scan/FolderTree.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/FileSystem.h"
#include "scan/FolderNames.h"
#include "scan/NameOrder.h"
#include "scan/PathUtils.h"

// Millions of nodes: the record, parent, view item and children, nothing
// padded, on both 32- and 64-bit builds.
static_assert(sizeof(TFolderNode) == 4 * sizeof(void*) + 2 * sizeof(uint32_t), "a folder node grew");

std::unique_ptr<TFolderNode> TFolderNode::Make(std::string_view text, char driveLetter) {
    if (text.size() > kMaxTextLength) throw std::length_error("folder name too long");
    std::unique_ptr<TFolderNode> node(new (TTextRoom{text.size()}) TFolderNode());
    unsigned char* tail = node->Tail();
    tail[0] = static_cast<unsigned char>(text.size() & 0xFF);
    tail[1] = static_cast<unsigned char>(text.size() >> 8);
    tail[2] = static_cast<unsigned char>(driveLetter);
    if (!text.empty()) std::memcpy(tail + kTailHeader, text.data(), text.size());
    return node;
}

TFolderNode::~TFolderNode() {
    // Unlink the subtree level by level so that each node is destroyed with
    // no children left; plain recursive destruction could overflow the stack.
    std::vector<std::unique_ptr<TFolderNode>> pending;
    for (auto& child : Children) pending.push_back(std::move(child));
    Children.clear();
    while (!pending.empty()) {
        std::unique_ptr<TFolderNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Children) pending.push_back(std::move(child));
        node->Children.clear();
    }
}

TFolderNode* TFolderTree::AddRoot(const std::string& text, char driveLetter) {
    auto node = TFolderNode::Make(text, driveLetter);
    RootNodes.push_back(std::move(node));
    TFolderNode* added = RootNodes.back().get();
    if (Observer) Observer->NodeAdded(*added);
    return added;
}

TFolderNode* TFolderTree::AddChild(TFolderNode& parent, const std::string& text) {
    auto node = TFolderNode::Make(text);
    node->Parent = &parent;
    parent.Children.push_back(std::move(node));
    TFolderNode* added = parent.Children.back().get();
    if (Observer) Observer->NodeAdded(*added);
    return added;
}

void TFolderTree::SortChildren(TFolderNode& node, const INameOrder& order) {
    // Called once a folder's listing is complete: its list of children
    // will not grow any more, so it keeps no room to grow.
    node.Children.ShrinkToFit();
    if (node.Children.size() < 2) return;
    std::vector<std::pair<std::string, std::unique_ptr<TFolderNode>>> keyed;
    keyed.reserve(node.Children.size());
    for (auto& child : node.Children) keyed.emplace_back(order.SortKey(std::string(child->Text())), std::move(child));
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    // Folders mostly come listed in order already; observers then have
    // nothing to re-order.
    const bool changed = !std::is_sorted(keyed.begin(), keyed.end(), byKey);
    if (changed) std::stable_sort(keyed.begin(), keyed.end(), byKey);
    for (size_t i = 0; i < keyed.size(); ++i) node.Children[i] = std::move(keyed[i].second);
    if (changed && Observer) Observer->ChildrenSorted(node);
}

namespace {

template <class TList>
void EraseNode(TList& nodes, const TFolderNode* node) {
    auto it = std::find_if(nodes.begin(), nodes.end(),
                           [node](const std::unique_ptr<TFolderNode>& n) { return n.get() == node; });
    if (it != nodes.end()) nodes.erase(it);
}

}  // namespace

void TFolderTree::DeleteNode(TFolderNode* node) {
    if (!node) return;
    if (Observer) Observer->NodeDeleting(*node);
    if (node->Parent)
        EraseNode(node->Parent->Children, node);
    else
        EraseNode(RootNodes, node);
    if (Observer) Observer->NodeDeleted();
}

void TFolderTree::DeleteChildren(TFolderNode& node) {
    while (!node.Children.empty()) DeleteNode(node.Children.back().get());
}

std::string NodePath(const TFolderNode* node) {
    if (!node) return std::string();
    std::vector<const TFolderNode*> chain;
    for (const TFolderNode* n = node; n->Parent; n = n->Parent) chain.push_back(n);
    const TFolderNode* root = chain.empty() ? node : chain.back()->Parent;

    std::string path(1, root->DriveLetter());
    path += ":\\";
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin()) path += '\\';
        path += (*it)->Text();
    }
    return path;
}

bool IsSameOrBelow(const TFolderNode* node, const TFolderNode& top) {
    if (!node) return false;
    // Walks up from the kept node only while it is known to be alive: the
    // caller asks before anything is freed.
    for (const TFolderNode* n = node; n; n = n->Parent)
        if (n == &top) return true;
    return false;
}

TFolderNode* RootOf(TFolderNode* node) {
    while (node && node->Parent) node = node->Parent;
    return node;
}

namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = char(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

TFolderNode* FindChild(TFolderNode* node, const std::string& name, bool caseSensitive) {
    if (!node) return nullptr;
    for (auto& child : node->Children) {
        if (caseSensitive ? child->Text() == name : SameNameIgnoringCase(child->Text(), name)) return child.get();
    }
    if (!caseSensitive) return nullptr;
    // A name the file system keeps in capitals is shown capitalised only at its start.
    for (auto& child : node->Children) {
        if (NameMatchesDisplayText(std::string(child->Text()), name)) return child.get();
    }
    return nullptr;
}

TFolderNode* FindNodeByPath(TFolderNode* node, const std::string& relativePath, bool caseSensitive) {
    size_t start = 0;
    while (node && start < relativePath.size()) {
        const size_t end = std::min(relativePath.find('\\', start), relativePath.size());
        node = FindChild(node, relativePath.substr(start, end - start), caseSensitive);
        start = end + 1;
    }
    return node;
}

namespace {

// What the subtrees of the node's subfolders waste, at cluster size index
// k (0 for the drive's own). A subfolder without a record (an aborted
// rescan) counts in its parent's totals with nothing.
int64_t SubfoldersWasted(const TFolderNode& node, int k) {
    int64_t wasted = 0;
    for (const auto& child : node.Children) {
        if (child->Record) wasted += k == 0 ? child->Record->TreeWasted : child->Record->TreeWastedAt[k];
    }
    return wasted;
}

bool IsClusterSizeIndex(int k) { return k >= 1 && k <= kClusterSizeCount; }

}  // namespace

int64_t OwnWasted(const TFolderNode& node) {
    return node.Record ? node.Record->TreeWasted - SubfoldersWasted(node, 0) : 0;
}

int64_t OwnWastedAt(const TFolderNode& node, int k) {
    if (!node.Record || !IsClusterSizeIndex(k)) return 0;
    return node.Record->TreeWastedAt[k] - SubfoldersWasted(node, k);
}

int64_t ViewOwnWasted(const TFolderNode& node, int clusterView) {
    return IsClusterSizeIndex(clusterView) ? OwnWastedAt(node, clusterView) : OwnWasted(node);
}

int64_t OwnAllocated(const TFolderNode& node, int clusterView) {
    return node.Record ? node.Record->OwnSize + ViewOwnWasted(node, clusterView) : 0;
}

void FreeRecords(TFolderNode& node, bool includeSelf) {
    std::vector<TFolderNode*> pending;
    for (auto& child : node.Children) pending.push_back(child.get());
    while (!pending.empty()) {
        TFolderNode* n = pending.back();
        pending.pop_back();
        n->Record.reset();
        for (auto& child : n->Children) pending.push_back(child.get());
    }
    if (includeSelf) node.Record.reset();
}

namespace {

// `ignored` is a child being removed whose record is still attached.
void RefreshTimesIgnoring(TFolderNode& node, const TFolderNode* ignored) {
    if (!node.Record) return;
    TFolderSize& record = *node.Record;
    record.LastAccess = record.OwnLastAccess;
    record.LastWrite = record.OwnLastWrite;
    record.AttrUnion = record.OwnAttrUnion;
    for (auto& child : node.Children) {
        if (!child->Record || child.get() == ignored) continue;
        TakeLaterTime(record.LastAccess, child->Record->LastAccess);
        TakeLaterTime(record.LastWrite, child->Record->LastWrite);
        record.AttrUnion |= child->Record->AttrUnion;
    }
}

}  // namespace

void RefreshTimesFromChildren(TFolderNode& node) { RefreshTimesIgnoring(node, nullptr); }

void RemoveTotals(TFolderNode* startNode, const TFolderNode* removedFolderNode, int32_t foldersDelta,
                  int32_t filesDelta, int64_t wastedDelta, int64_t sizeDelta) {
    if (!startNode) return;

    TWastedTable delta;
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        if (!removedFolderNode)
            delta[k] = SlackOf(ClusterSizes[k], sizeDelta);
        else if (removedFolderNode->Record)
            delta[k] = removedFolderNode->Record->TreeWastedAt[k];
    }

    if (TFolderSize* own = startNode->Record.get()) {
        if (removedFolderNode) {
            own->OwnFolders -= 1;
        } else {
            own->OwnFiles -= 1;
            own->OwnSize -= sizeDelta;
        }
    }

    for (TFolderNode* n = startNode; n && n->Record; n = n->Parent) {
        TFolderSize& record = *n->Record;
        record.TreeSize -= sizeDelta;
        record.TreeWasted -= wastedDelta;
        record.TreeFolders -= foldersDelta;
        record.TreeFiles -= filesDelta;
        for (int k = 1; k <= kClusterSizeCount; ++k) record.TreeWastedAt[k] -= delta[k];
        // The removed folder is usually still attached here; its times must not survive it.
        RefreshTimesIgnoring(*n, removedFolderNode);
    }
}

void RemoveFolderNode(TFolderTree& tree, TFolderNode* node) {
    if (!node) return;
    if (const TFolderSize* record = node->Record.get()) {
        RemoveTotals(node->Parent, node, record->TreeFolders + 1, record->TreeFiles, record->TreeWasted,
                     record->TreeSize);
    }
    FreeRecords(*node, true);
    tree.DeleteNode(node);
}

bool HasVanished(IFileSystem& fileSystem, const std::string& path) {
    if (IsDriveRoot(path) || fileSystem.PathExists(path)) return false;
    // A drive that went away (a disk pulled, a network drive disconnected)
    // takes every path with it, yet nothing on it has been deleted.
    return HasFullPathForm(path) && fileSystem.PathExists(path.substr(0, 3));
}

bool RemoveVanishedFolder(TFolderTree& tree, IFileSystem& fileSystem, const std::string& path, TFolderNode* node) {
    if (!node || !HasVanished(fileSystem, path)) return false;
    RemoveFolderNode(tree, node);
    return true;
}
