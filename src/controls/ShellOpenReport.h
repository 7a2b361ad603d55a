#pragma once
#include <cstdint>
#include <string>

#include "platform/ShellOpen.h"

class IMessageBoxes;

// What the user is told when Windows could not open a help page, the web
// page or a document: the target and, where the shell's code says it,
// why (no program for that kind of file, a file that is missing).
std::string ShellOpenFailureText(const std::string& target, intptr_t result);

// Opens the target with the shell's default action and says why when it
// could not. True when it opened.
bool OpenOrSay(IShellOpen& shell, IMessageBoxes& boxes, const std::string& target,
               const std::string& parameters = std::string(), int showMode = kShowNormal);
