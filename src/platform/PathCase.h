#pragma once
#include <string>

// Letter case as the file system folds it: paths that differ only in case
// name the same file, over the whole Unicode range, not only A to Z.
class IPathCase {
public:
    virtual ~IPathCase() = default;
    // The text in upper case, character by character, as the file system
    // compares names (no linguistic rules: "i" is always "I").
    virtual std::string Upper(const std::string& utf8) const = 0;
};
