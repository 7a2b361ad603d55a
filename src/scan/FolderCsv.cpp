#include "scan/FolderCsv.h"

#include <cstdio>
#include <vector>

#include "scan/DateText.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

const char* const kFolderCsvHeader =
    "Path,TreeSize,TreeAllocated,TreeWasted,TreeFiles,TreeFolders,OwnSize,OwnAllocated,OwnWasted,OwnFiles,"
    "OwnFolders,LastAccess,LastWrite,AttrUnion,ClusterSize,TreeWasted512,TreeWasted2048,TreeWasted4096,"
    "TreeWasted8192,TreeWasted16384,TreeWasted32768,TreeWasted65536,OwnWasted512,OwnWasted2048,OwnWasted4096,"
    "OwnWasted8192,OwnWasted16384,OwnWasted32768,OwnWasted65536";

namespace {

const char kLineEnd[] = "\r\n";

std::string RowOf(const TFolderNode& node, const std::string& path, int32_t clusterSize) {
    static const TFolderSize kEmpty;
    const TFolderSize& r = node.Record ? *node.Record : kEmpty;
    std::string row = CsvField(path);
    const auto add = [&row](const std::string& field) {
        row += ',';
        row += field;
    };
    const auto number = [&add](int64_t value) { add(std::to_string(value)); };
    number(r.TreeSize);
    number(r.TreeSize + r.TreeWasted);
    number(r.TreeWasted);
    number(r.TreeFiles);
    number(r.TreeFolders);
    number(r.OwnSize);
    const int64_t ownWasted = OwnWasted(node);
    number(r.OwnSize + ownWasted);
    number(ownWasted);
    number(r.OwnFiles);
    number(r.OwnFolders);
    add(CsvTime(r.LastAccess));
    add(CsvTime(r.LastWrite));
    number(r.AttrUnion);
    number(clusterSize);
    for (int k = 1; k <= kClusterSizeCount; ++k) number(r.TreeWastedAt[k]);
    for (int k = 1; k <= kClusterSizeCount; ++k) number(OwnWastedAt(node, k));
    return row + kLineEnd;
}

}  // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CsvTime(const TFileTime& utc) {
    if (IsZeroFileTime(utc)) return std::string();
    const TCalendarTime t = SplitFileTime(utc);
    char text[32];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02dZ", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                  t.Second);
    return text;
}

void WriteFolderCsv(const TFolderNode& top, int32_t clusterSize, const std::function<void(const std::string&)>& write) {
    write(std::string("\xEF\xBB\xBF") + kFolderCsvHeader + kLineEnd);
    // Depth first without recursion, so deep trees do not exhaust the
    // stack; each path is its parent's, kept in one string, plus a name.
    struct TPending {
        const TFolderNode* Node;
        size_t ParentLength;  // of the parent's path; npos for the top
    };
    std::vector<TPending> pending = {{&top, std::string::npos}};
    std::string path;
    while (!pending.empty()) {
        const TPending next = pending.back();
        pending.pop_back();
        if (next.ParentLength == std::string::npos) {
            path = NodePath(next.Node);
        } else {
            path.resize(next.ParentLength);
            if (path.empty() || path.back() != '\\') path += '\\';
            path += next.Node->Text();
        }
        write(RowOf(*next.Node, path, clusterSize));
        for (auto child = next.Node->Children.rbegin(); child != next.Node->Children.rend(); ++child)
            pending.push_back(TPending{child->get(), path.size()});
    }
}
