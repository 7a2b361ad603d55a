// What File > Export Pie > To File makes of the chosen name and filter, and
// the byte layouts of the bitmap and metafile headers it writes.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "pie/PictureFiles.h"
#include "pie/PieExportRules.h"

namespace {

uint32_t Le16(const std::string& bytes, size_t at) {
    return uint8_t(bytes[at]) | uint32_t(uint8_t(bytes[at + 1])) << 8;
}
uint32_t Le32(const std::string& bytes, size_t at) { return Le16(bytes, at) | Le16(bytes, at + 2) << 16; }

TEST(PieExportRulesTest, EachFilterHasItsExtension) {
    EXPECT_EQ(".BMP", PieExportExtension(1));
    EXPECT_EQ(".WMF", PieExportExtension(2));
    EXPECT_EQ(".EMF", PieExportExtension(3));
    EXPECT_EQ(".PNG", PieExportExtension(4));
    EXPECT_EQ("", PieExportExtension(0));
    EXPECT_EQ("", PieExportExtension(5));
    EXPECT_EQ(std::string("Bitmap (*.bmp)|*.bmp|Metafile (*.wmf)|*.wmf|Enhanced Metafile (*.emf)|*.emf|"
                          "Portable Network Graphics (*.png)|*.png"),
              kPieExportFilter);
}

TEST(PieExportRulesTest, TheFiltersExtensionReplacesWhateverWasTyped) {
    EXPECT_EQ("C:\\Pictures\\chart.BMP", PieExportFileName("C:\\Pictures\\chart.png", 1));
    EXPECT_EQ("C:\\Pictures\\chart.EMF", PieExportFileName("C:\\Pictures\\chart.bmp", 3));
    EXPECT_EQ("C:\\Pictures\\chart.WMF", PieExportFileName("C:\\Pictures\\chart", 2));
    EXPECT_EQ("C:\\Pictures\\chart.PNG", PieExportFileName("C:\\Pictures\\chart.PNG", 4));
    EXPECT_EQ("C:\\my.pictures\\chart.BMP", PieExportFileName("C:\\my.pictures\\chart", 1));
    EXPECT_EQ("chart.old.EMF", PieExportFileName("chart.old.emf", 3));
    EXPECT_EQ("D:chart.BMP", PieExportFileName("D:chart", 1));
    EXPECT_EQ("C:\\Pictures\\chart.gif", PieExportFileName("C:\\Pictures\\chart.gif", 0));
    EXPECT_EQ("a/b.c/d.WMF", ReplaceFileExtension("a/b.c/d", ".WMF"));
}

TEST(PieExportRulesTest, TheExtensionDecidesTheFormat) {
    EXPECT_EQ(TPieExportKind::Bitmap, PieExportKindOf("C:\\chart.BMP"));
    EXPECT_EQ(TPieExportKind::Bitmap, PieExportKindOf("C:\\chart.bmp"));
    EXPECT_EQ(TPieExportKind::Png, PieExportKindOf("C:\\chart.Png"));
    EXPECT_EQ(TPieExportKind::EnhancedMetafile, PieExportKindOf("C:\\chart.emf"));
    EXPECT_EQ(TPieExportKind::WindowsMetafile, PieExportKindOf("C:\\chart.WMF"));
    EXPECT_EQ(TPieExportKind::WindowsMetafile, PieExportKindOf("C:\\chart.gif"));
    EXPECT_EQ(TPieExportKind::WindowsMetafile, PieExportKindOf("C:\\bmp.folder\\chart"));
}

TEST(PieExportPictureFilesTest, BitmapFileIsBottomUp24BitWithPaddedRows) {
    // Three by two: rows of 9 bytes padded to 12.
    const TBgrxImage image{3, 2, {0x00112233, 0x00445566, 0xFF778899, 0x00AABBCC, 0x00DDEEFF, 0x00010203}};
    const std::string file = BmpFileBytes(image);
    ASSERT_EQ(14u + 40u + 24u, file.size());
    EXPECT_EQ("BM", file.substr(0, 2));
    EXPECT_EQ(file.size(), Le32(file, 2));
    EXPECT_EQ(54u, Le32(file, 10));
    EXPECT_EQ(40u, Le32(file, 14));
    EXPECT_EQ(3u, Le32(file, 18));
    EXPECT_EQ(2u, Le32(file, 22));
    EXPECT_EQ(1u, Le16(file, 26));
    EXPECT_EQ(24u, Le16(file, 28));
    EXPECT_EQ(0u, Le32(file, 30));
    EXPECT_EQ(24u, Le32(file, 34));
    // The bottom row first, each pixel blue, green, red.
    EXPECT_EQ(std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\0\0\0", 12), file.substr(54, 12));
    EXPECT_EQ(std::string("\x33\x22\x11\x66\x55\x44\x99\x88\x77\0\0\0", 12), file.substr(66, 12));
    EXPECT_EQ(file.substr(14), DibBytes(image));
}

TEST(PieExportPictureFilesTest, BitmapRejectsPicturesItCannotHold) {
    EXPECT_THROW(DibBytes(TBgrxImage{}), std::length_error);
    EXPECT_THROW(BmpFileBytes(TBgrxImage{2, 1, {1}}), std::length_error);
    try {
        DibBytes(TBgrxImage{100000, 100000, {}});
        ADD_FAILURE() << "a 30 GB bitmap was taken";
    } catch (const std::length_error& error) {
        EXPECT_STREQ("The picture is too large for a bitmap.", error.what());
    }
}

TEST(PieExportPictureFilesTest, PlaceableHeaderCarriesBoundsAndChecksum) {
    const std::string header = PlaceableMetafileHeader(0, 0, 640, 480, 96);
    ASSERT_EQ(22u, header.size());
    EXPECT_EQ(0x9AC6CDD7u, Le32(header, 0));
    EXPECT_EQ(0u, Le16(header, 4));
    EXPECT_EQ(0u, Le16(header, 6));
    EXPECT_EQ(0u, Le16(header, 8));
    EXPECT_EQ(640u, Le16(header, 10));
    EXPECT_EQ(480u, Le16(header, 12));
    EXPECT_EQ(96u, Le16(header, 14));
    EXPECT_EQ(0u, Le32(header, 16));
    // 0xCDD7 ^ 0x9AC6 ^ 640 ^ 480 ^ 96
    EXPECT_EQ(0x5711u ^ 0x0280u ^ 0x01E0u ^ 0x0060u, Le16(header, 20));
    EXPECT_EQ(0xFFFFu, Le16(PlaceableMetafileHeader(-1, 0, 0, 0, 1), 6));
    EXPECT_THROW(PlaceableMetafileHeader(0, 0, 40000, 10, 96), std::length_error);
    EXPECT_THROW(PlaceableMetafileHeader(0, 0, 10, 10, 0), std::length_error);
}

// A standard metafile of the given records (function, then 16-bit parameters).
std::string Metafile(const std::vector<std::vector<uint16_t>>& records, bool withEnd = true) {
    std::string bits;
    auto put16 = [&bits](uint32_t value) {
        bits.push_back(char(value & 0xFF));
        bits.push_back(char(value >> 8 & 0xFF));
    };
    for (uint32_t word : {1u, 9u, 0x300u, 0u, 0u, 0u, 0u, 0u, 0u}) put16(word);
    for (const auto& record : records) {
        const uint32_t words = uint32_t(record.size()) + 2;
        put16(words & 0xFFFF);
        put16(words >> 16);
        for (uint16_t word : record) put16(word);
    }
    if (withEnd) {
        put16(3);
        put16(0);
        put16(0);
    }
    return bits;
}

TEST(PieExportPictureFilesTest, FindsTheMetafilesWindow) {
    const std::string bits = Metafile({{0x0103, 8}, {0x020B, uint16_t(-5), 7}, {0x020C, 480, 640}, {0x020C, 1, 1}});
    const auto window = MetafileWindowOf(bits);
    ASSERT_TRUE(window);
    EXPECT_EQ(7, window->OriginX);
    EXPECT_EQ(-5, window->OriginY);
    EXPECT_EQ(640, window->ExtentX);
    EXPECT_EQ(480, window->ExtentY);

    EXPECT_FALSE(MetafileWindowOf(Metafile({{0x020B, 0, 0}})));
    EXPECT_FALSE(MetafileWindowOf(std::string("not a metafile")));
    // Records after the end or cut off are not read.
    EXPECT_FALSE(MetafileWindowOf(Metafile({{0x0000}, {0x020C, 1, 1}}, false)));
    const std::string cut = Metafile({{0x020C, 480, 640}}, false);
    EXPECT_FALSE(MetafileWindowOf(cut.substr(0, cut.size() - 1)));
}

}  // namespace
