#include "main/SubfolderList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/FixedLocale.h"
#include "platform/memory/OrdinalTextCompare.h"
#include "scan/FolderTree.h"

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// File time of a UTC calendar moment, counted day by day from 1601.
TFileTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    uint64_t days = 0;
    for (int y = 1601; y < year; ++y) days += IsLeapYear(y) ? 366 : 365;
    for (int m = 1; m < month; ++m) days += uint64_t(m == 2 && IsLeapYear(year) ? 29 : kDays[m - 1]);
    days += uint64_t(day - 1);
    const uint64_t seconds = days * 86400 + uint64_t(hour) * 3600 + uint64_t(minute) * 60 + uint64_t(second);
    return MakeFileTime(seconds * 10000000);
}

// Counts which kind of comparison the sort asks for.
class TCountingCompare : public ITextCompare {
public:
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) const override {
        ++(ignoreCase ? Caseless : CaseSensitive);
        return Ordinal.Compare(a, b, ignoreCase);
    }
    mutable int CaseSensitive = 0;
    mutable int Caseless = 0;

private:
    TOrdinalTextCompare Ordinal;
};

TSubfolderRow Row(const std::string& name, const std::string& cell = "", uint32_t accessed = 0, uint32_t written = 0) {
    TSubfolderRow row;
    row.Cells[colName - 1] = name;
    for (int column = colType; column <= colObjects; ++column) row.Cells[size_t(column - 1)] = cell;
    row.LastAccessDate = accessed;
    row.LastWriteDate = written;
    return row;
}

std::vector<std::string> Names(const std::vector<TSubfolderRow>& rows) {
    std::vector<std::string> names;
    for (const TSubfolderRow& row : rows) names.push_back(row.Cell(colName));
    return names;
}

using TNames = std::vector<std::string>;

TEST(SubfolderCells, KilobytesRoundHalvesToTheEvenNeighbour) {
    TFixedLocale locale;
    EXPECT_EQ(KilobyteText(0, locale), "0 KB");
    EXPECT_EQ(KilobyteText(511, locale), "0 KB");
    EXPECT_EQ(KilobyteText(512, locale), "0 KB");  // 0.5 goes to 0
    EXPECT_EQ(KilobyteText(513, locale), "1 KB");
    EXPECT_EQ(KilobyteText(1536, locale), "2 KB");  // 1.5 goes to 2
    EXPECT_EQ(KilobyteText(2560, locale), "2 KB");  // 2.5 goes to 2 as well
    EXPECT_EQ(KilobyteText(2561, locale), "3 KB");
    EXPECT_EQ(KilobyteText(3584, locale), "4 KB");
    EXPECT_EQ(KilobyteText(1023 * 1024 + 512, locale), "1,024 KB");  // never MB
    EXPECT_EQ(KilobyteText(int64_t(5) << 40, locale), "5,368,709,120 KB");
    // 2^43 + 513/1024: a double would hold the size as 2^53 + 512 and round
    // the resulting half down to 2^43.
    EXPECT_EQ(KilobyteText((int64_t(1) << 53) + 513, locale), "8,796,093,022,209 KB");
    locale.SetThousandsSeparator(".");
    EXPECT_EQ(KilobyteText(1000 * 1024, locale), "1.000 KB");
}

TEST(SubfolderCells, ShareOfTheParentWithAndWithoutWaste) {
    TFixedLocale locale;
    TFolderSize parent;
    parent.TreeSize = 400;
    parent.TreeWasted = 100;
    parent.TreeWastedAt[1] = 600;
    TFolderSize child;
    child.TreeSize = 50;
    child.TreeWasted = 50;
    child.TreeWastedAt[1] = 0;

    EXPECT_EQ(ShareText(ShareOfParent(child, parent, false, 0), locale), "12.50 %");
    EXPECT_EQ(ShareText(ShareOfParent(child, parent, true, 0), locale), "20.00 %");
    {
        // The waste counted is the viewed one.
        EXPECT_EQ(ShareText(ShareOfParent(child, parent, true, 1), locale), "5.00 %");
        EXPECT_EQ(ShareText(ShareOfParent(child, parent, false, 1), locale), "12.50 %");
    }

    child.TreeSize = 400 / 3;
    EXPECT_EQ(ShareText(ShareOfParent(child, parent, false, 0), locale), "33.25 %");
    EXPECT_EQ(ShareText(200.0 / 3.0, locale), "66.67 %");
    EXPECT_EQ(ShareText(100.0, locale), "100.00 %");
    locale.SetDecimalSeparator(",");
    EXPECT_EQ(ShareText(200.0 / 3.0, locale), "66,67 %");

    // A parent of nothing: every child has the share 0.
    const TFolderSize empty;
    EXPECT_EQ(ShareOfParent(child, empty, false, 0), 0.0);
    EXPECT_EQ(ShareOfParent(child, empty, true, 0), 0.0);
    EXPECT_EQ(ShareText(ShareOfParent(empty, empty, true, 0), TFixedLocale()), "0.00 %");
}

