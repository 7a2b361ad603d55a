#pragma once
#include <cstddef>
#include <string>

// Case changes of the letters a to z only; every other byte stays, so UTF-8
// text passes through unharmed.
std::string AsciiUpper(std::string text);
std::string AsciiLower(std::string text);

// The number of characters of a UTF-8 text (bytes that start one).
size_t Utf8Length(const std::string& text);

// The text cut to at most maxChars characters, never inside a UTF-8 sequence.
std::string TruncateUtf8(const std::string& text, size_t maxChars);
