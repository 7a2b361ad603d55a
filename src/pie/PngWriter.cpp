#include "pie/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {

enum : uint8_t { kFilterNone, kFilterSub, kFilterUp, kFilterAverage, kFilterPaeth, kFilterCount };

void PutU32BigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char type[4], const std::string& data) {
    PutU32BigEndian(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.append(type, 4);
    out += data;
    uLong crc = crc32(0L, Z_NULL, 0);
    // The CRC covers the type and the data; zlib takes at most uInt bytes a call.
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
    size_t left = out.size() - start;
    while (left > 0) {
        const uInt piece = uInt(std::min<size_t>(left, std::numeric_limits<uInt>::max()));
        crc = crc32(crc, bytes, piece);
        bytes += piece;
        left -= piece;
    }
    PutU32BigEndian(out, uint32_t(crc));
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

// One row filtered with `filter`; `previous` is the row above, zeros for the first.
void FilterRow(uint8_t filter, const std::string& row, const std::string& previous, std::string& out) {
    out.resize(row.size() + 1);
    out[0] = char(filter);
    for (size_t i = 0; i < row.size(); ++i) {
        const int x = uint8_t(row[i]);
        const int a = i >= 3 ? uint8_t(row[i - 3]) : 0;
        const int b = uint8_t(previous[i]);
        const int c = i >= 3 ? uint8_t(previous[i - 3]) : 0;
        int predicted = 0;
        switch (filter) {
            case kFilterSub: predicted = a; break;
            case kFilterUp: predicted = b; break;
            case kFilterAverage: predicted = (a + b) / 2; break;
            case kFilterPaeth: predicted = Paeth(a, b, c); break;
            default: break;
        }
        out[i + 1] = char(uint8_t(x - predicted));
    }
}

// The usual choice: the filter whose output, taken as signed bytes, sums smallest.
uint64_t Cost(const std::string& filtered) {
    uint64_t sum = 0;
    for (size_t i = 1; i < filtered.size(); ++i) sum += uint64_t(std::abs(int(int8_t(filtered[i]))));
    return sum;
}

class TDeflater {
public:
    TDeflater() {
        if (deflateInit(&Stream, Z_BEST_COMPRESSION) != Z_OK)
            throw std::runtime_error("The PNG compressor could not start.");
    }
    ~TDeflater() { deflateEnd(&Stream); }
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;

    void Add(const std::string& bytes, bool last) {
        Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        Stream.avail_in = uInt(bytes.size());
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        char buffer[65536];
        for (;;) {
            Stream.next_out = reinterpret_cast<Bytef*>(buffer);
            Stream.avail_out = sizeof buffer;
            const int result = deflate(&Stream, flush);
            if (result == Z_STREAM_ERROR) throw std::runtime_error("The PNG compressor failed.");
            Output.append(buffer, sizeof buffer - Stream.avail_out);
            if (last ? result == Z_STREAM_END : (Stream.avail_in == 0 && Stream.avail_out != 0)) break;
        }
    }

    std::string Output;

private:
    z_stream Stream = {};
};

}  // namespace

std::string PngFileBytes(const TBgrxImage& image) {
    if (image.Width <= 0 || image.Height <= 0) throw std::length_error("The picture is empty.");
    // The filtered rows must fit one zlib call each and the deflated data one chunk.
    if ((uint64_t(image.Width) * 3 + 1) * uint64_t(image.Height) > (uint64_t(1) << 30))
        throw std::length_error("The picture is too large for a PNG file.");
    if (image.Pixels.size() != uint64_t(image.Width) * uint64_t(image.Height))
        throw std::length_error("The picture's pixels do not match its size.");

    std::string header;
    PutU32BigEndian(header, uint32_t(image.Width));
    PutU32BigEndian(header, uint32_t(image.Height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace

    TDeflater deflater;
    const size_t rowBytes = size_t(image.Width) * 3;
    std::string previous(rowBytes, '\0'), row(rowBytes, '\0'), best, candidate;
    for (int32_t y = 0; y < image.Height; ++y) {
        const uint32_t* pixels = image.Pixels.data() + size_t(y) * size_t(image.Width);
        for (int32_t x = 0; x < image.Width; ++x) {
            row[size_t(x) * 3] = char((pixels[x] >> 16) & 0xFF);
            row[size_t(x) * 3 + 1] = char((pixels[x] >> 8) & 0xFF);
            row[size_t(x) * 3 + 2] = char(pixels[x] & 0xFF);
        }
        FilterRow(kFilterNone, row, previous, best);
        uint64_t bestCost = Cost(best);
        for (uint8_t filter = kFilterSub; filter < kFilterCount; ++filter) {
            FilterRow(filter, row, previous, candidate);
            const uint64_t cost = Cost(candidate);
            if (cost < bestCost) {
                bestCost = cost;
                best.swap(candidate);
            }
        }
        deflater.Add(best, y + 1 == image.Height);
        previous.swap(row);
    }

    std::string out("\x89PNG\r\n\x1A\n", 8);
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", deflater.Output);
    PutChunk(out, "IEND", std::string());
    return out;
}
