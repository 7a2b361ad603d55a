// The PNG writer, judged by a decoder of its own here: chunk CRCs, the
// header, inflating the data with zlib and undoing every row filter.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "pie/PngWriter.h"

namespace {

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 |
           uint32_t(uint8_t(bytes[at + 2])) << 8 | uint32_t(uint8_t(bytes[at + 3]));
}

struct TDecodedPng {
    std::vector<std::string> ChunkTypes;
    TBgrxImage Image;
    std::set<int> FiltersUsed;
};

// Decodes 8-bit RGB PNG as the writer makes it; fails the test on any fault.
::testing::AssertionResult DecodePng(const std::string& file, TDecodedPng& decoded) {
    if (file.compare(0, 8, std::string("\x89PNG\r\n\x1A\n", 8)) != 0)
        return ::testing::AssertionFailure() << "no signature";
    std::string header, data;
    size_t at = 8;
    while (at < file.size()) {
        if (at + 12 > file.size()) return ::testing::AssertionFailure() << "truncated chunk at " << at;
        const uint32_t length = BigEndian32(file, at);
        if (at + 12 + length > file.size()) return ::testing::AssertionFailure() << "chunk past the end at " << at;
        const std::string type = file.substr(at + 4, 4);
        const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(file.data() + at + 4), uInt(length + 4));
        if (crc != BigEndian32(file, at + 8 + length)) return ::testing::AssertionFailure() << "bad CRC of " << type;
        decoded.ChunkTypes.push_back(type);
        if (type == "IHDR") header = file.substr(at + 8, length);
        if (type == "IDAT") data += file.substr(at + 8, length);
        at += 12 + length;
    }
    if (header.size() != 13) return ::testing::AssertionFailure() << "IHDR size " << header.size();
    if (header.substr(8) != std::string("\x08\x02\x00\x00\x00", 5))
        return ::testing::AssertionFailure() << "not 8-bit RGB, deflate, no interlace";
    const int32_t width = int32_t(BigEndian32(header, 0)), height = int32_t(BigEndian32(header, 4));
    const size_t rowBytes = size_t(width) * 3;
    std::string raw((rowBytes + 1) * size_t(height), '\0');
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize, reinterpret_cast<const Bytef*>(data.data()),
                   uLong(data.size())) != Z_OK ||
        rawSize != raw.size())
        return ::testing::AssertionFailure() << "IDAT does not inflate to the image size";

    decoded.Image.Width = width;
    decoded.Image.Height = height;
    std::vector<uint8_t> previous(rowBytes, 0), row(rowBytes, 0);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* line = reinterpret_cast<const uint8_t*>(raw.data()) + size_t(y) * (rowBytes + 1);
        const int filter = line[0];
        if (filter > 4) return ::testing::AssertionFailure() << "filter " << filter << " in row " << y;
        decoded.FiltersUsed.insert(filter);
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = previous[i], c = i >= 3 ? previous[i - 3] : 0;
            int predicted = 0;
            if (filter == 1) predicted = a;
            if (filter == 2) predicted = b;
            if (filter == 3) predicted = (a + b) / 2;
            if (filter == 4) {
                const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            }
            row[i] = uint8_t(line[i + 1] + predicted);
        }
        for (int32_t x = 0; x < width; ++x)
            decoded.Image.Pixels.push_back(uint32_t(row[size_t(x) * 3]) << 16 | uint32_t(row[size_t(x) * 3 + 1]) << 8 |
                                           row[size_t(x) * 3 + 2]);
        previous = row;
    }
    return ::testing::AssertionSuccess();
}

// A picture with flat areas, gradients and noise, so that rows suit different filters.
TBgrxImage MixedImage(int32_t width, int32_t height) {
    TBgrxImage image{width, height, {}};
    uint32_t noise = 12345;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            uint32_t pixel;
            if (y % 4 == 0)
                pixel = 0x00C0C0C0;
            else if (y % 4 == 1)
                pixel = uint32_t(x * 7 & 0xFF) << 16 | uint32_t(y * 5 & 0xFF) << 8 | uint32_t(x + y);
            else if (y % 4 == 2)
                pixel = noise >> 8 & 0xFFFFFF;
            else
                pixel = x < width / 2 ? 0x000000FF : 0x0000FF00;
            image.Pixels.push_back(pixel | 0xAB000000);  // the unused top byte must not matter
        }
    return image;
}

TEST(PngWriterTest, DecodesToTheSamePixels) {
    for (const auto& size : {std::pair<int32_t, int32_t>{1, 1}, {3, 2}, {37, 19}, {300, 41}}) {
        const TBgrxImage image = MixedImage(size.first, size.second);
        TDecodedPng decoded;
        ASSERT_TRUE(DecodePng(PngFileBytes(image), decoded)) << size.first << "x" << size.second;
        EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), decoded.ChunkTypes);
        ASSERT_EQ(image.Width, decoded.Image.Width);
        ASSERT_EQ(image.Height, decoded.Image.Height);
        for (size_t i = 0; i < image.Pixels.size(); ++i)
            ASSERT_EQ(image.Pixels[i] & 0xFFFFFF, decoded.Image.Pixels[i]) << "pixel " << i;
    }
}

TEST(PngWriterTest, ChoosesFiltersRowByRowAndCompresses) {
    const TBgrxImage image = MixedImage(300, 41);
    const std::string file = PngFileBytes(image);
    TDecodedPng decoded;
    ASSERT_TRUE(DecodePng(file, decoded));
    EXPECT_GE(decoded.FiltersUsed.size(), 2u);
    EXPECT_TRUE(decoded.FiltersUsed.count(2));  // the flat rows repeat the row above them

    TBgrxImage flat{640, 480, std::vector<uint32_t>(640 * 480, 0x00FFFFFF)};
    EXPECT_LT(PngFileBytes(flat).size(), 4000u);  // a plain background costs next to nothing
    EXPECT_EQ(file, PngFileBytes(image));         // the same picture gives the same file
}

TEST(PngWriterTest, RejectsPicturesItCannotWrite) {
    EXPECT_THROW(PngFileBytes(TBgrxImage{}), std::length_error);
    EXPECT_THROW(PngFileBytes(TBgrxImage{0, 5, {}}), std::length_error);
    EXPECT_THROW(PngFileBytes(TBgrxImage{2, 2, {1, 2, 3}}), std::length_error);
    try {
        PngFileBytes(TBgrxImage{1 << 29, 1, {}});
        ADD_FAILURE() << "a row of 1.5 GB was taken";
    } catch (const std::length_error& error) {
        EXPECT_STREQ("The picture is too large for a PNG file.", error.what());
    }
}

}  // namespace
