#pragma once
#include "platform/TextCompare.h"

// The user's locale's comparison (CompareStringW), as list views sort.
class TWin32TextCompare : public ITextCompare {
public:
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) const override;
};
