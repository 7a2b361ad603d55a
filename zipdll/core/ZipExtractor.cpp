#include "ZipExtractor.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "PkwareCipher.h"
#include "ZipFormat.h"
#include "platform/ByteStream.h"

using namespace ZipFormat;

namespace {

constexpr size_t kInputChunk = 65536;
constexpr uint16_t kFlagStrongEncryption = 0x0040;

using EOutcome = EZipExtractOutcome;

// Owns zlib's raw inflate state.
class TInflater {
public:
    TInflater() { Ready = inflateInit2(&Stream, -MAX_WBITS) == Z_OK; }
    ~TInflater() {
        if (Ready) inflateEnd(&Stream);
    }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    z_stream Stream{};
    bool Ready = false;
};

// Reads the entry's stored bytes in chunks, decrypting when asked.
class TDataReader {
public:
    TDataReader(IByteStream& archive, uint64_t start, uint64_t size) : Archive(archive), At(start), Left(size) {}

    uint64_t Remaining() const { return Left; }

    // Up to `count` bytes; false when the archive cannot give them.
    bool Read(unsigned char* buffer, size_t count, size_t& got) {
        got = size_t(std::min<uint64_t>(count, Left));
        if (got == 0) return true;
        if (!Archive.Seek(int64_t(At)) || Archive.Read(buffer, got) != got) return false;
        if (Cipher) Cipher->Decrypt(buffer, got);
        At += got;
        Left -= got;
        return true;
    }

    TPkwareCipher* Cipher = nullptr;

private:
    IByteStream& Archive;
    uint64_t At;
    uint64_t Left;
};

// Counts, checksums and hands on the entry's bytes, reporting every step.
class TOutput {
public:
    TOutput(IZipSink& sink, const TZipExtractProgress& progress, uint64_t statedSize)
        : Sink(sink), Progress(progress), StatedSize(statedSize) {}

    // Ok, SizeMismatch when the data runs past the stated size, WriteFailed or Stopped.
    EOutcome Write(const unsigned char* data, size_t size) {
        if (size == 0) return EOutcome::Ok;
        if (size > StatedSize - Written) return EOutcome::SizeMismatch;
        if (!Sink.Write(data, size)) return EOutcome::WriteFailed;
        Crc = uint32_t(crc32(Crc, data, uInt(size)));
        Written += size;
        while (Written >= NextStep) {
            NextStep += kZipExtractStepBytes;
            if (Progress && !Progress(Written)) return EOutcome::Stopped;
        }
        return EOutcome::Ok;
    }

