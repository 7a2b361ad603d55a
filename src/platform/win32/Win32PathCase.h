#pragma once
#include "platform/PathCase.h"

// The system's file-system casing table.
class TWin32PathCase : public IPathCase {
public:
    std::string Upper(const std::string& utf8) const override;
};
