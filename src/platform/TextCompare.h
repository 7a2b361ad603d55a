#pragma once
#include <string>

// The user's locale's comparison of display texts, as list views sort them.
class ITextCompare {
public:
    virtual ~ITextCompare() = default;
    // Negative, zero or positive, as a sorts before, with or after b.
    virtual int Compare(const std::string& a, const std::string& b, bool ignoreCase) const = 0;
};
