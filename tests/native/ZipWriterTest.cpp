#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ZipTestArchive.h"
#include "ZipWrittenArchive.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/PkwareCipher.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipFormat.h"
#include "zipdll/core/ZipWriter.h"

using namespace ZipFormat;

namespace {

using namespace ZipWrittenArchive;

TZipNewEntry NewEntry(const std::string& name, uint64_t expectedSize = 0) {
    TZipNewEntry entry;
    entry.Name = name;
    entry.DosDate = uint16_t((44 << 9) | (3 << 5) | 15);  // 2024-03-15
    entry.DosTime = uint16_t((13 << 11) | (45 << 5) | 10);
    entry.Attributes = 0x20;
    entry.ExpectedSize = expectedSize;
    return entry;
}

void FixedRandom(unsigned char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] = (unsigned char)(0x5A + i);
}

// A source that fails, or changes its bytes, after a given number of reads.
class TFaultySource : public IZipSource {
public:
    TFaultySource(std::string bytes, int failAfterReads, bool changeOnRewind = false)
        : Bytes(std::move(bytes)), FailAfter(failAfterReads), ChangeOnRewind(changeOnRewind) {}
    bool Read(void* buffer, size_t count, size_t& got) override {
        if (FailAfter >= 0 && Reads++ >= FailAfter) return false;
        got = std::min(count, Bytes.size() - At);
        std::memcpy(buffer, Bytes.data() + At, got);
        At += got;
        return true;
    }
    bool Rewind() override {
        At = 0;
        if (ChangeOnRewind) Bytes[Bytes.size() / 2] ^= 0x55;
        return true;
    }

private:
    std::string Bytes;
    int FailAfter;
    bool ChangeOnRewind;
    int Reads = 0;
    size_t At = 0;
};

TEST(ZipWriterEntries, StoredAndDeflatedFilesReadBackWithTheirNamesSizesAndCrcs) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    writer.SetLevel(9);
    const std::string text = TextLike(100000), noise = RandomBytes(5000);
    TMemoryZipSource textSource(text), noiseSource(noise), emptySource("");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("docs/readme.txt"), textSource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("noise.bin"), noiseSource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("empty.txt"), emptySource));
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ("", archive.Problem);
    ASSERT_EQ(3u, archive.Entries.size());
    EXPECT_FALSE(archive.Zip64End);
    const TReadEntry& readme = archive.Entries[0];
    EXPECT_EQ("docs/readme.txt", readme.Name);
    EXPECT_EQ(kMethodDeflated, readme.Method);
    EXPECT_EQ(0x2, readme.Flags & 0x6) << "maximum compression flag";
    EXPECT_LT(readme.CompressedSize, text.size() / 3);
    EXPECT_EQ(text, Contents(readme));
    // Random bytes do not shrink: stored, not grown by deflate.
    EXPECT_EQ(kMethodStored, archive.Entries[1].Method);
    EXPECT_EQ(noise, Contents(archive.Entries[1]));
    EXPECT_EQ(kMethodStored, archive.Entries[2].Method);
    EXPECT_EQ(0u, archive.Entries[2].CompressedSize);
    for (const TReadEntry& e : archive.Entries) {
        EXPECT_EQ(e.Crc, e.LocalCrc) << e.Name;
        EXPECT_EQ(e.CompressedSize, e.LocalCompressed) << e.Name;
        EXPECT_EQ(e.UncompressedSize, e.LocalUncompressed) << e.Name;
        EXPECT_EQ(e.Method, e.LocalMethod) << e.Name;
        EXPECT_EQ(e.Flags, e.LocalFlags) << e.Name;
        EXPECT_EQ(0, e.Flags & kFlagDataDescriptor) << e.Name;
        EXPECT_EQ(20, e.Needed);
        EXPECT_FALSE(e.LocalZip64);
        EXPECT_EQ(0x20u, e.ExternalAttributes);
    }
}

TEST(ZipWriterEntries, LevelZeroStoresAndEveryLevelRoundTrips) {
    const std::string text = TextLike(300000, 3);
    for (int level = 0; level <= 9; ++level) {
        TMemoryZipOutput output;
        TZipWriter writer(output);
        writer.SetLevel(level);
        TMemoryZipSource source(text);
        ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("t.txt"), source));
        ASSERT_TRUE(writer.Finish());
        const TReadArchive archive = ReadBack(output.Bytes);
        ASSERT_EQ(1u, archive.Entries.size()) << level;
        EXPECT_EQ(level == 0 ? kMethodStored : kMethodDeflated, archive.Entries[0].Method) << level;
        EXPECT_EQ(text, Contents(archive.Entries[0])) << level;
    }
}

