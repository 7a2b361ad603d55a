#pragma once
#include <functional>
#include <string>

// The path shortened to fit `maxWidth` pixels as `textWidth` measures it.
// The folders after the drive give way first, one by one from the left, to
// "..." (C:\...\System\Drivers, then C:\...\Drivers); the drive goes last
// (...\Drivers). When not even that fits, the folder's own name is left
// alone. A path that fits, or has nothing to leave out, comes back as it is.
// Drive letters, UNC shares (\\server\share stands for the drive) and
// relative paths are all understood.
std::string MinimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& textWidth);
