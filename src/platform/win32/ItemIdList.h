#pragma once
#include <windows.h>

#include <shtypes.h>

// Owns a shell item identifier list handed out by the shell's task
// allocator; frees it with CoTaskMemFree. Movable, so lists of them can grow.
class TItemIdList {
public:
    TItemIdList() = default;
    ~TItemIdList() { Reset(); }
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;
    TItemIdList(TItemIdList&& other) noexcept : List(other.List) { other.List = nullptr; }
    TItemIdList& operator=(TItemIdList&& other) noexcept {
        if (this != &other) {
            Reset();
            List = other.List;
            other.List = nullptr;
        }
        return *this;
    }

    LPITEMIDLIST Get() const { return List; }
    void Reset() {
        if (List) CoTaskMemFree(List);
        List = nullptr;
    }
    LPITEMIDLIST* Receive() {
        Reset();
        return &List;
    }

private:
    LPITEMIDLIST List = nullptr;
};
