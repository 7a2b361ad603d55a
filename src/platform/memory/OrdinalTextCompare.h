#pragma once
#include <string>

#include "platform/TextCompare.h"

// Byte-wise comparison of UTF-8 texts; ignoring case folds only the letters
// a to z. Results are -1, 0 or 1.
class TOrdinalTextCompare : public ITextCompare {
public:
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) const override;
};