TEST(ZipWriterEntries, LargeFilesStreamAndTheirHeaderIsCompletedEvenAfterItWasFlushed) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    // 12 MB of random data pushes the local header out of the 1 MB buffer
    // before the CRC and sizes are known.
    const std::string noise = RandomBytes(12 << 20, 99), text = TextLike(3 << 20, 5);
    TMemoryZipSource noiseSource(noise), textSource(text);
    size_t progressed = 0;
    const auto progress = [&](size_t bytes) {
        progressed += bytes;
        return true;
    };
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("big/noise.bin", noise.size()), noiseSource, progress));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("big/text.txt", text.size()), textSource, progress));
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(noise.size() + text.size(), progressed);
    EXPECT_LT(output.Writes, 40) << "written in large pieces";

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(2u, archive.Entries.size());
    for (const TReadEntry& e : archive.Entries) {
        EXPECT_EQ(e.Crc, e.LocalCrc);
        EXPECT_EQ(e.CompressedSize, e.LocalCompressed);
        EXPECT_EQ(e.UncompressedSize, e.LocalUncompressed);
    }
    EXPECT_EQ(noise, Contents(archive.Entries[0]));
    EXPECT_EQ(text, Contents(archive.Entries[1]));
}

TEST(ZipWriterEntries, NamesTimesAttributesAndFolders) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    TZipNewEntry file = NewEntry(u8"Bücher/Ärger €.txt");
    file.HasTimes = true;
    file.ModifiedTime = 133000000000000000ull;
    file.AccessedTime = 133000000010000000ull;
    file.CreatedTime = 132000000000000000ull;
    file.Attributes = 0x21;  // read-only, archive
    TMemoryZipSource source("abc");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(file, source));
    TZipNewEntry folder = NewEntry("Empty folder");
    folder.Attributes = 0;
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFolder(folder));
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(2u, archive.Entries.size());
    const TReadEntry& f = archive.Entries[0];
    EXPECT_EQ(file.Name, f.Name);
    EXPECT_EQ(kFlagUtf8, f.Flags & kFlagUtf8);
    EXPECT_EQ(file.DosDate, f.DosDate);
    EXPECT_EQ(file.DosTime, f.DosTime);
    EXPECT_EQ(0x21u, f.ExternalAttributes);
    ASSERT_TRUE(f.HasTimes);
    EXPECT_EQ(file.ModifiedTime, f.Times[0]);
    EXPECT_EQ(file.AccessedTime, f.Times[1]);
    EXPECT_EQ(file.CreatedTime, f.Times[2]);
    EXPECT_EQ(0, f.MadeBy >> 8) << "MS-DOS attributes";
    const TReadEntry& d = archive.Entries[1];
    EXPECT_EQ("Empty folder/", d.Name);
    EXPECT_EQ(0, d.Flags & kFlagUtf8);
    EXPECT_EQ(0x10u, d.ExternalAttributes & 0x10);
    EXPECT_EQ(kMethodStored, d.Method);
    EXPECT_EQ(0u, d.CompressedSize);
    EXPECT_EQ(0u, d.UncompressedSize);
    EXPECT_FALSE(d.HasTimes);
}