    uint64_t Written = 0;
    uint32_t Crc = 0;

private:
    IZipSink& Sink;
    const TZipExtractProgress& Progress;
    uint64_t StatedSize;
    uint64_t NextStep = kZipExtractStepBytes;
};

// Buffers no larger than the entry needs: an archive of many small files
// does not take a whole chunk for each.
size_t BufferFor(uint64_t bytes, size_t chunk) {
    return size_t(std::max<uint64_t>(1, std::min<uint64_t>(bytes, chunk)));
}

EOutcome CopyStored(TDataReader& reader, TOutput& output) {
    std::vector<unsigned char> buffer(BufferFor(reader.Remaining(), kZipExtractStepBytes));
    while (reader.Remaining() > 0) {
        size_t got = 0;
        if (!reader.Read(buffer.data(), buffer.size(), got)) return EOutcome::ReadFailed;
        const EOutcome written = output.Write(buffer.data(), got);
        if (written != EOutcome::Ok) return written;
    }
    return EOutcome::Ok;
}

EOutcome Inflate(TDataReader& reader, TOutput& output, uint64_t statedSize) {
    TInflater inflater;
    if (!inflater.Ready) return EOutcome::DamagedData;
    z_stream& z = inflater.Stream;
    std::vector<unsigned char> input(BufferFor(reader.Remaining(), kInputChunk));
    // One byte past the stated size is enough to see a stream that runs on.
    std::vector<unsigned char> out(statedSize < kZipExtractStepBytes ? size_t(statedSize) + 1 : kZipExtractStepBytes);
    for (;;) {
        if (z.avail_in == 0 && reader.Remaining() > 0) {
            size_t got = 0;
            if (!reader.Read(input.data(), input.size(), got)) return EOutcome::ReadFailed;
            z.next_in = input.data();
            z.avail_in = uInt(got);
        }
        const bool inputLeft = z.avail_in > 0 || reader.Remaining() > 0;
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        const int status = inflate(&z, Z_NO_FLUSH);
        const EOutcome written = output.Write(out.data(), out.size() - z.avail_out);
        if (written != EOutcome::Ok) return written;
        if (status == Z_STREAM_END) return EOutcome::Ok;
        if (status == Z_DATA_ERROR || status == Z_NEED_DICT || status == Z_MEM_ERROR || status == Z_STREAM_ERROR)
            return EOutcome::DamagedData;
        // Z_OK or Z_BUF_ERROR: without further input and with room left
        // for output, the stream will never end.
        if (!inputLeft && z.avail_in == 0 && z.avail_out > 0) return EOutcome::Truncated;
    }
}

EOutcome Extract(IByteStream& archive, const TZipCentralEntry& entry, const std::string& password, IZipSink& sink,
                 const TZipExtractProgress& progress, TZipExtractResult& result) {
    if ((entry.Method != kMethodStored && entry.Method != kMethodDeflated) ||
        (entry.IsEncrypted() && (entry.Flags & kFlagStrongEncryption)))
        return EOutcome::UnsupportedMethod;
    TZipLocalHeader local;
    if (!ReadZipLocalHeader(archive, entry, local, result.Detail)) return EOutcome::NotFound;
    // What an entry declares is what both of its headers say: the program
    // totals the local headers before it extracts (for the room it needs),
    // and no entry may write more than that total counted for it.
    if (!local.SizesFollowData &&
        (local.UncompressedSize != entry.UncompressedSize || local.CompressedSize != entry.CompressedSize))
        return EOutcome::SizeMismatch;
    TDataReader reader(archive, local.DataStart, entry.CompressedSize);
    TPkwareCipher cipher(password);
    if (entry.IsEncrypted()) {
        if (password.empty()) return EOutcome::PasswordNeeded;
        unsigned char header[TPkwareCipher::kHeaderSize];
        size_t got = 0;
        if (reader.Remaining() < sizeof header) return EOutcome::Truncated;
        if (!reader.Read(header, sizeof header, got)) return EOutcome::ReadFailed;
        const uint8_t check =
            (entry.Flags & kFlagDataDescriptor) ? uint8_t(entry.DosTime >> 8) : uint8_t(entry.Crc32 >> 24);
        if (!cipher.CheckHeader(header, check)) return EOutcome::WrongPassword;
        reader.Cipher = &cipher;
    }
    TOutput output(sink, progress, entry.UncompressedSize);
    if (entry.Method == kMethodStored && reader.Remaining() != entry.UncompressedSize) return EOutcome::SizeMismatch;
    const EOutcome copied =
        entry.Method == kMethodStored ? CopyStored(reader, output) : Inflate(reader, output, entry.UncompressedSize);
    result.BytesWritten = output.Written;
    if (copied != EOutcome::Ok) return copied;
    if (output.Written != entry.UncompressedSize) return EOutcome::SizeMismatch;
    if (output.Crc != entry.Crc32) return EOutcome::CrcMismatch;
    return EOutcome::Ok;
}

}  // namespace

TZipExtractResult ExtractZipEntry(IByteStream& archive, const TZipCentralEntry& entry, const std::string& password,
                                  IZipSink& sink, const TZipExtractProgress& progress) {
    TZipExtractResult result;
    result.Outcome = Extract(archive, entry, password, sink, progress, result);
    return result;
}

std::string ZipExtractMessage(const TZipExtractResult& result, const std::string& name) {
    switch (result.Outcome) {
        case EOutcome::Ok: return "";
        case EOutcome::PasswordNeeded: return "No password given for the encrypted file " + name;
        case EOutcome::WrongPassword: return "Wrong password for file " + name;
        case EOutcome::CrcMismatch: return "CRC error in file " + name;
        case EOutcome::SizeMismatch: return "The size of file " + name + " does not match the archive's record";
        case EOutcome::Truncated: return "The data of file " + name + " is truncated";
        case EOutcome::DamagedData: return "The compressed data of file " + name + " is damaged";
        case EOutcome::UnsupportedMethod:
            return "File " + name + " uses a compression or encryption method that is not supported";
        case EOutcome::NotFound:
            return result.Detail.empty() ? "The data of file " + name + " cannot be found" : result.Detail;
        case EOutcome::ReadFailed: return "The archive could not be read at file " + name;
        case EOutcome::WriteFailed: return "File " + name + " could not be written";
        case EOutcome::Stopped: return "Stopped at file " + name;
    }
    return "File " + name + " could not be extracted";
}
