#pragma once
#include <string>

// The order in which folder names are sorted. It is given by sort keys:
// byte strings that compare like the names they stand for, so that sorting
// n names asks the system for n keys instead of n log n comparisons.
class INameOrder {
public:
    virtual ~INameOrder() = default;
    virtual std::string SortKey(const std::string& name) const = 0;
    // Negative, zero or positive, as a comes before, with or after b.
    int Compare(const std::string& a, const std::string& b) const;
};

// A portable stand-in for the Windows word sort that lstrcmp uses: letters
// compare without case first, hyphens and apostrophes are ignored at first,
// symbols sort before digits and digits before letters; lower case comes
// before upper case when nothing else differs, and a name without hyphens
// before the same name with them. The Win32 build uses the system's own order.
class TWordSortOrder : public INameOrder {
public:
    std::string SortKey(const std::string& name) const override;
};
