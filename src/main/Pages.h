#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TFolderNode;

// The sheets of the main window's page control, in their fixed order. The
// sheet for page index k is always the one at position k + 1; the
// not-scanned sheet has no page index.
enum TSheet : int {
    pageNotScanned,
    pagePieChart,
    pageFolderInfo,
    pageSubfolders,
    pageWastedSpace,
    pageCleanUp,
    kSheetCount
};

constexpr int kPageCount = 5;
constexpr uint8_t kCleanUpPage = 4;

inline int SheetOfPage(int page) { return page + 1; }
// -1 for the not-scanned sheet.
inline int PageOfSheet(int sheet) { return sheet - 1; }

// The tab captions of the content sheets; the not-scanned sheet's caption
// comes from NotScannedCaption.
const char* ContentTabCaption(int sheet);

// What UpdatePageVisibility decides for a node.
struct TPageVisibility {
    bool HasRecord = false;   // the node is a folder with a folder record
    uint8_t CurrentPage = 0;  // possibly moved from the clean-up page to the pie
    std::array<bool, kSheetCount> TabVisible{};
    int ActiveSheet = pageNotScanned;
};

// A drive's root cannot be cleaned up, so it has no "Free Some Space" tab
// and falls back to the pie when that page was in use.
TPageVisibility DecidePageVisibility(const TFolderNode* node, uint8_t currentPage);

// The not-scanned sheet: its tab caption and its message.
std::string NotScannedCaption(bool noDrivesScanned);
// `node` is the node shown (none, a drive's root or a folder).
std::string NotScannedMessage(bool noDrivesScanned, bool scanning, const TFolderNode* node);

// The sheets whose tabs show, in tab order. The Win32 tab control cannot
// hide a tab, so the window keeps only these tabs in it; each tab carries
// its sheet, so the page indexes never move.
std::vector<int> VisibleTabSheets(const std::array<bool, kSheetCount>& tabVisible);
