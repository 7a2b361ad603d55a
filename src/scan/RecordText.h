#pragma once
#include <string>

#include "scan/FolderTree.h"

// The counters of the node's record as "Name: value" lines in field order
// (TreeSize .. AttrUnion, then TreeWastedAt1..7 and OwnWastedAt1..7), plain
// integers. The node must have a record.
std::string DescribeRecord(const TFolderNode& node);
