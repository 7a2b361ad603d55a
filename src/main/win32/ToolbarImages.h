#pragma once
#include <windows.h>

#include <commctrl.h>

// Owns an image list and destroys it once.
class TImageList {
public:
    explicit TImageList(HIMAGELIST list = nullptr) : List(list) {}
    ~TImageList() {
        if (List) ImageList_Destroy(List);
    }
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    HIMAGELIST Get() const { return List; }

private:
    HIMAGELIST List;
};

constexpr int kToolImageSize = 16;

// The toolbar's pictures (TToolImage order), drawn here; null on failure.
HIMAGELIST CreateToolbarImages();