TEST(ZipWriterEncryption, EncryptedEntriesDecryptWithThePasswordAndCheckTheCrcByte) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    writer.SetLevel(6);
    writer.SetPassword("s3cret", FixedRandom);
    const std::string small = TextLike(5000, 2), large = TextLike(1 << 20, 4), noise = RandomBytes(700000, 3);
    TMemoryZipSource smallSource(small), largeSource(large), noiseSource(noise), emptySource("");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("small.txt"), smallSource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("large.txt", large.size()), largeSource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("noise.bin", noise.size()), noiseSource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("empty"), emptySource));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFolder(NewEntry("folder/")));
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(5u, archive.Entries.size());
    EXPECT_EQ(small, Contents(archive.Entries[0], "s3cret"));
    EXPECT_EQ(large, Contents(archive.Entries[1], "s3cret"));
    EXPECT_EQ(noise, Contents(archive.Entries[2], "s3cret"));
    EXPECT_EQ("", Contents(archive.Entries[3], "s3cret"));
    EXPECT_EQ(12u, archive.Entries[3].CompressedSize) << "just the encryption header";
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(kFlagEncrypted, archive.Entries[i].Flags & kFlagEncrypted);
    EXPECT_EQ(0, archive.Entries[4].Flags & kFlagEncrypted) << "folders carry no data to encrypt";
    // The plain text appears nowhere in the archive.
    EXPECT_EQ(std::string::npos, output.Bytes.find(small.substr(0, 40)));

    unsigned char header[TPkwareCipher::kHeaderSize];
    std::memcpy(header, archive.Entries[0].Data.data(), sizeof header);
    TPkwareCipher wrong("secret");
    const bool wrongPasses = wrong.CheckHeader(header, uint8_t(archive.Entries[0].Crc >> 24));
    EXPECT_FALSE(wrongPasses && header[0] == 0x5A) << "a wrong password does not yield the header's bytes";
}

TEST(ZipWriterEncryption, AFileThatChangesBetweenItsTwoReadingsIsLeftOut) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    writer.SetPassword("pw", FixedRandom);
    TFaultySource changing(TextLike(600000), -1, true);
    EXPECT_EQ(TZipAddOutcome::SourceFailed, writer.AddFile(NewEntry("moving.txt", 600000), changing));
    EXPECT_NE(std::string::npos, writer.Error().find("changed"));
    TMemoryZipSource fine("fine");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("fine.txt"), fine));
    ASSERT_TRUE(writer.Finish());
    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(1u, archive.Entries.size());
    EXPECT_EQ("fine.txt", archive.Entries[0].Name);
    EXPECT_EQ(0u, archive.Entries[0].Offset) << "the left-out entry's bytes were taken back";
    EXPECT_EQ("fine", Contents(archive.Entries[0], "pw"));
}

TEST(ZipWriterFailures, AnUnreadableFileIsLeftOutAndTheArchiveStaysWhole) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    writer.SetLevel(1);
    TMemoryZipSource first(TextLike(1000));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("first.txt"), first));
    // Fails at once, and fails after 20 chunks (5 MB, past the buffer).
    TFaultySource atOnce("abc", 0);
    EXPECT_EQ(TZipAddOutcome::SourceFailed, writer.AddFile(NewEntry("locked.txt"), atOnce));
    TFaultySource midway(RandomBytes(8 << 20), 20);
    EXPECT_EQ(TZipAddOutcome::SourceFailed, writer.AddFile(NewEntry("bad.bin", 8 << 20), midway));
    TMemoryZipSource last(TextLike(2000, 9));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("last.txt"), last));
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ("", archive.Problem);
    ASSERT_EQ(2u, archive.Entries.size());
    EXPECT_EQ("first.txt", archive.Entries[0].Name);
    EXPECT_EQ("last.txt", archive.Entries[1].Name);
    EXPECT_EQ(TextLike(2000, 9), Contents(archive.Entries[1]));
    EXPECT_LT(output.Bytes.size(), 10000u) << "the dropped entry's flushed bytes were cut off";
}

TEST(ZipWriterFailures, StoppingLeavesTheEntryOutAndAFullOutputFails) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    TMemoryZipSource big(TextLike(2 << 20));
    int calls = 0;
    EXPECT_EQ(TZipAddOutcome::Stopped,
              writer.AddFile(NewEntry("big.txt", 2 << 20), big, [&](size_t) { return ++calls < 3; }));
    EXPECT_EQ(3, calls);
    TMemoryZipSource small("small");
    EXPECT_EQ(TZipAddOutcome::Stopped, writer.AddFile(NewEntry("s.txt"), small, [](size_t) { return false; }));
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(0u, ReadBack(output.Bytes).Entries.size());
    EXPECT_EQ(kEndRecordSize, output.Bytes.size());

    TMemoryZipOutput full;
    full.Capacity = 1 << 20;
    TZipWriter fullWriter(full);
    TMemoryZipSource noise(RandomBytes(3 << 20));
    EXPECT_EQ(TZipAddOutcome::OutputFailed, fullWriter.AddFile(NewEntry("noise.bin", 3 << 20), noise));
}

