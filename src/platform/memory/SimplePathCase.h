#pragma once
#include "platform/PathCase.h"

// Upper case for ASCII, Latin-1, Greek and Cyrillic letters: the scripts
// the tests name files in, folded as the file system folds them.
class TSimplePathCase : public IPathCase {
public:
    std::string Upper(const std::string& utf8) const override;
};
