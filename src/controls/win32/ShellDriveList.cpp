#include "controls/win32/ShellDriveList.h"

#include <shellapi.h>

#include "controls/DriveItems.h"
#include "platform/DriveList.h"
#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"

namespace {

// A new icon handle the caller owns, or null when the shell has none.
HICON LoadSmallShellIcon(const std::string& path) {
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON)) return nullptr;
    return info.hIcon;
}

}  // namespace

void TShellDriveList::Fill() {
    Items.clear();
    for (char letter : DriveLettersOf(Drives.GetLogicalDriveMask())) {
        const std::string root = ShellDriveRoot(letter);
        TShellDrive drive;
        drive.Text = DriveItemText(letter, Shell.GetShellDisplayName(root));
        drive.Icon = TIconHandle(LoadSmallShellIcon(root));
        Items.push_back(std::move(drive));
    }
}

const TShellDrive* TShellDriveList::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &Items[size_t(index)];
}

std::vector<std::string> TShellDriveList::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(Items.size());
    for (const TShellDrive& drive : Items) texts.push_back(drive.Text);
    return texts;
}
