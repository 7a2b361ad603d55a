#include "controls/DriveItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/FakeDriveEnumerator.h"

namespace {

TEST(DriveItemsTest, MaskGivesUpperCaseLettersInOrderFromAToZOnly) {
    TFakeDriveEnumerator drives;
    for (char letter : {'d', 'A', 'C'}) drives.AddLetter(letter);
    EXPECT_EQ("ACD", DriveLettersOf(drives.GetLogicalDriveMask()));
    drives.RemoveLetter('c');
    EXPECT_EQ("AD", DriveLettersOf(drives.GetLogicalDriveMask()));
    EXPECT_EQ("Z", DriveLettersOf(uint32_t(1) << 25));
    EXPECT_EQ("", DriveLettersOf(0xFC000000u));  // bits 26 to 31 name no drive
}

TEST(DriveItemsTest, ItemTextIsTheUpperCaseLetterFollowedByTheDisplayName) {
    const std::string text = DriveItemText('c', "R&D disk (C:)");
    EXPECT_EQ("CR&D disk (C:)", text);
    EXPECT_EQ('C', DriveItemLetter(text));
    EXPECT_EQ("R&D disk (C:)", DriveItemName(text));
    EXPECT_EQ("Q", DriveItemText('q', ""));
    EXPECT_EQ('\0', DriveItemLetter(""));
    EXPECT_EQ("c:\\", ShellDriveRoot('C'));
}

TEST(DriveItemsTest, FindsTheFirstItemOfALetterInEitherCase) {
    const std::vector<std::string> items = {"AFloppy", "CSystem", "DData", "dstray lower-case item"};
    EXPECT_EQ(1, FindDriveItem(items, 'c'));
    EXPECT_EQ(2, FindDriveItem(items, 'D'));
    EXPECT_EQ(-1, FindDriveItem(items, 'E'));
    EXPECT_EQ(-1, FindDriveItem(items, '\0'));
}

TEST(DriveItemsTest, CheckedLettersFollowListOrder) {
    const std::vector<std::string> items = {"AFloppy", "CSystem", "DData", "XExtra"};
    EXPECT_EQ("CD", CheckedLetters(items, {false, true, true, false}));
    EXPECT_EQ("AX", CheckedLetters(items, {true, false, false, true}));
    EXPECT_EQ("A", CheckedLetters(items, {true}));  // items without a check state are unchecked
}

}  // namespace