TEST(ZipWriterZip64, OffsetsBeyond4GiBMoveIntoZip64FieldsAndEndRecords) {
    const uint64_t start = 5ull << 30;
    TMemoryZipOutput output(start);
    TZipWriter writer(output, start);
    TMemoryZipSource a(TextLike(3000)), b("bbb");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("a.txt"), a));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("b.txt"), b));
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes, start);
    ASSERT_EQ("", archive.Problem);
    EXPECT_TRUE(archive.Zip64End);
    EXPECT_EQ(kMax32, archive.Offset32);
    EXPECT_EQ(2u, archive.Count);
    ASSERT_EQ(2u, archive.Entries.size());
    EXPECT_EQ(start, archive.Entries[0].Offset);
    EXPECT_TRUE(archive.Entries[0].CentralZip64);
    EXPECT_FALSE(archive.Entries[0].LocalZip64) << "sizes are small";
    EXPECT_EQ(45, archive.Entries[0].Needed);
    EXPECT_EQ(45, archive.Entries[0].LocalNeeded);
    EXPECT_EQ(45, archive.Entries[0].MadeBy & 0xFF);
    EXPECT_EQ(TextLike(3000), Contents(archive.Entries[0]));
    EXPECT_EQ("bbb", Contents(archive.Entries[1]));
}

TEST(ZipWriterZip64, MoreThan65535EntriesCountInTheZip64EndRecord) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    const size_t count = 70000;
    for (size_t i = 0; i < count; ++i) {
        TMemoryZipSource empty("");
        ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("f" + std::to_string(i)), empty));
    }
    ASSERT_TRUE(writer.Finish());
    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ("", archive.Problem);
    EXPECT_TRUE(archive.Zip64End);
    EXPECT_EQ(0xFFFF, archive.Count16);
    EXPECT_EQ(count, archive.Count);
    EXPECT_EQ("f69999", archive.Entries.back().Name);
    EXPECT_EQ(20, archive.Entries.back().Needed) << "each entry itself is small";
}

TEST(ZipWriterZip64, LoweredThresholdsPutSmallValuesInZip64FieldsThatReadBack) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    TZip64Thresholds limits;
    limits.Value = 100;
    limits.Count = 2;
    writer.SetZip64Thresholds(limits);
    writer.SetLevel(0);
    TMemoryZipSource small("tiny"), large(TextLike(150)), late("late");
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("small"), small));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("large"), large));
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("late"), late));  // its offset is past 100
    ASSERT_TRUE(writer.Finish());

    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ("", archive.Problem);
    EXPECT_TRUE(archive.Zip64End);
    EXPECT_EQ(0xFFFF, archive.Count16);
    EXPECT_EQ(kMax32, archive.Offset32);
    ASSERT_EQ(3u, archive.Entries.size());
    EXPECT_FALSE(archive.Entries[0].CentralZip64);
    EXPECT_FALSE(archive.Entries[0].LocalZip64);
    EXPECT_TRUE(archive.Entries[1].CentralZip64);
    EXPECT_TRUE(archive.Entries[1].LocalZip64);
    EXPECT_EQ(150u, archive.Entries[1].LocalUncompressed);
    EXPECT_TRUE(archive.Entries[2].CentralZip64) << "the offset alone";
    EXPECT_FALSE(archive.Entries[2].LocalZip64);

    TMemoryByteStream stream(output.Bytes);
    const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    ASSERT_EQ("", directory.Error);
    ASSERT_EQ(3u, directory.Entries.size());
    EXPECT_EQ(150u, directory.Entries[1].UncompressedSize);
    EXPECT_EQ(archive.Entries[2].Offset, directory.Entries[2].LocalHeaderOffset);
}

TEST(ZipWriterZip64, AFileListedNear4GiBGetsZip64SizesInItsLocalHeader) {
    TMemoryZipOutput output;
    TZipWriter writer(output);
    const std::string text = TextLike(600000);
    TMemoryZipSource source(text);
    ASSERT_EQ(TZipAddOutcome::Added, writer.AddFile(NewEntry("huge.txt", 0xFFFFF000ull), source));
    ASSERT_TRUE(writer.Finish());
    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(1u, archive.Entries.size());
    const TReadEntry& e = archive.Entries[0];
    EXPECT_TRUE(e.LocalZip64);
    EXPECT_EQ(text.size(), e.LocalUncompressed);
    EXPECT_EQ(e.CompressedSize, e.LocalCompressed);
    EXPECT_EQ(45, e.LocalNeeded);
    EXPECT_EQ(45, e.Needed);
    EXPECT_EQ(text, Contents(e));
}

