#include "scan/NameCompare.h"

namespace {

bool IsIgnoredAtFirst(unsigned char c) { return c == '-' || c == '\''; }

// Primary sort key of a character: symbols, then digits, then letters.
int PrimaryKey(unsigned char c) {
    if (c >= 'A' && c <= 'Z') c = (unsigned char)(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return 0x300 + c;
    if (c >= '0' && c <= '9') return 0x200 + c;
    if (c >= 0x80) return 0x400 + c;  // bytes of non-ASCII characters sort after ASCII letters
    return 0x100 + c;
}

int Sign(int v) { return (v > 0) - (v < 0); }

int ComparePrimary(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && IsIgnoredAtFirst((unsigned char)a[i])) ++i;
        while (j < b.size() && IsIgnoredAtFirst((unsigned char)b[j])) ++j;
        if (i == a.size() || j == b.size()) return Sign(int(i < a.size()) - int(j < b.size()));
        const int d = PrimaryKey((unsigned char)a[i]) - PrimaryKey((unsigned char)b[j]);
        if (d != 0) return Sign(d);
        ++i;
        ++j;
    }
}

// Among names equal but for case, lower case first at the first difference.
int CompareCase(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        while (i < a.size() && IsIgnoredAtFirst((unsigned char)a[i])) ++i;
        while (j < b.size() && IsIgnoredAtFirst((unsigned char)b[j])) ++j;
        if (i == a.size() || j == b.size()) break;
        const bool upperA = a[i] >= 'A' && a[i] <= 'Z';
        const bool upperB = b[j] >= 'A' && b[j] <= 'Z';
        if (upperA != upperB) return upperA ? 1 : -1;
        ++i;
        ++j;
    }
    return 0;
}

}  // namespace

int CompareNamesLikeWindows(const std::string& a, const std::string& b) {
    if (int r = ComparePrimary(a, b)) return r;
    if (int r = CompareCase(a, b)) return r;
    // Equal but for hyphens and apostrophes: the name without them first.
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}
