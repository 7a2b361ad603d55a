#include "controls/DriveItems.h"

#include "scan/DriveRecords.h"

namespace {

const int kDriveLetterCount = 26;

char LowerDriveLetter(char letter) { return (letter >= 'A' && letter <= 'Z') ? char(letter - 'A' + 'a') : letter; }

}  // namespace

std::string DriveLettersOf(uint32_t mask) {
    std::string letters;
    for (int i = 0; i < kDriveLetterCount; ++i)
        if (mask & (uint32_t(1) << i)) letters += char('A' + i);
    return letters;
}

std::string ShellDriveRoot(char letter) { return std::string(1, LowerDriveLetter(letter)) + ":\\"; }

std::string DriveItemText(char letter, const std::string& displayName) {
    return std::string(1, UpperDriveLetter(letter)) + displayName;
}

char DriveItemLetter(const std::string& itemText) { return itemText.empty() ? '\0' : itemText[0]; }

std::string DriveItemName(const std::string& itemText) { return itemText.empty() ? itemText : itemText.substr(1); }

int FindDriveItem(const std::vector<std::string>& itemTexts, char letter) {
    const char wanted = UpperDriveLetter(letter);
    for (size_t i = 0; i < itemTexts.size(); ++i)
        if (!itemTexts[i].empty() && UpperDriveLetter(itemTexts[i][0]) == wanted) return int(i);
    return -1;
}

std::string CheckedLetters(const std::vector<std::string>& itemTexts, const std::vector<bool>& checked) {
    std::string letters;
    for (size_t i = 0; i < itemTexts.size() && i < checked.size(); ++i)
        if (checked[i] && !itemTexts[i].empty()) letters += itemTexts[i][0];
    return letters;
}
