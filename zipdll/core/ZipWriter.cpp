#include "ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "PkwareCipher.h"
#include "ZipCentralDirectory.h"
#include "ZipFormat.h"
#include "platform/ByteStream.h"

using namespace ZipFormat;

namespace {

constexpr uint16_t kFolderAttribute = 0x10;
constexpr uint32_t kCryptHeaderSize = uint32_t(TPkwareCipher::kHeaderSize);

// Fills `buffer` as far as the source goes.
bool ReadFull(IZipSource& source, unsigned char* buffer, size_t capacity, size_t& total) {
    total = 0;
    while (total < capacity) {
        size_t got = 0;
        if (!source.Read(buffer + total, capacity - total, got)) return false;
        if (got == 0) break;
        total += got;
    }
    return true;
}

uint32_t Crc(uint32_t crc, const unsigned char* data, size_t size) {
    // zlib takes 32-bit lengths; chunks are far smaller, but stay safe.
    while (size > 0) {
        const uInt step = uInt(std::min<size_t>(size, 1u << 30));
        crc = uint32_t(crc32(crc, data, step));
        data += step;
        size -= step;
    }
    return crc;
}

// Makes the buffer hold at least `size` bytes, keeping those it holds.
unsigned char* AtLeast(std::vector<unsigned char>& buffer, size_t size) {
    if (buffer.size() < size) buffer.resize(size);
    return buffer.data();
}

// Deflate may grow incompressible data a little; a file this close to 4 GiB
// gets ZIP64 room in its local header in case it ends up above.
bool MayNeedZip64(uint64_t size, const TZip64Thresholds& limits) {
    return limits.Exceeds(size) || limits.Exceeds(size + (size >> 11) + 4096);
}

}  // namespace

bool TMemoryZipSource::Read(void* buffer, size_t count, size_t& got) {
    got = std::min(count, Bytes.size() - At);
    if (got) std::memcpy(buffer, Bytes.data() + At, got);
    At += got;
    return true;
}

// One raw deflate stream, reset for each entry.
struct TZipWriter::TDeflater {
    z_stream Stream{};
    bool Ready = false;

    ~TDeflater() {
        if (Ready) deflateEnd(&Stream);
    }
    bool Start(int level) {
        if (Ready) return deflateReset(&Stream) == Z_OK;
        // -15: raw deflate, as ZIP stores it; memory level 8 as zlib's default.
        Ready = deflateInit2(&Stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        return Ready;
    }
};

TZipWriter::TZipWriter(IZipOutput& output, uint64_t startOffset)
    : Out(output, startOffset),
      Deflater(std::make_unique<TDeflater>()),
      Whole(std::make_unique<TZipEntryCompressor>(Level)) {
    // The buffers grow when an entry needs them: an archive of small files
    // never needs a whole chunk.
}

TZipWriter::~TZipWriter() = default;

void TZipWriter::SetLevel(int level) {
    Level = std::clamp(level, 0, 9);
    Whole = std::make_unique<TZipEntryCompressor>(Level);
}

void TZipWriter::SetPassword(const std::string& password, TRandom random) {
    Password = password;
    Random = random ? std::move(random) : TRandom(SystemRandom);
}

TZipAddOutcome TZipWriter::Drop(uint64_t entryStart, TZipAddOutcome outcome, const std::string& why) {
    Out.Rewind(entryStart);
    Cipher.reset();
    LastError = why;
    return outcome;
}

std::string TZipWriter::EncryptionHeader(uint32_t crc) {
    unsigned char random[11];
    Random(random, sizeof random);
    Cipher = std::make_unique<TPkwareCipher>(Password);
    return Cipher->MakeHeader(random, uint8_t(crc >> 24));
}

bool TZipWriter::WritePayload(unsigned char* data, size_t size) {
    if (Cipher) Cipher->Encrypt(data, size);
    return Out.Append(data, size);
}

TZipAddOutcome TZipWriter::AddFile(const TZipNewEntry& entry, IZipSource& source, const TProgress& progress) {
    LastError.clear();
    if (entry.Name.empty() || entry.Name.size() > kMax16) {
        LastError = "the name cannot be stored in an archive";
        return TZipAddOutcome::SourceFailed;
    }
    TZipEntryRecord record = MakeEntryRecord(entry, !Password.empty());
    // Room for the file as listed and one byte more, to see it end; a file
    // larger than listed is read on up to a whole chunk.
    const size_t room = size_t(std::min<uint64_t>(kChunkSize, std::max<uint64_t>(entry.ExpectedSize + 1, 4096)));
    size_t first = 0;
    if (!ReadFull(source, AtLeast(Input, room), room, first)) return TZipAddOutcome::SourceFailed;
    if (first == room && room < kChunkSize) {
        size_t more = 0;
        if (!ReadFull(source, AtLeast(Input, kChunkSize) + first, kChunkSize - first, more))
            return TZipAddOutcome::SourceFailed;
        first += more;
    }
    if (first < kChunkSize) {
        if (progress && first > 0 && !progress(first)) {
            LastError = "stopped";
            return TZipAddOutcome::Stopped;
        }
        if (!Whole->Prepare(entry, Input.data(), first, Password, Random, Prepared)) {
            LastError = "zlib failed";
            return TZipAddOutcome::OutputFailed;
        }
        return AddPrepared(Prepared);
    }
    record.LocalZip64 = MayNeedZip64(std::max<uint64_t>(entry.ExpectedSize, first), Limits);
    return AddStreamed(record, source, first, progress);
}

TZipAddOutcome TZipWriter::AddPrepared(const TZipPreparedEntry& entry) {
    LastError.clear();
    TZipEntryRecord record = entry.Record;
    const uint64_t entryStart = Out.Position();
    record.LocalHeaderOffset = entryStart;
    record.LocalZip64 = Limits.Exceeds(record.CompressedSize) || Limits.Exceeds(record.UncompressedSize);
    if (!Out.Append(ZipHeaders::LocalHeader(record, Limits)) || !Out.Append(entry.Payload))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, "the archive could not be written");
    Records.push_back(record);
    return TZipAddOutcome::Added;
}

