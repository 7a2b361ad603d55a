#include <gtest/gtest.h>

#include <string>

#include "ZipTestArchive.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"

using namespace ZipTest;

namespace {

TZipCentralDirectory Read(const std::string& bytes) {
    TMemoryByteStream stream(bytes);
    return ReadZipCentralDirectory(stream);
}

// The bytes an entry's data occupies, found through its local header.
std::string DataOf(const std::string& bytes, const TZipCentralEntry& entry) {
    TMemoryByteStream stream(bytes);
    uint64_t start = 0;
    std::string error;
    EXPECT_TRUE(LocateEntryData(stream, entry, start, error)) << error;
    return bytes.substr(size_t(start), size_t(entry.CompressedSize));
}

TEST(ZipCentralDirectoryTest, ReadsEveryHeaderField) {
    TEntryRecipe a;
    a.Name = "folder/a.txt";
    a.Data = "hello hello hello hello";
    a.Deflate = true;
    a.DosTime = 0x1234;
    a.DosDate = 0x5678;
    a.ExternalAttributes = 0x21;
    TEntryRecipe folder;
    folder.Name = "folder/";
    folder.ExternalAttributes = 0x10;
    const TBuiltZip zip = BuildZip({a, folder});
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(2u, dir.Entries.size());
    const TZipCentralEntry& e = dir.Entries[0];
    EXPECT_EQ("folder/a.txt", e.Name);
    EXPECT_EQ("folder/a.txt", e.RawName);
    EXPECT_EQ(ZipFormat::kMethodDeflated, e.Method);
    EXPECT_EQ(0x1234, e.DosTime);
    EXPECT_EQ(0x5678, e.DosDate);
    EXPECT_EQ(Crc(a.Data), e.Crc32);
    EXPECT_EQ(Deflated(a.Data).size(), e.CompressedSize);
    EXPECT_EQ(a.Data.size(), e.UncompressedSize);
    EXPECT_EQ(0x21u, e.ExternalAttributes);
    EXPECT_EQ(0u, e.LocalHeaderOffset);
    EXPECT_FALSE(e.IsFolder());
    EXPECT_FALSE(e.IsEncrypted());
    EXPECT_EQ(0u, e.ModifiedTime);
    EXPECT_EQ(Deflated(a.Data), DataOf(zip.Bytes, e));
    EXPECT_TRUE(dir.Entries[1].IsFolder());
    EXPECT_EQ(zip.LocalHeaderOffsets[1], dir.Entries[1].LocalHeaderOffset);
}

TEST(ZipCentralDirectoryTest, EmptyArchiveHasNoEntries) {
    const TZipCentralDirectory dir = Read(BuildZip({}).Bytes);
    EXPECT_EQ("", dir.Error);
    EXPECT_TRUE(dir.Entries.empty());
}

TEST(ZipCentralDirectoryTest, FindsTheEndRecordBehindTheLongestComment) {
    TEntryRecipe a = Entry("a", "data");
    TArchiveRecipe recipe;
    // A comment that itself looks like an end record must not be taken for one.
    std::string fake = BuildZip({}).Bytes;
    recipe.Comment = fake + std::string(ZipFormat::kMaxCommentSize - fake.size(), 'c');
    const TBuiltZip zip = BuildZip({a}, recipe);
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(1u, dir.Entries.size());
    EXPECT_EQ("data", DataOf(zip.Bytes, dir.Entries[0]));
}

TEST(ZipCentralDirectoryTest, DataDescriptorsAndLocalExtraFieldsDoNotMatter) {
    TEntryRecipe a = Entry("a.bin", NoisyBytes(5000));
    a.Deflate = true;
    a.DataDescriptor = true;
    a.LocalExtra = ExtraField(0x5455, std::string(5, 'x'));  // longer than the central extra
    TEntryRecipe b = Entry("b.txt", "second");
    const TBuiltZip zip = BuildZip({a, b});
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(2u, dir.Entries.size());
    EXPECT_TRUE(dir.Entries[0].Flags & ZipFormat::kFlagDataDescriptor);
    EXPECT_EQ(Crc(a.Data), dir.Entries[0].Crc32);
    EXPECT_EQ(Deflated(a.Data), DataOf(zip.Bytes, dir.Entries[0]));
    EXPECT_EQ("second", DataOf(zip.Bytes, dir.Entries[1]));
}

TEST(ZipCentralDirectoryTest, Zip64ValuesReplaceSaturatedFields) {
    TEntryRecipe a = Entry("big.bin", NoisyBytes(3000));
    a.Zip64 = true;
    TEntryRecipe b = Entry("small.txt", "x");
    b.Zip64 = true;
    TArchiveRecipe recipe;
    recipe.Zip64End = true;
    const TBuiltZip zip = BuildZip({a, b}, recipe);
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(2u, dir.Entries.size());
    EXPECT_EQ(3000u, dir.Entries[0].UncompressedSize);
    EXPECT_EQ(3000u, dir.Entries[0].CompressedSize);
    EXPECT_EQ(zip.LocalHeaderOffsets[1], dir.Entries[1].LocalHeaderOffset);
    EXPECT_EQ(a.Data, DataOf(zip.Bytes, dir.Entries[0]));
    EXPECT_EQ("x", DataOf(zip.Bytes, dir.Entries[1]));
}

TEST(ZipCentralDirectoryTest, Zip64FieldHoldsOnlyTheSaturatedValues) {
    // Only the offset is saturated: the field holds just that one value.
    TEntryRecipe a = Entry("a", "abc");
    std::string value;
    ZipFormat::Put64(value, 0);
    a.CentralExtra = ExtraField(ZipFormat::kExtraZip64, value);
    TBuiltZip zip = BuildZip({a});
    Poke32(zip.Bytes, zip.DirectoryOffset + 42, ZipFormat::kMax32);
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(1u, dir.Entries.size());
    EXPECT_EQ(0u, dir.Entries[0].LocalHeaderOffset);
    EXPECT_EQ(3u, dir.Entries[0].UncompressedSize);
    EXPECT_EQ("abc", DataOf(zip.Bytes, dir.Entries[0]));
}

TEST(ZipCentralDirectoryTest, MissingZip64ValueIsAnError) {
    TEntryRecipe a = Entry("a", "abc");
    TBuiltZip zip = BuildZip({a});
    Poke32(zip.Bytes, zip.DirectoryOffset + 24, ZipFormat::kMax32);  // saturated size, no ZIP64 field
    const TZipCentralDirectory dir = Read(zip.Bytes);
    EXPECT_EQ("The zip archive's central directory is damaged at entry 1: a ZIP64 value is missing", dir.Error);
    EXPECT_TRUE(dir.Entries.empty());
}

TEST(ZipCentralDirectoryTest, SaturatedEndRecordWithoutZip64RecordIsAnError) {
    TBuiltZip zip = BuildZip({Entry("a", "b")});
    Poke16(zip.Bytes, zip.EndRecordOffset + 10, ZipFormat::kMax16);
    EXPECT_EQ("The zip archive's ZIP64 end record is missing", Read(zip.Bytes).Error);
}

TEST(ZipCentralDirectoryTest, LocatorPointingNowhereIsAnErrorOnlyWhenZip64IsNeeded) {
    TArchiveRecipe recipe;
    recipe.Zip64End = true;
    TBuiltZip zip = BuildZip({Entry("a", "b")}, recipe);
    const uint64_t locatorAt = zip.EndRecordOffset - ZipFormat::kZip64LocatorSize;
    for (uint64_t target : {uint64_t(0), uint64_t(1) << 62, uint64_t(-1), locatorAt - 10}) {
        std::string bytes = zip.Bytes;
        Poke32(bytes, locatorAt + 8, uint32_t(target));
        Poke32(bytes, locatorAt + 12, uint32_t(target >> 32));
        EXPECT_EQ("The zip archive's ZIP64 end record cannot be found", Read(bytes).Error) << target;
    }
    // Without saturated values the same four bytes are the last entry's
    // own (here the end of its name), and the archive reads.
    const std::string name = std::string("x/PK\x06\x07", 6) + "abcdefghijklmnop";
    const TZipCentralDirectory plain = Read(BuildZip({Entry("a", "b"), Entry(name, "c")}).Bytes);
    EXPECT_EQ("", plain.Error);
    ASSERT_EQ(2u, plain.Entries.size());
    EXPECT_EQ(name, plain.Entries[1].Name);
}

TEST(ZipCentralDirectoryTest, NtfsTimesAreRead) {
    TEntryRecipe a = Entry("a", "b");
    a.CentralExtra = ExtraField(0x5455, "\x03\x01\x02\x03\x04") + NtfsTimes(111, 222, 333);
    const TZipCentralDirectory dir = Read(BuildZip({a}).Bytes);
    ASSERT_EQ("", dir.Error);
    EXPECT_EQ(111u, dir.Entries[0].ModifiedTime);
    EXPECT_EQ(222u, dir.Entries[0].AccessedTime);
    EXPECT_EQ(333u, dir.Entries[0].CreatedTime);
}

TEST(ZipCentralDirectoryTest, UnixModificationTimeWithoutNtfsTimes) {
    TEntryRecipe a = Entry("a", "b");
    a.CentralExtra = ExtraField(0x5455, std::string("\x03\x00\xF1\x53\x65", 5));  // 0x6553F100 seconds
    TEntryRecipe accessOnly = Entry("b", "c");
    accessOnly.CentralExtra = ExtraField(0x5455, std::string("\x02\x00\xF1\x53\x65", 5));
    const TZipCentralDirectory dir = Read(BuildZip({a, accessOnly}).Bytes);
    ASSERT_EQ("", dir.Error);
    EXPECT_EQ(116444736000000000ull + 0x6553F100ull * 10000000ull, dir.Entries[0].ModifiedTime);
    EXPECT_EQ(0u, dir.Entries[0].CreatedTime);
    EXPECT_EQ(0u, dir.Entries[1].ModifiedTime);
}

TEST(ZipCentralDirectoryTest, ShortNtfsFieldIsIgnored) {
    TEntryRecipe a = Entry("a", "b");
    std::string times = NtfsTimes(111, 222, 333);
    times = times.substr(0, times.size() - 8);
    ZipTest::Poke16(times, 2, uint16_t(times.size() - 4));  // the field's own length fits, the tag's does not
    a.CentralExtra = times;
    const TZipCentralDirectory dir = Read(BuildZip({a}).Bytes);
    ASSERT_EQ("", dir.Error);
    EXPECT_EQ(0u, dir.Entries[0].ModifiedTime);
}

TEST(ZipCentralDirectoryTest, NamesAreUtf8WithBit11AndCodePage437Without) {
    TEntryRecipe utf8 = Entry("caf\xC3\xA9.txt", "1");
    utf8.Utf8Flag = true;
    TEntryRecipe dos = Entry("\x82t\x82.txt", "2");  // "été" in code page 437
    TEntryRecipe unixUtf8 = Entry("na\xC3\xAFve.txt", "3");
    unixUtf8.VersionMadeBy = 0x031E;  // Unix tools store the system's (UTF-8) names unflagged
    TEntryRecipe unixLatin1 = Entry("\xE9t\xE9.txt", "4");
    unixLatin1.VersionMadeBy = 0x031E;
    const TZipCentralDirectory dir = Read(BuildZip({utf8, dos, unixUtf8, unixLatin1}).Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(4u, dir.Entries.size());
    EXPECT_EQ("caf\xC3\xA9.txt", dir.Entries[0].Name);
    EXPECT_EQ("\xC3\xA9t\xC3\xA9.txt", dir.Entries[1].Name);
    EXPECT_EQ("\x82t\x82.txt", dir.Entries[1].RawName);
    EXPECT_EQ("na\xC3\xAFve.txt", dir.Entries[2].Name);
    EXPECT_EQ("\xCE\x98t\xCE\x98.txt", dir.Entries[3].Name);  // not UTF-8: code page 437 after all
}

TEST(ZipCentralDirectoryTest, UnicodePathFieldNamesTheEntryWhenItsCrcMatches) {
    TEntryRecipe a = Entry("\x82t\x82.txt", "1");
    std::string field("\x01", 1);
    ZipFormat::Put32(field, Crc(a.Name));
    a.CentralExtra = ExtraField(0x7075, field + "\xC3\xA9t\xC3\xA9!.txt");
    TEntryRecipe stale = Entry("x.txt", "2");
    std::string staleField("\x01", 1);
    ZipFormat::Put32(staleField, Crc("renamed.txt"));
    stale.CentralExtra = ExtraField(0x7075, staleField + "other.txt");
    // A field whose name is not UTF-8 is passed over: the stored name is read as code page 437.
    TEntryRecipe broken = Entry("caf\xE9.txt", "3");
    std::string brokenField("\x01", 1);
    ZipFormat::Put32(brokenField, Crc(broken.Name));
    broken.CentralExtra = ExtraField(0x7075, brokenField + "caf\xE9.txt");
    const TZipCentralDirectory dir = Read(BuildZip({a, stale, broken}).Bytes);
    ASSERT_EQ("", dir.Error);
    EXPECT_EQ("\xC3\xA9t\xC3\xA9!.txt", dir.Entries[0].Name);
    EXPECT_EQ("x.txt", dir.Entries[1].Name);
    EXPECT_EQ("caf\xCE\x98.txt", dir.Entries[2].Name);
}

TEST(ZipCentralDirectoryTest, BytesInFrontShiftTheOffsets) {
    TArchiveRecipe recipe;
    recipe.Prefix = std::string(1000, 'M');
    const TBuiltZip shifted = BuildZip({Entry("a", "first"), Entry("b", "second")}, recipe);
    const TZipCentralDirectory dir = Read(shifted.Bytes);
    ASSERT_EQ("", dir.Error);
    ASSERT_EQ(2u, dir.Entries.size());
    EXPECT_EQ(1000u, dir.Entries[0].LocalHeaderOffset);
    EXPECT_EQ("second", DataOf(shifted.Bytes, dir.Entries[1]));

    recipe.OffsetsFromFileStart = true;
    const TBuiltZip adjusted = BuildZip({Entry("a", "first")}, recipe);
    const TZipCentralDirectory adjustedDir = Read(adjusted.Bytes);
    ASSERT_EQ("", adjustedDir.Error);
    EXPECT_EQ("first", DataOf(adjusted.Bytes, adjustedDir.Entries[0]));
}

TEST(ZipCentralDirectoryTest, NotAnArchive) {
    EXPECT_EQ("The file is too short to be a zip archive", Read("").Error);
    EXPECT_EQ("The file is too short to be a zip archive", Read("PK\5\6").Error);
    EXPECT_EQ("The file is not a zip archive (no end of central directory record)",
              Read(std::string(100000, 'x')).Error);
    // An end record whose comment would run past the file is no end record.
    std::string cut = BuildZip({Entry("a", "b")}).Bytes;
    Poke16(cut, cut.size() - 2, 5);
    EXPECT_EQ("The file is not a zip archive (no end of central directory record)", Read(cut).Error);
}

TEST(ZipCentralDirectoryTest, DirectoryOutsideTheArchive) {
    const TBuiltZip zip = BuildZip({Entry("a", "b")});
    std::string tooLarge = zip.Bytes;
    Poke32(tooLarge, zip.EndRecordOffset + 12, 0x7FFFFFF0);
    EXPECT_EQ("The zip archive's central directory is larger than the archive", Read(tooLarge).Error);
    std::string elsewhere = zip.Bytes;
    Poke32(elsewhere, zip.EndRecordOffset + 16, 0xFFFFFFF0);
    EXPECT_EQ("The zip archive's central directory is not where its end record says", Read(elsewhere).Error);
    Poke32(elsewhere, zip.EndRecordOffset + 16, 0x10000000);
    EXPECT_EQ("The zip archive's central directory is not where its end record says", Read(elsewhere).Error);
}

TEST(ZipCentralDirectoryTest, SplitArchivesAreRefused) {
    TBuiltZip zip = BuildZip({Entry("a", "b")});
    Poke16(zip.Bytes, zip.EndRecordOffset + 4, 1);
    Poke16(zip.Bytes, zip.EndRecordOffset + 6, 1);
    EXPECT_EQ("Archives split over several disks are not supported", Read(zip.Bytes).Error);
}

TEST(ZipCentralDirectoryTest, DamagedHeadersKeepTheEntriesBefore) {
    const TBuiltZip zip = BuildZip({Entry("first", "1"), Entry("second", "2")});
    const uint64_t secondHeader = zip.DirectoryOffset + ZipFormat::kCentralHeaderSize + 5;

    std::string longName = zip.Bytes;
    Poke16(longName, secondHeader + 28, 60000);
    TZipCentralDirectory dir = Read(longName);
    EXPECT_EQ(
        "The zip archive's central directory is damaged at entry 2: the name or extra fields run past the "
        "directory",
        dir.Error);
    ASSERT_EQ(1u, dir.Entries.size());
    EXPECT_EQ("first", dir.Entries[0].Name);

    std::string lostSignature = zip.Bytes;
    Poke32(lostSignature, secondHeader, 0x12345678);
    dir = Read(lostSignature);
    EXPECT_EQ("The zip archive's central directory holds 1 entries where its end record says 2", dir.Error);
    EXPECT_EQ(1u, dir.Entries.size());

    std::string shortDirectory = zip.Bytes;  // the second header is cut by the stated size
    Poke32(shortDirectory, zip.EndRecordOffset + 12, uint32_t(secondHeader + 20 - zip.DirectoryOffset));
    Poke32(shortDirectory, zip.EndRecordOffset + 16, uint32_t(zip.DirectoryOffset));
    dir = Read(shortDirectory);
    EXPECT_FALSE(dir.Error.empty());
    EXPECT_LE(dir.Entries.size(), 1u);
}

TEST(ZipCentralDirectoryTest, HugeEntryCountReservesOnlyWhatTheDirectoryHolds) {
    TArchiveRecipe recipe;
    recipe.Zip64End = true;
    TBuiltZip zip = BuildZip({Entry("a", "b")}, recipe);
    // The ZIP64 end record's entry counts.
    const uint64_t recordAt = zip.EndRecordOffset - ZipFormat::kZip64LocatorSize - ZipFormat::kZip64EndRecordSize;
    for (uint64_t at : {recordAt + 24, recordAt + 32}) {
        Poke32(zip.Bytes, at, 0xFFFFFFFF);
        Poke32(zip.Bytes, at + 4, 0x0FFFFFFF);
    }
    const TZipCentralDirectory dir = Read(zip.Bytes);
    EXPECT_EQ("The zip archive's central directory holds 1 entries where its end record says 1152921504606846975",
              dir.Error);
    EXPECT_LE(dir.Entries.capacity(), 1u);
}

TEST(ZipCentralDirectoryTest, CountKeepsOnlyLow16BitsBeyond65535Entries) {
    std::vector<TEntryRecipe> many(65537, Entry("e", ""));
    const TBuiltZip zip = BuildZip(many);  // the end record's count wraps to 1
    const TZipCentralDirectory dir = Read(zip.Bytes);
    EXPECT_EQ("", dir.Error);
    EXPECT_EQ(65537u, dir.Entries.size());
}

TEST(ZipCentralDirectoryTest, LocatingDataChecksTheLocalHeader) {
    const TBuiltZip zip = BuildZip({Entry("a", "0123456789")});
    TZipCentralEntry entry = Read(zip.Bytes).Entries.at(0);
    uint64_t start = 0;
    std::string error;

    std::string noHeader = zip.Bytes;
    Poke32(noHeader, 0, 0);
    TMemoryByteStream noHeaderStream(noHeader);
    EXPECT_FALSE(LocateEntryData(noHeaderStream, entry, start, error));
    EXPECT_EQ("The local header of a is missing", error);

    TMemoryByteStream stream(zip.Bytes);
    entry.LocalHeaderOffset = uint64_t(-5);
    EXPECT_FALSE(LocateEntryData(stream, entry, start, error));
    EXPECT_EQ("The local header of a is missing", error);

    entry.LocalHeaderOffset = 0;
    entry.CompressedSize = uint64_t(-1);
    EXPECT_FALSE(LocateEntryData(stream, entry, start, error));
    EXPECT_EQ("The data of a lies beyond the end of the archive", error);

    std::string longExtra = zip.Bytes;
    Poke16(longExtra, 28, 0xFFFF);  // the local extra length runs the data past the end
    TMemoryByteStream longExtraStream(longExtra);
    entry.CompressedSize = 10;
    EXPECT_FALSE(LocateEntryData(longExtraStream, entry, start, error));
    EXPECT_EQ("The data of a lies beyond the end of the archive", error);
}

TEST(ZipCentralDirectoryTest, TheLocalHeaderGivesItsOwnSizesWithZip64) {
    TEntryRecipe big = Entry("a", std::string(3000, 'x'), true);
    big.Zip64 = true;
    const TBuiltZip zip = BuildZip({big, Entry("b", "plain")});
    const TZipCentralDirectory dir = Read(zip.Bytes);
    ASSERT_EQ("", dir.Error);
    TMemoryByteStream stream(zip.Bytes);
    TZipLocalHeader local;
    std::string error;
    ASSERT_TRUE(ReadZipLocalHeader(stream, dir.Entries[0], local, error)) << error;
    EXPECT_EQ(3000u, local.UncompressedSize);
    EXPECT_EQ(dir.Entries[0].CompressedSize, local.CompressedSize);
    EXPECT_EQ(zip.DataOffsets[0], local.DataStart);
    EXPECT_FALSE(local.SizesFollowData);
    ASSERT_TRUE(ReadZipLocalHeader(stream, dir.Entries[1], local, error)) << error;
    EXPECT_EQ(5u, local.UncompressedSize);
    EXPECT_EQ(zip.DirectoryOffset, dir.DirectoryOffset);
    EXPECT_EQ(zip.EndRecordOffset - zip.DirectoryOffset, dir.DirectorySize);
}

TEST(ZipCentralDirectoryTest, EntriesThatShareBytesAreFound) {
    const auto overlap = [](const std::string& bytes) {
        TMemoryByteStream stream(bytes);
        return FindOverlappingEntries(stream, ReadZipCentralDirectory(stream));
    };
    TArchiveRecipe prefixed;
    prefixed.Prefix = std::string(500, 'M');
    const TBuiltZip zip = BuildZip({Entry("a", "first", true), Entry("b", "second"), Entry("c", "")}, prefixed);
    EXPECT_EQ("", overlap(zip.Bytes));
    // Central headers: 46 bytes and a one-letter name each; the offset at +42
    // counts from the archive's own start, after the prefix.
    const uint64_t second = zip.DirectoryOffset + 47, third = second + 47;

    std::string sameHeader = zip.Bytes;  // c is read from a's local header
    Poke32(sameHeader, third + 42, 0);
    EXPECT_EQ("its entries a and c share bytes", overlap(sameHeader));

    // a's data (stated alike in both headers) takes in b's local header, as
    // archives built to expand do.
    std::string quoting = zip.Bytes;
    const uint32_t span = uint32_t(zip.LocalHeaderOffsets[2] - zip.DataOffsets[0]);
    Poke32(quoting, zip.DirectoryOffset + 20, span);
    Poke32(quoting, zip.LocalHeaderOffsets[0] + 18, span);
    EXPECT_EQ("its entries a and b share bytes", overlap(quoting));

    std::string intoDirectory = zip.Bytes;  // the last entry's data runs on into the directory
    Poke32(intoDirectory, third + 20, 10);
    EXPECT_EQ("its entry c runs into its central directory", overlap(intoDirectory));

    // An entry whose local header is gone yields nothing and is left out.
    std::string lost = sameHeader;
    Poke32(lost, zip.LocalHeaderOffsets[0], 0);
    EXPECT_EQ("", overlap(lost));
}

}  // namespace
