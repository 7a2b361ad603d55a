#include "main/SubfolderList.h"

#include <algorithm>

#include "platform/TextCompare.h"
#include "scan/DateText.h"
#include "scan/FolderTree.h"
#include "scan/SizeText.h"

namespace {

// Rounds bytes / 1024 to the nearest integer, halves to the even neighbour.
// Done on the integers, so it is exact for every size and needs no
// particular floating-point rounding mode.
int64_t KilobytesHalfEven(int64_t bytes) {
    int64_t whole = bytes / 1024;
    const int64_t rest = bytes % 1024;  // has the sign of bytes
    const bool odd = (whole % 2) != 0;
    if (rest > 512 || (rest == 512 && odd)) ++whole;
    if (rest < -512 || (rest == -512 && odd)) --whole;
    return whole;
}

int64_t ViewedAmount(const TFolderSize& record, bool includeWasted, int clusterView) {
    return includeWasted ? TreeAllocated(record, clusterView) : record.TreeSize;
}

int CompareNumbers(uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

int CompareAscending(const TSubfolderRow& a, const TSubfolderRow& b, int column, const ITextCompare& compare) {
    switch (column) {
        case colName:
        case colType: return compare.Compare(a.Cell(column), b.Cell(column), false);
        case colSize:
        case colAllocated:
        case colWasted:
        case colShare:
        case colObjects: {
            // Formatted numbers have no leading zeros: the shorter is the
            // smaller, and equal lengths compare digit by digit. Bytes do as
            // well as characters, as a column uses one separator throughout.
            const size_t lengthA = a.Cell(column).size();
            const size_t lengthB = b.Cell(column).size();
            if (lengthA != lengthB) return lengthA < lengthB ? -1 : 1;
            return compare.Compare(a.Cell(column), b.Cell(column), true);
        }
        // Unsigned: dates from 2044 on have the top bit set.
        case colLastAccess: return CompareNumbers(a.LastAccessDate, b.LastAccessDate);
        case colLastChange: return CompareNumbers(a.LastWriteDate, b.LastWriteDate);
        default: return 0;
    }
}

}  // namespace

std::string KilobyteText(int64_t bytes, const ILocale& locale) {
    return FormatCount(KilobytesHalfEven(bytes), locale) + " KB";
}

double ShareOfParent(const TFolderSize& child, const TFolderSize& parent, bool includeWasted, int clusterView) {
    const int64_t parentAmount = ViewedAmount(parent, includeWasted, clusterView);
    if (parentAmount == 0) return 0.0;
    return double(ViewedAmount(child, includeWasted, clusterView)) * 100.0 / double(parentAmount);
}

std::string ShareText(double percent, const ILocale& locale) { return FormatNumber(percent, 2, locale) + " %"; }

uint32_t ListDate(const TFileTime& utc, const ILocale& locale) {
    return IsZeroFileTime(utc) ? 0 : FileTimeToDosDate(utc, locale);
}

std::string ListDateText(uint32_t packed, const ILocale& locale) {
    if (packed == 0) return std::string();
    const int year = int(packed >> 25) + 1980;
    const int month = int((packed >> 21) & 0x0F);
    const int day = int((packed >> 16) & 0x1F);
    const int hour = int((packed >> 11) & 0x1F);
    const int minute = int((packed >> 5) & 0x3F);
    const int second = int(packed & 0x1F) * 2;
    std::string text = locale.ShortDate(year, month, day);
    if (hour != 0 || minute != 0 || second != 0) text += " " + locale.LongTime(hour, minute, second);
    return text;
}

TSubfolderRow MakeSubfolderRow(const TFolderNode& child, const TFolderSize& parent, bool includeWasted, int clusterView,
                               const std::string& typeName, const ILocale& locale) {
    const TFolderSize noRecord;
    const TFolderSize& record = child.Record ? *child.Record : noRecord;
    TSubfolderRow row;
    row.Node = &child;
    row.LastAccessDate = ListDate(record.LastAccess, locale);
    row.LastWriteDate = ListDate(record.LastWrite, locale);
    row.Cells[colName - 1] = std::string(child.Text());
    row.Cells[colType - 1] = typeName;
    row.Cells[colSize - 1] = KilobyteText(record.TreeSize, locale);
    row.Cells[colAllocated - 1] = KilobyteText(TreeAllocated(record, clusterView), locale);
    row.Cells[colWasted - 1] = KilobyteText(ViewTreeWasted(record, clusterView), locale);
    row.Cells[colShare - 1] = ShareText(ShareOfParent(record, parent, includeWasted, clusterView), locale);
    row.Cells[colObjects - 1] = FormatCount(TreeObjects(record), locale);
    row.Cells[colLastAccess - 1] = ListDateText(row.LastAccessDate, locale);
    row.Cells[colLastChange - 1] = ListDateText(row.LastWriteDate, locale);
    return row;
}

std::vector<TSubfolderRow> MakeSubfolderRows(const TFolderNode& node, bool includeWasted, int clusterView,
                                             const std::function<std::string(const TFolderNode&)>& typeNameOf,
                                             const ILocale& locale) {
    std::vector<TSubfolderRow> rows;
    if (!node.Record) return rows;
    rows.reserve(node.Children.size());
    for (const auto& child : node.Children)
        rows.push_back(MakeSubfolderRow(*child, *node.Record, includeWasted, clusterView, typeNameOf(*child), locale));
    return rows;
}

int CompareSubfolderRows(const TSubfolderRow& a, const TSubfolderRow& b, int key, const ITextCompare& compare) {
    if (key < -kSubfolderColumnCount || key > kSubfolderColumnCount) return 0;
    const int result = CompareAscending(a, b, key < 0 ? -key : key, compare);
    // Only the sign counts; reducing to it first keeps the reversal safe.
    const int sign = result < 0 ? -1 : (result > 0 ? 1 : 0);
    return key < 0 ? -sign : sign;
}

void SortSubfolderRows(std::vector<TSubfolderRow>& rows, int key, const ITextCompare& compare) {
    std::stable_sort(rows.begin(), rows.end(), [&](const TSubfolderRow& a, const TSubfolderRow& b) {
        return CompareSubfolderRows(a, b, key, compare) < 0;
    });
}