TEST(ZipWriterZip64, HeadersOfAnEntryAbove4GiB) {
    TZipEntryRecord e;
    e.Name = "big.iso";
    e.UncompressedSize = 6ull << 30;
    e.CompressedSize = 0xFFFFFFFFull;  // the marker value itself must move too
    e.LocalHeaderOffset = 1234;
    e.LocalZip64 = true;
    const std::string local = ZipHeaders::LocalHeader(e);
    const auto* l = reinterpret_cast<const unsigned char*>(local.data());
    EXPECT_EQ(45, Get16(l + 4));
    EXPECT_EQ(kMax32, Get32(l + 18));
    EXPECT_EQ(kMax32, Get32(l + 22));
    ASSERT_EQ(20, Get16(l + 28));
    EXPECT_EQ(kExtraZip64, Get16(l + 37));
    EXPECT_EQ(6ull << 30, Get64(l + 41));
    EXPECT_EQ(0xFFFFFFFFull, Get64(l + 49));

    const std::string central = ZipHeaders::CentralHeader(e);
    const auto* c = reinterpret_cast<const unsigned char*>(central.data());
    EXPECT_EQ(kMax32, Get32(c + 20));
    EXPECT_EQ(kMax32, Get32(c + 24));
    EXPECT_EQ(1234u, Get32(c + 42)) << "the offset fits and stays";
    ASSERT_EQ(20, Get16(c + 30));
    EXPECT_EQ(16, Get16(c + 46 + 7 + 2));
    EXPECT_EQ(6ull << 30, Get64(c + 46 + 7 + 4)) << "uncompressed size first";
    EXPECT_EQ(0xFFFFFFFFull, Get64(c + 46 + 7 + 12));
}

// An archive made by hand with a data descriptor, as streaming tools write them.
std::string ArchiveWithDescriptor(uint16_t flags, const std::string& data, uint32_t crc) {
    TZipEntryRecord e;
    e.Name = "streamed.txt";
    e.Flags = flags;
    e.Crc32 = crc;
    e.CompressedSize = e.UncompressedSize = data.size();
    std::string archive = ZipHeaders::LocalHeader(e) + data + ZipHeaders::DataDescriptor(e);
    const uint64_t directory = archive.size();
    archive += ZipHeaders::CentralHeader(e);
    archive += ZipHeaders::EndRecords(1, directory, archive.size() - directory);
    return archive;
}

TEST(ZipWriterCopy, CopiedEntriesKeepTheirBytesAndDropNeedlessDescriptors) {
    TMemoryZipOutput first;
    TZipWriter firstWriter(first);
    firstWriter.SetPassword("pw", FixedRandom);
    TZipNewEntry timed = NewEntry(u8"naïve.txt");
    timed.HasTimes = true;
    timed.ModifiedTime = 133100000000000000ull;
    TMemoryZipSource source(TextLike(4000));
    ASSERT_EQ(TZipAddOutcome::Added, firstWriter.AddFile(timed, source));
    ASSERT_EQ(TZipAddOutcome::Added, firstWriter.AddFolder(NewEntry("dir/")));
    ASSERT_TRUE(firstWriter.Finish());
    const std::string plain = "plain text";
    const std::string streamed =
        ArchiveWithDescriptor(kFlagDataDescriptor, plain, uint32_t(crc32(0, (const Bytef*)plain.data(), 10)));

    TMemoryZipOutput second;
    TZipWriter copier(second);
    for (const std::string* bytes : {static_cast<const std::string*>(&first.Bytes), &streamed}) {
        TMemoryByteStream stream(*bytes);
        const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
        ASSERT_EQ("", directory.Error);
        for (const TZipCentralEntry& entry : directory.Entries)
            ASSERT_EQ(TZipAddOutcome::Added, copier.CopyEntry(entry, stream)) << copier.Error();
    }
    ASSERT_TRUE(copier.Finish());

    const TReadArchive original = ReadBack(first.Bytes), copy = ReadBack(second.Bytes);
    ASSERT_EQ(3u, copy.Entries.size());
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(original.Entries[i].Name, copy.Entries[i].Name);
        EXPECT_EQ(original.Entries[i].Data, copy.Entries[i].Data);
        EXPECT_EQ(original.Entries[i].Flags, copy.Entries[i].Flags);
        EXPECT_EQ(original.Entries[i].ExternalAttributes, copy.Entries[i].ExternalAttributes);
        EXPECT_EQ(original.Entries[i].DosTime, copy.Entries[i].DosTime);
    }
    EXPECT_TRUE(copy.Entries[0].HasTimes);
    EXPECT_EQ(timed.ModifiedTime, copy.Entries[0].Times[0]);
    EXPECT_EQ(TextLike(4000), Contents(copy.Entries[0], "pw"));
    EXPECT_EQ(0, copy.Entries[2].Flags & kFlagDataDescriptor);
    EXPECT_EQ(plain, Contents(copy.Entries[2]));
    // No descriptor left behind: the central directory follows the data at once.
    EXPECT_EQ(copy.Entries[2].Offset + 30 + 12 + plain.size(), copy.Offset32);
}

