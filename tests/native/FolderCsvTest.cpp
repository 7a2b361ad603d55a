#include "scan/FolderCsv.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

namespace {

std::vector<std::string> Rows(const TFolderNode& top, int32_t clusterSize, std::string* all = nullptr) {
    std::string text;
    WriteFolderCsv(top, clusterSize, [&text](const std::string& part) { text += part; });
    if (all) *all = text;
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            rows.push_back("(no line end) " + text.substr(start));
            break;
        }
        rows.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return rows;
}

TEST(FolderCsvTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ("C:\\Data", CsvField("C:\\Data"));
    EXPECT_EQ("\"C:\\Tom, Jerry\"", CsvField("C:\\Tom, Jerry"));
    EXPECT_EQ("\"C:\\The \"\"best\"\" of\"", CsvField("C:\\The \"best\" of"));
    EXPECT_EQ("\"a\nb\"", CsvField("a\nb"));
    EXPECT_EQ("C:\\Å ström", CsvField("C:\\Å ström"));  // UTF-8 passes unchanged
    EXPECT_EQ("", CsvTime(TFileTime()));
    // 2026-12-08 21:05:09 UTC in 100-ns steps since 1601.
    EXPECT_EQ("2026-12-08T21:05:09Z", CsvTime(MakeFileTime(134412375090000000ull)));
}

TEST(FolderCsvTest, OneRowPerFolderParentsFirstInTreeOrder) {
    TFolderTree tree;
    TFolderNode* root = tree.AddRoot("Local Disk (C:)", 'C');
    TFolderNode* data = tree.AddChild(*root, "Data, old");
    TFolderNode* inner = tree.AddChild(*data, "Inner");
    TFolderNode* apps = tree.AddChild(*root, "Apps");
    TFolderNode* link = tree.AddChild(*root, "Link");
    for (TFolderNode* node : {root, data, inner, apps}) node->Record = std::make_unique<TFolderSize>();
    link->Record = std::make_unique<TFolderSize>();  // a folder link: listed, never entered
    TFolderSize& r = *data->Record;
    r.TreeSize = 5000;
    r.TreeWasted = 3192;
    r.TreeFiles = 2;
    r.TreeFolders = 1;
    r.OwnSize = 1000;
    r.OwnFiles = 1;
    r.OwnFolders = 1;
    r.LastWrite = MakeFileTime(134412375090000000ull);
    r.AttrUnion = 0x21;
    // What Data's files waste themselves is what Inner's subtree leaves;
    // the root's files waste nothing.
    inner->Record->TreeWasted = 96;
    root->Record->TreeWasted = 3192;
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        r.TreeWastedAt[k] = 100 * k;
        inner->Record->TreeWastedAt[k] = 99 * k;
        root->Record->TreeWastedAt[k] = 100 * k;
    }
    std::string all;
    const std::vector<std::string> rows = Rows(*root, 4096, &all);
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ(0u, all.find("\xEF\xBB\xBFPath,TreeSize,TreeAllocated,"));
    EXPECT_EQ("\r\n", all.substr(all.size() - 2));  // the last row ends too
    EXPECT_EQ(std::string("\xEF\xBB\xBF") + kFolderCsvHeader, rows[0]);
    EXPECT_EQ(0u, rows[1].find("C:\\,0,3192,3192,0,0,0,0,0,0,0,,,0,4096,100,"));
    EXPECT_EQ(
        "\"C:\\Data, old\",5000,8192,3192,2,1,1000,4096,3096,1,1,,2026-12-08T21:05:09Z,33,4096,"
        "100,200,300,400,500,600,700,1,2,3,4,5,6,7",
        rows[2]);
    EXPECT_EQ(0u, rows[3].find("\"C:\\Data, old\\Inner\","));  // quoted for its parent's comma
    EXPECT_EQ(0u, rows[4].find("C:\\Apps,"));
    EXPECT_EQ("C:\\Link,0,0,0,0,0,0,0,0,0,0,,,0,4096,0,0,0,0,0,0,0,0,0,0,0,0,0,0", rows[5]);
    // Every row has the header's 29 columns (the quoted comma aside).
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        const size_t commas = size_t(std::count(row.begin(), row.end(), ','));
        EXPECT_EQ(i == 2 || i == 3 ? 29u : 28u, commas) << row;
    }
}

TEST(FolderCsvTest, AVeryDeepTreeIsWrittenWithItsWholePaths) {
    TFolderTree tree;
    TFolderNode* node = tree.AddRoot("D:", 'D');
    for (int depth = 0; depth < 20000; ++depth) node = tree.AddChild(*node, "d");
    size_t rows = 0;
    std::string last;
    WriteFolderCsv(*tree.Roots()[0], 512, [&](const std::string& row) {
        ++rows;
        last = row;
    });
    EXPECT_EQ(20002u, rows);  // the header and every folder
    EXPECT_EQ(0u, last.find("D:\\d\\d\\"));
    EXPECT_EQ(3 + 20000 * 2 - 1, int(last.find(',')));  // "D:\" and 20,000 times "d\", less the last "\"
}

}  // namespace
