#include "config/WindowPlacementStore.h"

#include <cstdint>

#include "config/RegIniFile.h"
#include "config/RegistryValues.h"

namespace {

// Stands for a value that is not stored.
const int32_t kNotStored = 2147483647;

// A placement value that is there but unreadable counts as not stored: a bad
// value left in the registry must not keep the window from opening.
int32_t ReadPlacementValue(IRegistry& registry, const std::string& root, const std::string& section,
                           const std::string& name) {
    try {
        return ReadIntegerValue(registry, root, section, name, kNotStored);
    } catch (const TRegistryError&) {
        return kNotStored;
    }
}

}  // namespace

void LoadWindowBounds(IRegistry& registry, IWindowPlacement& window, const std::string& root,
                      const std::string& section) {
    const int32_t left = ReadPlacementValue(registry, root, section, "Left");
    if (left != kNotStored) window.SetLeft(left);
    const int32_t top = ReadPlacementValue(registry, root, section, "Top");
    if (top != kNotStored) window.SetTop(top);
    const int32_t width = ReadPlacementValue(registry, root, section, "Width");
    if (width != kNotStored) window.SetWidth(width);
    const int32_t height = ReadPlacementValue(registry, root, section, "Height");
    if (height != kNotStored) window.SetHeight(height);
}

void SaveWindowBounds(IRegistry& registry, const IWindowPlacement& window, const std::string& root,
                      const std::string& section) {
    WriteIntegerValue(registry, root, section, "Left", window.GetLeft());
    WriteIntegerValue(registry, root, section, "Top", window.GetTop());
    WriteIntegerValue(registry, root, section, "Width", window.GetWidth());
    WriteIntegerValue(registry, root, section, "Height", window.GetHeight());
}

bool HasStoredWindowBounds(IRegistry& registry, const std::string& root, const std::string& section) {
    for (const char* name : {"Left", "Top", "Width", "Height"})
        if (ReadPlacementValue(registry, root, section, name) != kNotStored) return true;
    return false;
}

void LoadWindowState(IRegistry& registry, IWindowPlacement& window, const std::string& root,
                     const std::string& section) {
    const int32_t state = ReadPlacementValue(registry, root, section, "WindowState");
    if (state >= 0 && state <= 2) window.SetWindowState(TWindowState(state));
}

void SaveWindowState(IRegistry& registry, const IWindowPlacement& window, const std::string& root,
                     const std::string& section) {
    WriteIntegerValue(registry, root, section, "WindowState", int32_t(window.GetWindowState()));
}
