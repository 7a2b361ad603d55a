#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TFolderNode;

// Mouse cursors over a pie entry.
enum : int32_t { kCursorArrow = 0, kCursorZoomIn = 5, kCursorZoomOut = 6 };

// What a pie entry stands for.
enum : uint8_t { kEntryFile = 0, kEntryFolder = 1, kEntryDrive = 2, kEntryGroup = 3 };

// What the pie view needs to know about one wedge (or, at index 0, about
// the folder whose pie is shown).
struct TSectionInfo {
    TFolderNode* Node = nullptr;  // the folder; none for files and groups
    int64_t Size = 0;
    int64_t Wasted = 0;
    int32_t Cursor = kCursorArrow;
    std::string Caption;
    std::string Path;  // full path; a group's caption
    uint8_t Kind = kEntryFile;
};

// An ordered list that owns its entries.
class TSectionInfoList {
public:
    // Appends an entry and returns its index.
    int32_t Add(TFolderNode* node, int32_t cursor, const std::string& caption, uint8_t kind, const std::string& path,
                int64_t wasted, int64_t size);
    TSectionInfo* Get(int32_t index) const;  // none outside the list
    void Clear() { Entries.clear(); }
    // Keeps the entries but lets go of their folders, which are about to go.
    void DropNodes() {
        for (auto& entry : Entries) entry->Node = nullptr;
    }
    int32_t Count() const { return int32_t(Entries.size()); }

private:
    std::vector<std::unique_ptr<TSectionInfo>> Entries;
};
