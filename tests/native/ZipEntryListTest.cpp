#include <gtest/gtest.h>

#include <string>

#include "cleanup/ZipEntryList.h"
#include "platform/memory/MemoryByteStream.h"

namespace {

std::string Le16(unsigned value) { return std::string{char(value & 0xFF), char(value >> 8 & 0xFF)}; }
std::string Le32(uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

// A local header with its name and `data` stored as is.
std::string LocalEntry(const std::string& name, const std::string& data, uint32_t crc = 0x12345678,
                       uint32_t claimedSize = 0xFFFFFFFF) {
    const uint32_t size = claimedSize == 0xFFFFFFFF ? uint32_t(data.size()) : claimedSize;
    return "PK\x03\x04" + Le16(20) + Le16(0) + Le16(0) + Le16(0x6000) + Le16(0x5A21) + Le32(crc) + Le32(size) +
           Le32(uint32_t(data.size())) + Le16(unsigned(name.size())) + Le16(0) + name + data;
}

// What follows the entries in a real archive: a central header and the
// 22-byte end record (their contents do not matter to the reader).
std::string Tail() { return "PK\x01\x02" + std::string(42, '\0') + "PK\x05\x06" + std::string(18, '\0'); }

TZipEntryList Read(const std::string& bytes, bool selfExtractor = false) {
    TMemoryByteStream stream(bytes);
    return ReadZipEntryList(stream, selfExtractor);
}

}  // namespace

TEST(ZipEntryList, ReadsEveryLocalHeaderUpToTheCentralDirectory) {
    const TZipEntryList list =
        Read(LocalEntry("Reports/a.txt", "hello", 0xCAFEBABE) + LocalEntry("b.bin", "") + Tail());
    EXPECT_EQ(list.Message, "");
    ASSERT_EQ(list.Entries.size(), 2u);
    EXPECT_EQ(list.Entries[0].Name, "Reports/a.txt");
    EXPECT_EQ(list.Entries[0].Crc32, 0xCAFEBABEu);
    EXPECT_EQ(list.Entries[0].UncompressedSize, 5u);
    EXPECT_EQ(list.Entries[0].VersionNeeded, 20);
    EXPECT_EQ(list.Entries[0].Date, 0x5A21);
    EXPECT_EQ(list.Entries[1].Name, "b.bin");
}

TEST(ZipEntryList, TheFirstHeaderIsSearchedForByteByByteWithinSixtyThousandBytes) {
    const std::string archive = LocalEntry("x", "data") + Tail();
    // "PPK\3\4": a mismatch restarts at the very next byte.
    EXPECT_EQ(Read("junkP" + archive).Entries.size(), 1u);
    EXPECT_EQ(Read(std::string(kHeaderSearchLimit - 1, 'z') + archive).Entries.size(), 1u);
    const TZipEntryList tooFar = Read(std::string(kHeaderSearchLimit, 'z') + archive);
    EXPECT_TRUE(tooFar.Entries.empty());
    EXPECT_EQ(tooFar.Message, "No valid zip entries found");
    EXPECT_EQ(Read("").Message, "No valid zip entries found");
}

TEST(ZipEntryList, ASelfExtractorIsSearchedFromByte14000) {
    // A signature inside the program part is not taken for the archive.
    std::string program(kSelfExtractorSkip, 'M');
    program.replace(100, 4, "PK\x03\x04");
    const TZipEntryList list = Read(program + "stub" + LocalEntry("inside.txt", "x") + Tail(), true);
    ASSERT_EQ(list.Entries.size(), 1u);
    EXPECT_EQ(list.Entries[0].Name, "inside.txt");
}

TEST(ZipEntryList, AFalseSignatureBeforeTheFirstEntryIsPassedOver) {
    // Its header claims more data than the file holds.
    const std::string bogus = LocalEntry("?", "", 0, 1000000).substr(0, 34);
    const TZipEntryList list = Read(bogus + LocalEntry("real.txt", "abc") + Tail());
    ASSERT_EQ(list.Entries.size(), 1u);
    EXPECT_EQ(list.Entries[0].Name, "real.txt");
}

TEST(ZipEntryList, BrokenArchivesKeepTheEntriesReadAndSayWhatWentWrong) {
    const std::string first = LocalEntry("first.txt", "12345");
    // The second entry's data runs into the end record's place.
    TZipEntryList list = Read(first + LocalEntry("second.txt", "", 0, 500) + Tail());
    ASSERT_EQ(list.Entries.size(), 1u);
    EXPECT_EQ(list.Message, "Error 3 reading Zip file");
    // The file ends inside the second entry's name.
    list = Read(first + LocalEntry("second.txt", "").substr(0, 35));
    ASSERT_EQ(list.Entries.size(), 1u);
    EXPECT_EQ(list.Message, "Error 2 reading Zip file");
    // No central directory: the next signature cannot be read.
    list = Read(first + std::string(22, '\0'));
    EXPECT_EQ(list.Entries.size(), 1u);
    EXPECT_EQ(list.Message, "Error reading Zip File");
}

namespace {
std::string Le64(uint64_t value) { return Le32(uint32_t(value)) + Le32(uint32_t(value >> 32)); }

// A local header whose sizes live in a ZIP64 extra field, after `otherExtra`.
std::string Zip64Entry(const std::string& name, uint64_t uncompressed, const std::string& data,
                       const std::string& otherExtra = "") {
    const std::string zip64 = Le16(1) + Le16(16) + Le64(uncompressed) + Le64(data.size());
    const std::string extra = otherExtra + zip64;
    return "PK\x03\x04" + Le16(45) + Le16(0) + Le16(8) + Le16(0) + Le16(0) + Le32(0) + Le32(0xFFFFFFFF) +
           Le32(0xFFFFFFFF) + Le16(unsigned(name.size())) + Le16(unsigned(extra.size())) + name + extra + data;
}
}  // namespace

TEST(ZipEntryList, SizesOfFourGigabytesAndMoreComeFromTheZip64ExtraField) {
    const uint64_t huge = 5'000'000'000ull;
    const std::string ntfs = Le16(0x000A) + Le16(4) + "abcd";
    const TZipEntryList list =
        Read(Zip64Entry("big.iso", huge, "deflated") + Zip64Entry("next", 6'000'000'000ull, "xy", ntfs) + Tail());
    EXPECT_EQ(list.Message, "");
    ASSERT_EQ(list.Entries.size(), 2u);
    EXPECT_EQ(list.Entries[0].UncompressedSize, huge);
    EXPECT_EQ(list.Entries[0].CompressedSize, 8u);
    EXPECT_EQ(list.Entries[1].UncompressedSize, 6'000'000'000ull);
    EXPECT_EQ(list.Entries[1].Name, "next");
}

TEST(ZipEntryList, AZip64CompressedSizeBeyondTheFileIsNoHeader) {
    // The only "header" claims 2^40 bytes of data: it is not taken as an entry.
    std::string bogus = Zip64Entry("x", 1, "data");
    const std::string claim = Le64(uint64_t(1) << 40);
    bogus.replace(bogus.find("data") - 8, 8, claim);
    const TZipEntryList list = Read(bogus + Tail());
    EXPECT_TRUE(list.Entries.empty());
    EXPECT_EQ(list.Message, kNoValidZipEntries);
}
