#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZipTestArchive.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/ZipExtractor.h"

using namespace ZipTest;

namespace {

class TStringSink : public IZipSink {
public:
    bool Write(const unsigned char* data, size_t size) override {
        if (FailAfter >= 0 && Bytes.size() + size > size_t(FailAfter)) return false;
        Bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    std::string Bytes;
    long FailAfter = -1;
};

struct TExtracted {
    TZipExtractResult Result;
    std::string Bytes;
    std::vector<uint64_t> Steps;
};

TExtracted ExtractFirst(const std::string& archive, const std::string& password = "", size_t stopAtStep = 0) {
    TMemoryByteStream stream(archive);
    const TZipCentralDirectory dir = ReadZipCentralDirectory(stream);
    EXPECT_EQ("", dir.Error);
    TExtracted out;
    if (dir.Entries.empty()) return out;
    TStringSink sink;
    out.Result = ExtractZipEntry(stream, dir.Entries[0], password, sink, [&](uint64_t written) {
        out.Steps.push_back(written);
        return out.Steps.size() != stopAtStep;
    });
    out.Bytes = sink.Bytes;
    return out;
}

TEST(ZipExtractorTest, StoredAndDeflatedEntriesComeOutWhole) {
    const std::string data = NoisyBytes(100000) + std::string(50000, 'z');
    for (bool deflate : {false, true}) {
        const TExtracted got = ExtractFirst(BuildZip({Entry("f", data, deflate)}).Bytes);
        EXPECT_EQ(EZipExtractOutcome::Ok, got.Result.Outcome) << deflate;
        EXPECT_EQ(data, got.Bytes) << deflate;
        EXPECT_EQ(data.size(), got.Result.BytesWritten);
        // One report for each 32 KB completed: 32768, 65536, 98304, 131072.
        ASSERT_EQ(4u, got.Steps.size()) << deflate;
        for (size_t i = 0; i < got.Steps.size(); ++i) EXPECT_GE(got.Steps[i], (i + 1) * kZipExtractStepBytes);
    }
}

TEST(ZipExtractorTest, EmptyEntries) {
    for (bool deflate : {false, true}) {
        const TExtracted got = ExtractFirst(BuildZip({Entry("empty", "", deflate)}).Bytes);
        EXPECT_EQ(EZipExtractOutcome::Ok, got.Result.Outcome);
        EXPECT_EQ("", got.Bytes);
        EXPECT_TRUE(got.Steps.empty());
    }
}

TEST(ZipExtractorTest, EncryptedEntriesNeedTheRightPassword) {
    const std::string data = NoisyBytes(40000);
    for (bool descriptor : {false, true}) {
        for (bool deflate : {false, true}) {
            TEntryRecipe recipe = Entry("secret", data, deflate);
            recipe.Password = "p\xC3\xA4ss";
            recipe.DataDescriptor = descriptor;
            const std::string archive = BuildZip({recipe}).Bytes;
            const TExtracted right = ExtractFirst(archive, "p\xC3\xA4ss");
            EXPECT_EQ(EZipExtractOutcome::Ok, right.Result.Outcome);
            EXPECT_EQ(data, right.Bytes);
            const TExtracted none = ExtractFirst(archive, "");
            EXPECT_EQ(EZipExtractOutcome::PasswordNeeded, none.Result.Outcome);
            EXPECT_EQ("", none.Bytes);
            // A wrong password passes the one-byte check now and then; it
            // then fails on the data, and never yields the plain text.
            int refusedByCheck = 0;
            for (int i = 0; i < 20; ++i) {
                const TExtracted wrong = ExtractFirst(archive, "wrong" + std::to_string(i));
                EXPECT_NE(EZipExtractOutcome::Ok, wrong.Result.Outcome);
                if (wrong.Result.Outcome == EZipExtractOutcome::WrongPassword) {
                    ++refusedByCheck;
                    EXPECT_EQ("", wrong.Bytes);
                }
            }
            EXPECT_GE(refusedByCheck, 18);
        }
    }
}

TEST(ZipExtractorTest, CorruptedByteIsACrcError) {
    const std::string data = NoisyBytes(1000);
    TBuiltZip zip = BuildZip({Entry("f", data)});
    zip.Bytes[size_t(zip.DataOffsets[0] + 500)] ^= 0x40;
    const TExtracted got = ExtractFirst(zip.Bytes);
    EXPECT_EQ(EZipExtractOutcome::CrcMismatch, got.Result.Outcome);
    EXPECT_EQ("CRC error in file f", ZipExtractMessage(got.Result, "f"));
}

TEST(ZipExtractorTest, CorruptedDeflateDataIsReported) {
    const std::string data = std::string(20000, 'a') + NoisyBytes(20000);
    const TBuiltZip zip = BuildZip({Entry("f", data, true)});
    int crc = 0, damaged = 0, size = 0;
    for (uint64_t at = zip.DataOffsets[0]; at < zip.DirectoryOffset && at < zip.DataOffsets[0] + 200; ++at) {
        std::string bytes = zip.Bytes;
        bytes[size_t(at)] ^= 0x10;
        const TExtracted got = ExtractFirst(bytes);
        EXPECT_NE(EZipExtractOutcome::Ok, got.Result.Outcome) << at;
        crc += got.Result.Outcome == EZipExtractOutcome::CrcMismatch;
        damaged += got.Result.Outcome == EZipExtractOutcome::DamagedData;
        size += got.Result.Outcome == EZipExtractOutcome::SizeMismatch ||
                got.Result.Outcome == EZipExtractOutcome::Truncated;
    }
    EXPECT_GT(crc + damaged + size, 0);
}

// Both headers of the first entry state these sizes: the central header at
// the directory's start (compressed at +20, uncompressed at +24), the local
// one at the archive's start (+18, +22).
void StateSizes(std::string& bytes, const TBuiltZip& zip, uint64_t compressed, uint64_t uncompressed) {
    Poke32(bytes, zip.DirectoryOffset + 20, uint32_t(compressed));
    Poke32(bytes, zip.DirectoryOffset + 24, uint32_t(uncompressed));
    Poke32(bytes, zip.LocalHeaderOffsets[0] + 18, uint32_t(compressed));
    Poke32(bytes, zip.LocalHeaderOffsets[0] + 22, uint32_t(uncompressed));
}

TEST(ZipExtractorTest, StatedSizesAreHeldToTheData) {
    const std::string data = NoisyBytes(5000);
    const TBuiltZip zip = BuildZip({Entry("f", data, true)});
    const uint64_t packed = Deflated(data).size();
    // A stream that inflates past the stated size stops there.
    std::string smaller = zip.Bytes;
    StateSizes(smaller, zip, packed, 4000);
    TExtracted got = ExtractFirst(smaller);
    EXPECT_EQ(EZipExtractOutcome::SizeMismatch, got.Result.Outcome);
    EXPECT_LE(got.Bytes.size(), 4000u);
    EXPECT_EQ(got.Bytes.size(), got.Result.BytesWritten);

    std::string larger = zip.Bytes;
    StateSizes(larger, zip, packed, 6000);
    EXPECT_EQ(EZipExtractOutcome::SizeMismatch, ExtractFirst(larger).Result.Outcome);

    std::string cut = zip.Bytes;  // the compressed data stops half way
    StateSizes(cut, zip, packed / 2, data.size());
    EXPECT_EQ(EZipExtractOutcome::Truncated, ExtractFirst(cut).Result.Outcome);

    const TBuiltZip stored = BuildZip({Entry("s", data)});
    std::string storedSize = stored.Bytes;
    StateSizes(storedSize, stored, 5000, 4999);
    got = ExtractFirst(storedSize);
    EXPECT_EQ(EZipExtractOutcome::SizeMismatch, got.Result.Outcome);
    EXPECT_EQ("", got.Bytes);
    EXPECT_EQ("The size of file s does not match the archive's record", ZipExtractMessage(got.Result, "s"));
}

TEST(ZipExtractorTest, HeadersThatStateOtherSizesWriteNothing) {
    // The local header is what a reader of local headers totals before
    // extracting: a central directory that states more is not believed.
    const std::string data(200000, 'z');
    const TBuiltZip zip = BuildZip({Entry("f", data, true)});
    std::string localSmaller = zip.Bytes;
    Poke32(localSmaller, zip.LocalHeaderOffsets[0] + 22, 1000);
    TExtracted got = ExtractFirst(localSmaller);
    EXPECT_EQ(EZipExtractOutcome::SizeMismatch, got.Result.Outcome);
    EXPECT_EQ("", got.Bytes);
    EXPECT_TRUE(got.Steps.empty());

    std::string localPacked = zip.Bytes;
    Poke32(localPacked, zip.LocalHeaderOffsets[0] + 18, 10);
    EXPECT_EQ(EZipExtractOutcome::SizeMismatch, ExtractFirst(localPacked).Result.Outcome);

    // With sizes after the data the local header's own are zero, and that is fine.
    TEntryRecipe streamed = Entry("s", data, true);
    streamed.DataDescriptor = true;
    got = ExtractFirst(BuildZip({streamed}).Bytes);
    EXPECT_EQ(EZipExtractOutcome::Ok, got.Result.Outcome);
    EXPECT_EQ(data, got.Bytes);
}

TEST(ZipExtractorTest, EncryptedEntryShorterThanItsHeaderIsTruncated) {
    TEntryRecipe recipe = Entry("f", "");
    recipe.Password = "pw";
    TBuiltZip zip = BuildZip({recipe});
    StateSizes(zip.Bytes, zip, 11, 0);
    EXPECT_EQ(EZipExtractOutcome::Truncated, ExtractFirst(zip.Bytes, "pw").Result.Outcome);
}

TEST(ZipExtractorTest, UnsupportedMethods) {
    TBuiltZip zip = BuildZip({Entry("f", "abc")});
    std::string bzip2 = zip.Bytes;
    Poke16(bzip2, zip.DirectoryOffset + 10, 12);
    TExtracted got = ExtractFirst(bzip2);
    EXPECT_EQ(EZipExtractOutcome::UnsupportedMethod, got.Result.Outcome);
    EXPECT_EQ("File f uses a compression or encryption method that is not supported",
              ZipExtractMessage(got.Result, "f"));
    std::string strong = zip.Bytes;
    Poke16(strong, zip.DirectoryOffset + 8, 0x41);
    EXPECT_EQ(EZipExtractOutcome::UnsupportedMethod, ExtractFirst(strong, "pw").Result.Outcome);
}

TEST(ZipExtractorTest, MissingLocalHeaderIsNotFound) {
    TBuiltZip zip = BuildZip({Entry("f", "abc")});
    Poke32(zip.Bytes, 0, 0x01020304);
    const TExtracted got = ExtractFirst(zip.Bytes);
    EXPECT_EQ(EZipExtractOutcome::NotFound, got.Result.Outcome);
    EXPECT_EQ("The local header of f is missing", ZipExtractMessage(got.Result, "f"));
}

TEST(ZipExtractorTest, ProgressCanStop) {
    const std::string data = NoisyBytes(200000);
    for (bool deflate : {false, true}) {
        const TExtracted got = ExtractFirst(BuildZip({Entry("f", data, deflate)}).Bytes, "", 2);
        EXPECT_EQ(EZipExtractOutcome::Stopped, got.Result.Outcome);
        EXPECT_EQ(2u, got.Steps.size());
        EXPECT_LT(got.Bytes.size(), data.size());
    }
}

TEST(ZipExtractorTest, SinkFailureStops) {
    const std::string data = NoisyBytes(100000);
    TMemoryByteStream stream(BuildZip({Entry("f", data, true)}).Bytes);
    const TZipCentralDirectory dir = ReadZipCentralDirectory(stream);
    TStringSink sink;
    sink.FailAfter = 40000;
    const TZipExtractResult result = ExtractZipEntry(stream, dir.Entries.at(0), "", sink);
    EXPECT_EQ(EZipExtractOutcome::WriteFailed, result.Outcome);
    EXPECT_EQ("File f could not be written", ZipExtractMessage(result, "f"));
}

TEST(ZipExtractorTest, Zip64AndDataDescriptorEntries) {
    const std::string data = NoisyBytes(70000);
    TEntryRecipe recipe = Entry("f", data, true);
    recipe.Zip64 = true;
    recipe.DataDescriptor = true;
    TArchiveRecipe archive;
    archive.Zip64End = true;
    const TExtracted got = ExtractFirst(BuildZip({recipe}, archive).Bytes);
    EXPECT_EQ(EZipExtractOutcome::Ok, got.Result.Outcome);
    EXPECT_EQ(data, got.Bytes);
}

TEST(ZipExtractorTest, MessagesNameTheFile) {
    TZipExtractResult result;
    result.Outcome = EZipExtractOutcome::WrongPassword;
    EXPECT_EQ("Wrong password for file a/b.txt", ZipExtractMessage(result, "a/b.txt"));
    result.Outcome = EZipExtractOutcome::Truncated;
    EXPECT_EQ("The data of file x is truncated", ZipExtractMessage(result, "x"));
    result.Outcome = EZipExtractOutcome::Ok;
    EXPECT_EQ("", ZipExtractMessage(result, "x"));
}

}  // namespace
