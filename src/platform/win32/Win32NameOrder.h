#pragma once
#include <string>

#include "scan/NameOrder.h"

// The system's order of names in the user's locale: the order of lstrcmp,
// which the tree control also uses for its own alphabetical sort.
class TWin32NameOrder : public INameOrder {
public:
    std::string SortKey(const std::string& name) const override;
};
