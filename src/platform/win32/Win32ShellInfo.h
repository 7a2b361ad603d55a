#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/ShellInfo.h"

// Shell information from SHGetFileInfo. The shell expects COM to be
// initialised on the calling thread.
class TWin32ShellInfo : public IShellInfo {
public:
    std::string GetShellDisplayName(const std::string& path) override;
    std::string GetShellTypeName(const std::string& path) override;
    int GetShellIconIndex(const std::string& path, bool open) override;
};

// The system image list the icon indexes refer to, small or large icons;
// null on failure. The shell owns the list: never destroy it.
HIMAGELIST GetSystemImageList(bool small);
