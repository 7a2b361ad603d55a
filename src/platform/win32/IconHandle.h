#pragma once
#include <windows.h>

// Owns an icon handle from SHGetFileInfo, CopyIcon and friends; destroys it
// once. Movable, so that lists of icons can own their entries.
class TIconHandle {
public:
    explicit TIconHandle(HICON icon = nullptr) : Icon(icon) {}
    ~TIconHandle() { Reset(); }
    TIconHandle(TIconHandle&& other) noexcept : Icon(other.Icon) { other.Icon = nullptr; }
    TIconHandle& operator=(TIconHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            Icon = other.Icon;
            other.Icon = nullptr;
        }
        return *this;
    }
    TIconHandle(const TIconHandle&) = delete;
    TIconHandle& operator=(const TIconHandle&) = delete;

    HICON Get() const { return Icon; }
    void Reset() {
        if (Icon) DestroyIcon(Icon);
        Icon = nullptr;
    }

private:
    HICON Icon;
};
