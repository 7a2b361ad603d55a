#pragma once
#include <string>

#include "scan/FolderSize.h"

// The record's counters as "Name: value" lines in field order (TreeSize ..
// AttrUnion, then TreeWastedAt1..7 and OwnWastedAt1..7), plain integers.
std::string DescribeRecord(const TFolderSize& record);
