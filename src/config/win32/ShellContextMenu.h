#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Shows the shell's own context menu for the file, folder, drive root or
// wildcard pattern named by the path at the screen point, owned by the
// owner window, and runs the command the user picks. True when a command
// was invoked successfully; every failure on the way gives false quietly.
// The caller has initialised COM on this thread.
bool ShowItemContextMenu(const std::string& path, HWND owner, POINT screenPoint);

// The entries of the folder (files and folders of any attribute) that a
// wildcard name stands for, in listing order.
std::vector<std::string> MatchingFolderItemNames(const std::string& folder, const std::string& pattern);
