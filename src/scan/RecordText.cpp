#include "scan/RecordText.h"

namespace {

void AddLine(std::string& text, const std::string& name, long long value) {
    text += name;
    text += ": ";
    text += std::to_string(value);
    text += '\n';
}

}  // namespace

std::string DescribeRecord(const TFolderNode& node) {
    const TFolderSize& record = *node.Record;
    std::string text;
    AddLine(text, "TreeSize", record.TreeSize);
    AddLine(text, "OwnSize", record.OwnSize);
    AddLine(text, "TreeWasted", record.TreeWasted);
    AddLine(text, "OwnWasted", OwnWasted(node));
    AddLine(text, "TreeFiles", record.TreeFiles);
    AddLine(text, "TreeFolders", record.TreeFolders);
    AddLine(text, "OwnFiles", record.OwnFiles);
    AddLine(text, "OwnFolders", record.OwnFolders);
    AddLine(text, "AttrUnion", record.AttrUnion);
    for (int k = 1; k <= kClusterSizeCount; ++k)
        AddLine(text, "TreeWastedAt" + std::to_string(k), record.TreeWastedAt[k]);
    for (int k = 1; k <= kClusterSizeCount; ++k) AddLine(text, "OwnWastedAt" + std::to_string(k), OwnWastedAt(node, k));
    return text;
}
