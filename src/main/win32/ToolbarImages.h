#pragma once
#include <windows.h>

#include <commctrl.h>

#include "controls/PixelScale.h"

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
    // Takes another list in place of the one held, which is destroyed.
    void Reset(HIMAGELIST list) {
        if (List && List != list) ImageList_Destroy(List);
        List = list;
    }

private:
    HIMAGELIST List;
};

constexpr int kToolImageSize = 16;

// The toolbar's pictures (TToolImage order), drawn here at the scale;
// null on failure.
HIMAGELIST CreateToolbarImages(TPixelScale scale);
