#include "main/Pages.h"

#include "scan/FolderTree.h"

namespace {

const char* const kNoDrivesMessage =
    "No drives have been scanned.\r\n\r\nTo scan a drive, select it in the drives list box located in the toolbar "
    "and press the 'Scan' toolbar button.";
const char* const kStillScanningMessage =
    "Quarrymap 2000 has not finished gathering information about this %s.\r\n\r\nYou may wait until the %s is "
    "completely scanned\r\n\r\nor\r\n\r\nyou may select another drive or folder from the left folder tree view.";
const char* const kInterruptedMessage =
    "The scannning process was interrupted before Quarrymap 2000 had finished scanning this %s.\r\n\r\nYou may "
    "rescan the %s\r\n\r\nor\r\n\r\nyou may select another drive or folder from the left folder tree view.";

std::string ReplaceEachPlaceholder(const std::string& format, const std::string& word) {
    std::string result;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            result += word;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

const char* ItemWord(const TFolderNode* node) {
    if (!node) return "item";
    return node->IsRoot() ? "drive" : "folder";
}

}  // namespace

const char* ContentTabCaption(int sheet) {
    switch (sheet) {
        case pagePieChart: return "Pie Chart";
        case pageFolderInfo: return "Folder Info";
        case pageSubfolders: return "Subfolders";
        case pageWastedSpace: return "Wasted Space";
        case pageCleanUp: return "Free Some Space";
        default: return "";
    }
}

TPageVisibility DecidePageVisibility(const TFolderNode* node, uint8_t currentPage) {
    TPageVisibility result;
    result.CurrentPage = currentPage;
    result.HasRecord = node && node->Record;
    if (!result.HasRecord) {
        result.TabVisible[pageNotScanned] = true;
        result.ActiveSheet = pageNotScanned;
        return result;
    }
    const bool root = node->IsRoot();
    if (root && currentPage == kCleanUpPage) result.CurrentPage = 0;
    for (int sheet = pagePieChart; sheet < kSheetCount; ++sheet) result.TabVisible[sheet] = true;
    if (root) result.TabVisible[pageCleanUp] = false;
    result.ActiveSheet = SheetOfPage(result.CurrentPage);
    return result;
}

std::string NotScannedCaption(bool noDrivesScanned) {
    return noDrivesScanned ? "No scanned items" : "Folder not scanned";
}

std::string NotScannedMessage(bool noDrivesScanned, bool scanning, const TFolderNode* node) {
    if (noDrivesScanned) return kNoDrivesMessage;
    return ReplaceEachPlaceholder(scanning ? kStillScanningMessage : kInterruptedMessage, ItemWord(node));
}

std::vector<int> VisibleTabSheets(const std::array<bool, kSheetCount>& tabVisible) {
    std::vector<int> sheets;
    for (int sheet = 0; sheet < kSheetCount; ++sheet)
        if (tabVisible[sheet]) sheets.push_back(sheet);
    return sheets;
}
