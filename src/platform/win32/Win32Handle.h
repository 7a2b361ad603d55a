#pragma once
#include <windows.h>

// Owns a kernel handle from CreateFile and friends; closes it once.
class TWin32Handle {
public:
    explicit TWin32Handle(HANDLE h = INVALID_HANDLE_VALUE) : Handle(h) {}
    ~TWin32Handle() { Close(); }
    TWin32Handle(const TWin32Handle&) = delete;
    TWin32Handle& operator=(const TWin32Handle&) = delete;
    TWin32Handle(TWin32Handle&& other) noexcept : Handle(other.Handle) { other.Handle = INVALID_HANDLE_VALUE; }
    TWin32Handle& operator=(TWin32Handle&& other) noexcept {
        if (this != &other) {
            Close();
            Handle = other.Handle;
            other.Handle = INVALID_HANDLE_VALUE;
        }
        return *this;
    }

    HANDLE Get() const { return Handle; }
    bool IsValid() const { return Handle != INVALID_HANDLE_VALUE && Handle != nullptr; }
    void Close() {
        if (IsValid()) CloseHandle(Handle);
        Handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE Handle;
};

// Owns a search handle from FindFirstFileW; closes it with FindClose.
class TFindHandle {
public:
    explicit TFindHandle(HANDLE h = INVALID_HANDLE_VALUE) : Handle(h) {}
    ~TFindHandle() {
        if (Handle != INVALID_HANDLE_VALUE) FindClose(Handle);
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;

    HANDLE Get() const { return Handle; }
    bool IsValid() const { return Handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE Handle;
};

// Owns an open registry key from RegOpenKeyExW or RegCreateKeyExW; closes it
// with RegCloseKey.
class TRegKey {
public:
    TRegKey() = default;
    ~TRegKey() { Close(); }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;

    HKEY Get() const { return Key; }
    bool IsValid() const { return Key != nullptr; }
    void Close() {
        if (Key) RegCloseKey(Key);
        Key = nullptr;
    }
    // Where the calls that hand out a new key put it; a key held before is closed.
    HKEY* Receive() {
        Close();
        return &Key;
    }

private:
    HKEY Key = nullptr;
};
