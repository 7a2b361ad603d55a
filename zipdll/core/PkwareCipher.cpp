#include "PkwareCipher.h"

#include <array>

namespace {
std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
const std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t Crc32Step(uint32_t crc, uint8_t b) { return kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8); }
}  // namespace

TPkwareCipher::TPkwareCipher(const std::string& password) : Keys{0x12345678u, 0x23456789u, 0x34567890u} {
    for (unsigned char c : password) Update(c);
}

void TPkwareCipher::Update(uint8_t plain) {
    Keys[0] = Crc32Step(Keys[0], plain);
    Keys[1] = (Keys[1] + (Keys[0] & 0xFF)) * 134775813u + 1;
    Keys[2] = Crc32Step(Keys[2], uint8_t(Keys[1] >> 24));
}

uint8_t TPkwareCipher::StreamByte() const {
    const uint16_t temp = uint16_t((Keys[2] & 0xFFFF) | 2);
    return uint8_t((uint32_t(temp) * uint32_t(temp ^ 1)) >> 8);
}

void TPkwareCipher::Encrypt(unsigned char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const uint8_t plain = data[i];
        data[i] = uint8_t(plain ^ StreamByte());
        Update(plain);
    }
}

void TPkwareCipher::Decrypt(unsigned char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        data[i] = uint8_t(data[i] ^ StreamByte());
        Update(data[i]);
    }
}

std::string TPkwareCipher::MakeHeader(const unsigned char random[11], uint8_t checkByte) {
    unsigned char header[kHeaderSize];
    for (size_t i = 0; i < 11; ++i) header[i] = random[i];
    header[11] = checkByte;
    Encrypt(header, kHeaderSize);
    return std::string(reinterpret_cast<char*>(header), kHeaderSize);
}

bool TPkwareCipher::CheckHeader(unsigned char header[kHeaderSize], uint8_t checkByte) {
    Decrypt(header, kHeaderSize);
    return header[11] == checkByte;
}
