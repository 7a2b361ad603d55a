#pragma once
#include <unknwn.h>

// Owns one reference to a COM object; releases it once.
template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    T* Get() const { return Pointer; }
    T* operator->() const { return Pointer; }
    explicit operator bool() const { return Pointer != nullptr; }
    void Reset() {
        if (Pointer) Pointer->Release();
        Pointer = nullptr;
    }
    // Where the calls that hand out a new reference put it; a reference held before is released.
    T** Receive() {
        Reset();
        return &Pointer;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* Pointer = nullptr;
};