bool TZipWriter::Compress(const unsigned char* data, size_t size, bool last, uint64_t& written) {
    z_stream& z = Deflater->Stream;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    int result = Z_OK;
    do {
        z.next_out = Output.data();
        z.avail_out = uInt(Output.size());
        result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        if (result == Z_STREAM_ERROR) return false;
        const size_t produced = Output.size() - z.avail_out;
        if (produced > 0) {
            if (!WritePayload(Output.data(), produced)) return false;
            written += produced;
        }
    } while (z.avail_out == 0 || (last && result != Z_STREAM_END));
    return true;
}

// A larger file, read chunk by chunk; its header is completed afterwards.
// Encryption needs the CRC first (for the check byte), so an encrypted file
// is read twice, and left out when the two readings differ.
TZipAddOutcome TZipWriter::AddStreamed(TZipEntryRecord& record, IZipSource& source, size_t firstSize,
                                       const TProgress& progress) {
    const bool encrypted = (record.Flags & kFlagEncrypted) != 0;
    const uint64_t entryStart = Out.Position();
    record.LocalHeaderOffset = entryStart;
    size_t got = firstSize;
    uint32_t firstPassCrc = 0;
    if (encrypted) {
        firstPassCrc = Crc(0, Input.data(), got);
        while (got > 0) {
            if (!ReadFull(source, Input.data(), kChunkSize, got)) return TZipAddOutcome::SourceFailed;
            firstPassCrc = Crc(firstPassCrc, Input.data(), got);
        }
        if (!source.Rewind() || !ReadFull(source, Input.data(), kChunkSize, got)) return TZipAddOutcome::SourceFailed;
    }
    record.Method = Level > 0 ? kMethodDeflated : kMethodStored;
    if (Level > 0) record.Flags |= DeflateLevelFlags(Level);
    const std::string failedOutput = "the archive could not be written";
    if (!Out.Append(ZipHeaders::LocalHeader(record, Limits)))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    if (encrypted && !Out.Append(EncryptionHeader(firstPassCrc)))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    if (Level > 0 && !Deflater->Start(Level)) return Drop(entryStart, TZipAddOutcome::OutputFailed, "zlib failed");
    if (Level > 0) AtLeast(Output, std::max<size_t>(kChunkSize, deflateBound(nullptr, uLong(kChunkSize))) + 64);

    uint32_t crc = 0;
    uint64_t consumed = 0, produced = 0;
    while (got > 0) {
        crc = Crc(crc, Input.data(), got);
        consumed += got;
        bool ok = true;
        if (Level > 0) {
            ok = Compress(Input.data(), got, false, produced);
        } else {
            ok = WritePayload(Input.data(), got);
            produced += got;
        }
        if (!ok) return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
        if (progress && !progress(got)) return Drop(entryStart, TZipAddOutcome::Stopped, "stopped");
        if (!ReadFull(source, Input.data(), kChunkSize, got)) return Drop(entryStart, TZipAddOutcome::SourceFailed, "");
    }
    if (Level > 0 && !Compress(nullptr, 0, true, produced))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    Cipher.reset();

    record.Crc32 = crc;
    record.UncompressedSize = consumed;
    record.CompressedSize = produced + (encrypted ? kCryptHeaderSize : 0);
    if (encrypted && crc != firstPassCrc)
        return Drop(entryStart, TZipAddOutcome::SourceFailed, "the file changed while it was read");
    if (!record.LocalZip64 && (Limits.Exceeds(record.UncompressedSize) || Limits.Exceeds(record.CompressedSize)))
        return Drop(entryStart, TZipAddOutcome::SourceFailed, "the file grew past 4 GiB while it was read");
    if (!Out.Patch(entryStart, ZipHeaders::LocalHeader(record, Limits)))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    Records.push_back(record);
    return TZipAddOutcome::Added;
}