TEST(ZipWriterCopy, ANameReadFromAnotherToolsUnicodeFieldReadsTheSameInTheCopy) {
    // Stored in code page 1252 (read as 437 it is another name), with
    // Info-ZIP's field that gives the name in UTF-8.
    const std::string raw = "caf\xE9.txt";
    const std::string utf8 = "caf\xC3\xA9.txt";
    std::string field = "\x01";
    Put32(field, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(raw.data()), uInt(raw.size()))));
    ZipTest::TEntryRecipe recipe = ZipTest::Entry(raw, "accented");
    recipe.CentralExtra = ZipTest::ExtraField(0x7075, field + utf8);
    // UTF-8 stored without its flag, with a field that says the same.
    ZipTest::TEntryRecipe unflagged = ZipTest::Entry(utf8, "same");
    std::string sameField = "\x01";
    Put32(sameField, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(utf8.data()), uInt(utf8.size()))));
    unflagged.CentralExtra = ZipTest::ExtraField(0x7075, sameField + utf8);
    const std::string archive = ZipTest::BuildZip({recipe, ZipTest::Entry("plain", "p"), unflagged}).Bytes;

    TMemoryByteStream stream(archive);
    const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    ASSERT_EQ(3u, directory.Entries.size());
    ASSERT_EQ(utf8, directory.Entries[0].Name);
    ASSERT_EQ(utf8, directory.Entries[2].Name);
    TMemoryZipOutput output;
    TZipWriter copier(output);
    for (const TZipCentralEntry& entry : directory.Entries)
        ASSERT_EQ(TZipAddOutcome::Added, copier.CopyEntry(entry, stream)) << copier.Error();
    ASSERT_TRUE(copier.Finish());

    TMemoryByteStream copyStream(output.Bytes);
    const TZipCentralDirectory copy = ReadZipCentralDirectory(copyStream);
    ASSERT_EQ(3u, copy.Entries.size());
    EXPECT_EQ(utf8, copy.Entries[0].Name);
    EXPECT_EQ(kFlagUtf8, copy.Entries[0].Flags & kFlagUtf8);
    EXPECT_EQ("plain", copy.Entries[1].RawName);
    EXPECT_EQ(0, copy.Entries[1].Flags & kFlagUtf8);
    EXPECT_EQ(utf8, copy.Entries[2].Name);
}

TEST(ZipWriterCopy, AnEncryptedEntryWithADescriptorKeepsIt) {
    // The check byte of such an entry is the DOS time's high byte, so the
    // descriptor flag must stay for readers to check the password right.
    const std::string data(20, 'x');
    const std::string streamed = ArchiveWithDescriptor(kFlagDataDescriptor | kFlagEncrypted, data, 0xABCDEF01);
    TMemoryByteStream stream(streamed);
    const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    ASSERT_EQ(1u, directory.Entries.size());
    TMemoryZipOutput output;
    TZipWriter copier(output);
    ASSERT_EQ(TZipAddOutcome::Added, copier.CopyEntry(directory.Entries[0], stream));
    ASSERT_TRUE(copier.Finish());
    EXPECT_EQ(streamed, output.Bytes) << "the same bytes, descriptor included";
}

