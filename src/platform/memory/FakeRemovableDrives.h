#pragma once
#include <set>
#include <string>

#include "platform/RemovableDrives.h"

// The drives the test names as removable or CD-ROM; every other is fixed.
class TFakeRemovableDrives : public IRemovableDrives {
public:
    std::set<char> Letters;  // lower case, as the roots are asked

    bool IsRemovableOrCdRom(const std::string& root) override { return !root.empty() && Letters.count(root[0]) > 0; }
};