TZipAddOutcome TZipWriter::AddFolder(const TZipNewEntry& entry) {
    LastError.clear();
    if (entry.Name.size() > kMax16) {
        LastError = "the name cannot be stored in an archive";
        return TZipAddOutcome::SourceFailed;
    }
    TZipEntryRecord record = MakeEntryRecord(entry, false);
    if (record.Name.empty() || record.Name.back() != '/') record.Name.push_back('/');
    record.ExternalAttributes |= kFolderAttribute;
    record.LocalHeaderOffset = Out.Position();
    if (!Out.Append(ZipHeaders::LocalHeader(record, Limits)))
        return Drop(record.LocalHeaderOffset, TZipAddOutcome::OutputFailed, "the archive could not be written");
    Records.push_back(record);
    return TZipAddOutcome::Added;
}

TZipAddOutcome TZipWriter::CopyEntry(const TZipCentralEntry& entry, IByteStream& archive) {
    LastError.clear();
    uint64_t dataStart = 0;
    if (!LocateEntryData(archive, entry, dataStart, LastError)) return TZipAddOutcome::SourceFailed;
    TZipEntryRecord record;
    record.VersionMadeBy = entry.VersionMadeBy;
    record.Flags = entry.Flags;
    // Only the NTFS times of the extra fields are copied. The name is stored
    // as it was read (from another tool's Unicode path field, converted
    // from code page 437, or as a Unix tool stored it) and flagged as UTF-8,
    // so that it reads the same without them.
    if (entry.Name.size() > kMax16) {
        LastError = "the name is too long to be stored as UTF-8";
        return TZipAddOutcome::SourceFailed;
    }
    record.Name = entry.Name;
    if (!IsPlainAscii(entry.Name)) record.Flags |= kFlagUtf8;
    record.Method = entry.Method;
    record.DosTime = entry.DosTime;
    record.DosDate = entry.DosDate;
    record.Crc32 = entry.Crc32;
    record.CompressedSize = entry.CompressedSize;
    record.UncompressedSize = entry.UncompressedSize;
    record.InternalAttributes = entry.InternalAttributes;
    record.ExternalAttributes = entry.ExternalAttributes;
    record.HasTimes = entry.ModifiedTime || entry.AccessedTime || entry.CreatedTime;
    record.ModifiedTime = entry.ModifiedTime;
    record.AccessedTime = entry.AccessedTime;
    record.CreatedTime = entry.CreatedTime;
    record.LocalZip64 = Limits.Exceeds(entry.CompressedSize) || Limits.Exceeds(entry.UncompressedSize);
    // An encrypted entry with a data descriptor checks its password against
    // the DOS time, so it keeps the descriptor; others no longer need one.
    const bool descriptor = (entry.Flags & kFlagDataDescriptor) && (entry.Flags & kFlagEncrypted);
    if (!descriptor) record.Flags &= uint16_t(~kFlagDataDescriptor);

    const uint64_t entryStart = Out.Position();
    record.LocalHeaderOffset = entryStart;
    const std::string failedOutput = "the archive could not be written";
    if (!Out.Append(ZipHeaders::LocalHeader(record, Limits)))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    if (!archive.Seek(int64_t(dataStart)))
        return Drop(entryStart, TZipAddOutcome::SourceFailed, "the entry's data lies outside the archive");
    uint64_t left = entry.CompressedSize;
    while (left > 0) {
        const size_t want = size_t(std::min<uint64_t>(left, kChunkSize));
        const size_t got = archive.Read(AtLeast(Input, want), want);
        if (got != want) return Drop(entryStart, TZipAddOutcome::SourceFailed, "the entry's data is cut short");
        if (!Out.Append(Input.data(), got)) return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
        left -= got;
    }
    if (descriptor && !Out.Append(ZipHeaders::DataDescriptor(record)))
        return Drop(entryStart, TZipAddOutcome::OutputFailed, failedOutput);
    Records.push_back(record);
    return TZipAddOutcome::Added;
}

bool TZipWriter::Finish() {
    LastError.clear();
    const uint64_t directoryOffset = Out.Position();
    for (const TZipEntryRecord& record : Records) {
        if (!Out.Append(ZipHeaders::CentralHeader(record, Limits))) {
            LastError = "the archive could not be written";
            return false;
        }
    }
    const uint64_t directorySize = Out.Position() - directoryOffset;
    if (!Out.Append(ZipHeaders::EndRecords(Records.size(), directoryOffset, directorySize, Limits)) || !Out.Close()) {
        LastError = "the archive could not be written";
        return false;
    }
    return true;
}
