#pragma once
#include <string>

#include "platform/CurrentDirectory.h"
#include "platform/MessageBoxes.h"

// The sentence shown for a drive whose root cannot be entered, starting
// with the letter as given: "a: is not accessible. ..."
std::string DriveNotAccessibleText(char letter);

// Enters the drive's root ("X:\", the letter's case kept) before the program
// reads the drive. While that fails, asks the user to fix it with Retry or
// give up with Cancel. True once the root is the current directory, false
// when the user cancelled.
bool CheckDriveAccessible(char letter, ICurrentDirectory& directory, IMessageBoxes& boxes);
