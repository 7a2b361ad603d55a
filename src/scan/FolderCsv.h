#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileTime.h"

struct TFolderNode;

// The header row of the folder table, without its line end.
extern const char* const kFolderCsvHeader;

// A field as RFC 4180 wants it: quoted, with quotes doubled, when it holds
// a comma, a quote or a line break; as it is otherwise.
std::string CsvField(const std::string& text);

// "2026-12-08T21:05:09Z" for a UTC file time; empty for a zero time.
std::string CsvTime(const TFileTime& utc);

// Hands `write` the table of the folder and every folder below it: a byte
// order mark and the header, then one row per folder, each folder before
// its subfolders and those in the tree's order, every row ending in CR LF.
// Rows go out one at a time, so a tree of any size needs no more memory
// than its deepest path. A folder without a record (not scanned) reads as
// zeros and empty times.
void WriteFolderCsv(const TFolderNode& top, int32_t clusterSize, const std::function<void(const std::string&)>& write);
