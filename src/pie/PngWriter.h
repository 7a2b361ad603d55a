#pragma once
#include <string>

#include "pie/PictureFiles.h"

// A PNG file of the image: 8-bit RGB without alpha, each row with the
// filter that suits it best, deflated by zlib. Throws std::length_error for
// an empty image or one beyond the format, std::runtime_error when zlib fails.
std::string PngFileBytes(const TBgrxImage& image);
