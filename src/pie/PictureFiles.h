#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The byte layouts of the pie's picture files and clipboard data, apart
// from what GDI writes itself.

// Pixels as a 32-bit DIB holds them: top-down rows, each pixel 0x00RRGGBB
// (blue in the lowest byte); the top byte is ignored.
struct TBgrxImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// A packed 24-bit DIB, as the clipboard's CF_DIB format takes it: a
// BITMAPINFOHEADER and the rows bottom-up, each padded to four bytes.
// Throws std::length_error for an empty image or one beyond the format.
std::string DibBytes(const TBgrxImage& image);
// A .BMP file: the 14-byte BITMAPFILEHEADER and the packed DIB.
std::string BmpFileBytes(const TBgrxImage& image);

struct TMetafileWindow {
    int32_t OriginX = 0;
    int32_t OriginY = 0;
    int32_t ExtentX = 0;
    int32_t ExtentY = 0;
};

// The window origin and extent the records of a standard Windows metafile
// set first; none when it sets no extent or the bytes are not a metafile.
std::optional<TMetafileWindow> MetafileWindowOf(const std::string& metafileBits);

// The 22-byte header that goes before a standard Windows metafile so that
// other programs know the picture's size: its bounds in metafile units and
// how many of them make an inch. Throws std::length_error when a value does
// not fit the header's 16 bits.
std::string PlaceableMetafileHeader(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t unitsPerInch);