TEST(SubfolderCells, DatesAreShortDateAndTimeOfThePackedLocalDate) {
    const TFixedLocale utc;
    EXPECT_EQ(utc.ShortDate(2026, 12, 7), "12/7/2026");
    EXPECT_EQ(utc.LongTime(13, 5, 9), "1:05:09 PM");
    EXPECT_EQ(utc.LongTime(0, 0, 1), "12:00:01 AM");
    EXPECT_EQ(utc.LongTime(12, 0, 0), "12:00:00 PM");
    EXPECT_EQ(utc.LongTime(23, 59, 58), "11:59:58 PM");

    // The packed form keeps seconds in steps of two.
    EXPECT_EQ(ListDateText(ListDate(At(2026, 12, 7, 13, 5, 9), utc), utc), "12/7/2026 1:05:08 PM");
    EXPECT_EQ(ListDateText(ListDate(At(2026, 12, 7), utc), utc), "12/7/2026");
    EXPECT_EQ(ListDateText(ListDate(At(2026, 12, 7, 0, 0, 1), utc), utc), "12/7/2026");  // 0 s once packed
    EXPECT_EQ(ListDateText(ListDate(At(2026, 12, 7, 0, 0, 2), utc), utc), "12/7/2026 12:00:02 AM");
    EXPECT_EQ(ListDateText(ListDate(At(2107, 12, 31, 23, 59, 59), utc), utc), "12/31/2107 11:59:58 PM");

    // Empty for no time and outside 1980..2107, judged in local time.
    EXPECT_EQ(ListDate(TFileTime(), utc), 0u);
    EXPECT_EQ(ListDateText(0, utc), "");
    EXPECT_EQ(ListDate(At(1979, 12, 31, 23, 30), utc), 0u);
    EXPECT_EQ(ListDate(At(2108, 1, 1), utc), 0u);
    const TFixedLocale oneHourEast(60);
    EXPECT_EQ(ListDateText(ListDate(At(1979, 12, 31, 23, 30), oneHourEast), oneHourEast), "1/1/1980 12:30:00 AM");
    EXPECT_EQ(ListDate(At(2107, 12, 31, 23, 30), oneHourEast), 0u);
}

TEST(SubfolderRows, OneRowPerChildInTreeOrder) {
    const TFixedLocale locale;
    TFolderTree tree;
    TFolderNode* root = tree.AddRoot("Local Disk (C:)", 'C');
    root->Record = std::make_unique<TFolderSize>();
    root->Record->TreeSize = 4 * 1048576;
    root->Record->TreeWasted = 1048576;
    TFolderNode* windows = tree.AddChild(*root, "Windows");
    windows->Record = std::make_unique<TFolderSize>();
    TFolderSize& w = *windows->Record;
    w.TreeSize = 1048576;
    w.TreeWasted = 1536;
    w.TreeFiles = 1200;
    w.TreeFolders = 3;
    w.LastAccess = At(2026, 12, 7, 13, 5, 9);
    w.LastWrite = At(2000, 2, 29);
    tree.AddChild(*windows, "System");                       // a grandchild is not listed
    TFolderNode* pending = tree.AddChild(*root, "Pending");  // no record yet
    tree.AddChild(*pending, "Inner");

    std::vector<const TFolderNode*> asked;
    const auto typeName = [&](const TFolderNode& node) {
        asked.push_back(&node);
        return std::string("File Folder");
    };
    const std::vector<TSubfolderRow> rows = MakeSubfolderRows(*root, false, 0, typeName, locale);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(asked, (std::vector<const TFolderNode*>{windows, pending}));

    const TSubfolderRow& row = rows[0];
    EXPECT_EQ(row.Node, windows);
    EXPECT_EQ(row.Cells, (std::array<std::string, kSubfolderColumnCount>{"Windows", "File Folder", "1,024 KB",
                                                                         "1,026 KB", "2 KB", "25.00 %", "1,203",
                                                                         "12/7/2026 1:05:08 PM", "2/29/2000"}));
    EXPECT_EQ(row.LastAccessDate, ListDate(w.LastAccess, locale));
    EXPECT_EQ(row.LastWriteDate, ListDate(w.LastWrite, locale));

    EXPECT_EQ(rows[1].Node, pending);
    EXPECT_EQ(rows[1].Cells, (std::array<std::string, kSubfolderColumnCount>{"Pending", "File Folder", "0 KB", "0 KB",
                                                                             "0 KB", "0.00 %", "0", "", ""}));

    // With the waste included, both amounts carry it.
    EXPECT_EQ(MakeSubfolderRows(*root, true, 0, typeName, locale)[0].Cell(colShare), "20.03 %");
    // A folder whose scan has not finished lists nothing.
    EXPECT_TRUE(MakeSubfolderRows(*pending, false, 0, typeName, locale).empty());
}

