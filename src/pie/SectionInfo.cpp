#include "pie/SectionInfo.h"

int32_t TSectionInfoList::Add(TFolderNode* node, int32_t cursor, const std::string& caption, uint8_t kind,
                              const std::string& path, int64_t wasted, int64_t size) {
    auto info = std::make_unique<TSectionInfo>();
    info->Node = node;
    info->Size = size;
    info->Wasted = wasted;
    info->Cursor = cursor;
    info->Caption = caption;
    info->Path = path;
    info->Kind = kind;
    Entries.push_back(std::move(info));
    return int32_t(Entries.size()) - 1;
}

TSectionInfo* TSectionInfoList::Get(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return Entries[size_t(index)].get();
}