TEST(ZipWriterCopy, AnEntryWhoseDataIsCutShortIsNotCopied) {
    TMemoryZipOutput first;
    TZipWriter firstWriter(first);
    TMemoryZipSource source(RandomBytes(9000));
    ASSERT_EQ(TZipAddOutcome::Added, firstWriter.AddFile(NewEntry("r.bin"), source));
    ASSERT_TRUE(firstWriter.Finish());
    TMemoryByteStream stream(first.Bytes);
    TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    ASSERT_EQ(1u, directory.Entries.size());
    directory.Entries[0].CompressedSize = 1u << 20;  // claims more than the archive holds
    TMemoryZipOutput output;
    TZipWriter copier(output);
    EXPECT_EQ(TZipAddOutcome::SourceFailed, copier.CopyEntry(directory.Entries[0], stream));
    EXPECT_FALSE(copier.Error().empty());
    ASSERT_TRUE(copier.Finish());
    EXPECT_EQ(kEndRecordSize, output.Bytes.size());
}

}  // namespace

namespace {

TEST(ZipWriterPrepared, EntriesPreparedOnOtherThreadsAreWrittenInOrder) {
    const std::vector<std::string> files = {TextLike(400000, 1), RandomBytes(300000, 2), "", TextLike(10, 3),
                                            std::string(2 << 20, '\0')};
    std::vector<TZipPreparedEntry> prepared(files.size());
    std::vector<bool> ok(files.size(), false);
    auto prepare = [&](size_t first) {
        TZipEntryCompressor compressor(9);
        for (size_t i = first; i < files.size(); i += 2) {
            const TZipNewEntry entry = NewEntry("file" + std::to_string(i), files[i].size());
            ok[i] = compressor.Prepare(entry, reinterpret_cast<const unsigned char*>(files[i].data()), files[i].size(),
                                       i == 3 ? "pw" : "", FixedRandom, prepared[i]);
        }
    };
    std::thread even(prepare, 0), odd(prepare, 1);
    even.join();
    odd.join();

    TMemoryZipOutput output;
    TZipWriter writer(output);
    for (size_t i = 0; i < files.size(); ++i) {
        ASSERT_TRUE(ok[i]) << i;
        ASSERT_EQ(TZipAddOutcome::Added, writer.AddPrepared(prepared[i]));
    }
    ASSERT_TRUE(writer.Finish());
    const TReadArchive archive = ReadBack(output.Bytes);
    ASSERT_EQ(files.size(), archive.Entries.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ("file" + std::to_string(i), archive.Entries[i].Name);
        EXPECT_EQ(files[i], Contents(archive.Entries[i], i == 3 ? "pw" : "")) << i;
    }
    EXPECT_EQ(kMethodStored, archive.Entries[1].Method) << "random bytes are stored";
    EXPECT_EQ(kMethodDeflated, archive.Entries[4].Method);
    EXPECT_LT(archive.Entries[4].CompressedSize, 10000u);
}

}  // namespace

namespace {

TEST(ZipWriterOutputBuffer, PatchesReachBytesInTheBufferAlreadyWrittenOrBoth) {
    TMemoryZipOutput output;
    TZipOutputBuffer buffer(output, 0, 16);
    ASSERT_TRUE(buffer.Append(std::string("0123456789")));
    ASSERT_TRUE(buffer.Append(std::string("abcdefghij")));  // the first ten bytes are flushed
    EXPECT_EQ("0123456789", output.Bytes);
    ASSERT_TRUE(buffer.Patch(5, "XXXXXXXXXX"));  // five written, five still buffered
    ASSERT_TRUE(buffer.Patch(0, "Y"));
    ASSERT_TRUE(buffer.Patch(19, "Z"));
    ASSERT_TRUE(buffer.Close());
    EXPECT_EQ("Y1234XXXXXXXXXXfghiZ", output.Bytes);

    // Taking back flushed bytes cuts them off when the buffer closes.
    TMemoryZipOutput cut;
    TZipOutputBuffer rewound(cut, 0, 4);
    ASSERT_TRUE(rewound.Append(std::string("keep")));
    ASSERT_TRUE(rewound.Append(std::string("dropped bytes")));
    rewound.Rewind(4);
    ASSERT_TRUE(rewound.Append(std::string("!")));
    ASSERT_TRUE(rewound.Close());
    EXPECT_EQ("keep!", cut.Bytes);
}

}  // namespace