TEST(SubfolderSort, NumberColumnsByLengthFirstThenWithoutCase) {
    const TCountingCompare compare;
    std::vector<TSubfolderRow> rows = {Row("a", "1,001 KB"), Row("b", "999 KB"), Row("c", "12 KB"),
                                       Row("d", "1,000 KB"), Row("e", "998 KB")};
    for (int column = colSize; column <= colObjects; ++column) {
        SortSubfolderRows(rows, column, compare);
        EXPECT_EQ(Names(rows), (TNames{"c", "e", "b", "d", "a"})) << column;
        SortSubfolderRows(rows, -column, compare);
        EXPECT_EQ(Names(rows), (TNames{"a", "d", "b", "e", "c"})) << column;
    }
    EXPECT_GT(compare.Caseless, 0);
    EXPECT_EQ(compare.CaseSensitive, 0);

    // Equal lengths compare by their characters, here without case.
    rows = {Row("m", "7 KB"), Row("n", "6 KB"), Row("o", "7 kA")};
    SortSubfolderRows(rows, colObjects, compare);
    EXPECT_EQ(Names(rows), (TNames{"n", "o", "m"}));

    // Equal cells keep their order in both directions.
    rows = {Row("first", "5 KB"), Row("second", "5 KB"), Row("third", "4 KB")};
    SortSubfolderRows(rows, -colWasted, compare);
    EXPECT_EQ(Names(rows), (TNames{"first", "second", "third"}));
    SortSubfolderRows(rows, colWasted, compare);
    EXPECT_EQ(Names(rows), (TNames{"third", "first", "second"}));
}

TEST(SubfolderSort, NamesCaseSensitiveAndDatesAsUnsignedNumbers) {
    const TCountingCompare compare;
    std::vector<TSubfolderRow> rows = {Row("b"), Row("B"), Row("a")};
    SortSubfolderRows(rows, colName, compare);
    EXPECT_EQ(Names(rows), (TNames{"B", "a", "b"}));
    EXPECT_EQ(compare.Caseless, 0);
    rows[0].Cells[colType - 1] = "Zip";
    rows[1].Cells[colType - 1] = "folder";
    rows[2].Cells[colType - 1] = "Folder";
    SortSubfolderRows(rows, -colType, compare);
    EXPECT_EQ(Names(rows), (TNames{"a", "B", "b"}));
    EXPECT_EQ(compare.Caseless, 0);

    const uint32_t none = 0;
    const uint32_t year2004 = ListDate(At(2004, 5, 6), TFixedLocale());
    const uint32_t year2044 = ListDate(At(2044, 1, 1), TFixedLocale());
    ASSERT_GE(year2044, 0x80000000u);  // the top bit is set from 2044 on
    rows = {Row("late", "", year2044, none), Row("empty", "", none, year2004), Row("early", "", year2004, year2044)};
    SortSubfolderRows(rows, colLastAccess, compare);
    EXPECT_EQ(Names(rows), (TNames{"empty", "early", "late"}));
    SortSubfolderRows(rows, -colLastAccess, compare);
    EXPECT_EQ(Names(rows), (TNames{"late", "early", "empty"}));
    SortSubfolderRows(rows, colLastChange, compare);
    EXPECT_EQ(Names(rows), (TNames{"late", "empty", "early"}));

    // A key outside the columns leaves the order as it is.
    for (int key : {0, 10, -10, INT32_MIN}) {
        SortSubfolderRows(rows, key, compare);
        EXPECT_EQ(Names(rows), (TNames{"late", "empty", "early"})) << key;
    }
}

TEST(SubfolderSort, ColumnClicksToggleTheDirection) {
    // Name ascending is the initial key, so the first click on Name reverses it.
    int key = kInitialSortColumn;
    key = NextSortColumn(key, colName);
    EXPECT_EQ(key, -colName);
    key = NextSortColumn(key, colName);
    EXPECT_EQ(key, colName);
    key = NextSortColumn(key, colSize);
    EXPECT_EQ(key, colSize);
    key = NextSortColumn(key, colSize);
    EXPECT_EQ(key, -colSize);
    key = NextSortColumn(key, colLastChange);  // another column starts ascending
    EXPECT_EQ(key, colLastChange);
}

}  // namespace
