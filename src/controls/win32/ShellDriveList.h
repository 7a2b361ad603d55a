#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Owned.h"

class IDriveEnumerator;
class IShellInfo;

// One logical drive as the drive lists show it.
struct TShellDrive {
    std::string Text;  // the drive item text: upper-case letter + shell display name
    TIconHandle Icon;  // the shell's small icon for the root; null when the shell gave none
};

// The logical drives, in letter order, with the names and small icons the
// shell shows for their roots. The list owns the icons: filling it again
// destroys those of the fill before, and so does the list's end.
class TShellDriveList {
public:
    TShellDriveList(IDriveEnumerator& drives, IShellInfo& shell) : Drives(drives), Shell(shell) {}

    void Fill();
    void Clear() { Items.clear(); }

    int Count() const { return int(Items.size()); }
    // Null for an index outside the list.
    const TShellDrive* At(int index) const;
    std::vector<std::string> Texts() const;

private:
    IDriveEnumerator& Drives;
    IShellInfo& Shell;
    std::vector<TShellDrive> Items;
};
