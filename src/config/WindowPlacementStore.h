#pragma once
#include <string>

#include "platform/Registry.h"
#include "platform/WindowPlacement.h"

// A window's placement in the integer values "Left", "Top", "Width",
// "Height" and "WindowState" of one section below `root`.

// Applies each stored bound on its own, in the order left, top, width,
// height; a bound that is missing or cannot be read leaves the window's own.
void LoadWindowBounds(IRegistry& registry, IWindowPlacement& window, const std::string& root,
                      const std::string& section);
void SaveWindowBounds(IRegistry& registry, const IWindowPlacement& window, const std::string& root,
                      const std::string& section);

// Applies a stored state of 0, 1 or 2; anything else, or nothing readable,
// leaves the window as it is.
// True when the section holds any of the stored bounds.
bool HasStoredWindowBounds(IRegistry& registry, const std::string& root, const std::string& section);

void LoadWindowState(IRegistry& registry, IWindowPlacement& window, const std::string& root,
                     const std::string& section);
void SaveWindowState(IRegistry& registry, const IWindowPlacement& window, const std::string& root,
                     const std::string& section);
