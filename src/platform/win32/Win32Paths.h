#pragma once
#include <cstdint>
#include <string>

// The absolute form of a path as Windows resolves it against the current
// directory ("..", ".", "/", relative and drive-relative forms); "" on
// failure. A path that is already full (IsFullPath) comes back as it
// stands, and a bare drive ("C:" or "c:") is taken as that drive's root.
std::string FullPathName(const std::string& path);

// The system's sentence for an error code, without its line break, such as
// "Access is denied."; "error N" when the system has none.
std::string SystemErrorText(uint32_t code);
