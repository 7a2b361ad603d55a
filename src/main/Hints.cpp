#include "main/Hints.h"

std::string ShortHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string LongHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

bool RestoresStatusPath(const std::string& longHint) { return longHint.empty() || longHint == ":"; }
