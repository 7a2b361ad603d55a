#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileTime.h"

class ILocale;
class ITextCompare;
struct TFolderNode;
struct TFolderSize;

// The Subfolders page's list: one row per direct subfolder of the folder
// shown. Columns are numbered from 1, as the sort key counts them.
enum TSubfolderColumn : int {
    colName = 1,
    colType,
    colSize,
    colAllocated,
    colWasted,
    colShare,
    colObjects,
    colLastAccess,
    colLastChange,
};

constexpr int kSubfolderColumnCount = 9;

struct TSubfolderColumnLayout {
    const char* Caption;
    int Width;  // pixels
    bool RightAligned;
};

// Column k at index k - 1.
constexpr std::array<TSubfolderColumnLayout, kSubfolderColumnCount> kSubfolderColumns = {{
    {"Name", 150, false},
    {"Type", 120, false},
    {"Size", 80, true},
    {"Allocated", 80, true},
    {"Wasted", 80, true},
    {"% of Parent", 70, true},
    {"Objects", 70, true},
    {"Last Access", 80, true},
    {"Last Change", 80, true},
}};

// Name ascending: the key when the window is created; it is not saved.
constexpr int kInitialSortColumn = colName;

struct TSubfolderRow {
    std::array<std::string, kSubfolderColumnCount> Cells;  // column k at index k - 1
    const TFolderNode* Node = nullptr;                     // the subfolder, owned by the tree
    // Packed local dates kept for sorting; 0 when the cell is empty.
    uint32_t LastAccessDate = 0;
    uint32_t LastWriteDate = 0;

    const std::string& Cell(int column) const { return Cells[size_t(column - 1)]; }
};

// Whole kilobytes, halves rounded to the even neighbour, with " KB": the
// list never switches to MB or GB, so that its columns compare by length.
std::string KilobyteText(int64_t bytes, const ILocale& locale);

// The child's share of the parent in percent, both with their viewed wasted
// space when `includeWasted`; 0 when the parent's amount is 0.
double ShareOfParent(const TFolderSize& child, const TFolderSize& parent, bool includeWasted, int clusterView);
// Two decimals and " %": "12.50 %".
std::string ShareText(double percent, const ILocale& locale);

// The packed local date of a file time as the list keeps it; 0 when the
// time is all zero or lies outside what the packed form holds (1980..2107).
uint32_t ListDate(const TFileTime& utc, const ILocale& locale);
// The locale's short date and long time of a packed date, the time left out
// at exactly midnight; "" for 0. Packed times have 2-second steps.
std::string ListDateText(uint32_t packed, const ILocale& locale);

// The row of one subfolder; `parent` is the record of the folder shown and
// `typeName` the shell's type name of the subfolder's path. A subfolder
// without a record reads as empty.
TSubfolderRow MakeSubfolderRow(const TFolderNode& child, const TFolderSize& parent, bool includeWasted, int clusterView,
                               const std::string& typeName, const ILocale& locale);

// The rows of all children of `node`, in tree order; none when the node has
// no record. `typeNameOf` gives the type name of a child.
std::vector<TSubfolderRow> MakeSubfolderRows(const TFolderNode& node, bool includeWasted, int clusterView,
                                             const std::function<std::string(const TFolderNode&)>& typeNameOf,
                                             const ILocale& locale);

// Negative, zero or positive as row a sorts before, with or after row b
// under the sort key: a column number 1..9, negative for descending. Name
// and type compare case-sensitively, the number columns by text length
// first and then without case, the dates by their packed values. Any other
// key finds all rows equal.
int CompareSubfolderRows(const TSubfolderRow& a, const TSubfolderRow& b, int key, const ITextCompare& compare);

// Stable: rows that compare equal keep their order.
void SortSubfolderRows(std::vector<TSubfolderRow>& rows, int key, const ITextCompare& compare);

// The sort key after a click on column `clicked`: the same column reverses
// its direction, another column sorts ascending.
inline int NextSortColumn(int current, int clicked) { return clicked == current ? -current : clicked; }
