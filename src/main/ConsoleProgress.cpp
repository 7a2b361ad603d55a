#include "main/ConsoleProgress.h"

#include "controls/PathEllipsis.h"

TConsoleProgress::TConsoleProgress(uint64_t startMs, size_t width, uint64_t intervalMs)
    : Width(width), IntervalMs(intervalMs), NextMs(startMs + intervalMs) {}

std::string TConsoleProgress::Update(uint64_t nowMs, int64_t folders, int64_t files, const std::string& path) {
    if (nowMs < NextMs) return std::string();
    NextMs = nowMs + IntervalMs;
    std::string line = "Scanning: " + std::to_string(folders) + " folders, " + std::to_string(files) + " files";
    const size_t used = line.size() + 2;
    if (!path.empty() && used < Width) {
        const std::string shown =
            MinimizePath(path, int(Width - used), [](const std::string& text) { return int(Utf8Length(text)); });
        // A folder name too long for what is left is left out altogether.
        if (Utf8Length(shown) <= Width - used) line += "  " + shown;
    }
    const size_t length = Utf8Length(line);
    std::string text = "\r" + line;
    if (length < ShownLength) text.append(ShownLength - length, ' ');
    ShownLength = length;
    return text;
}

std::string TConsoleProgress::Erase() {
    if (ShownLength == 0) return std::string();
    std::string text = "\r" + std::string(ShownLength, ' ') + "\r";
    ShownLength = 0;
    return text;
}
