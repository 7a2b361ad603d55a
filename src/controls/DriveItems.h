#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A drive item text is the drive letter in upper case followed directly by
// the name the shell shows for the drive's root: "C" + "Local Disk (C:)".
// The letter is what the program works with; the rest is what the user sees.

// The letters of a logical drive mask, upper case, in alphabetical order.
// Bits above Z are ignored.
std::string DriveLettersOf(uint32_t mask);

// The root the drive lists ask the shell about: the lower-case letter and ":\".
std::string ShellDriveRoot(char letter);

std::string DriveItemText(char letter, const std::string& displayName);

// The item's letter, its first character as stored; 0 for an empty text.
char DriveItemLetter(const std::string& itemText);

// The text without its letter, as the lists draw it.
std::string DriveItemName(const std::string& itemText);

// The first item whose letter equals `letter`, both taken in upper case;
// -1 when there is none.
int FindDriveItem(const std::vector<std::string>& itemTexts, char letter);

// The letters of the checked items in list order, as one string: C and D
// checked give "CD". Items without a check state count as unchecked.
std::string CheckedLetters(const std::vector<std::string>& itemTexts, const std::vector<bool>& checked);
