#pragma once
// The ZIP format's traditional (PKWARE) encryption, which every ZIP tool
// reads. Each encrypted entry starts with a 12-byte header whose last byte
// is a check byte: the high byte of the CRC-32, or of the DOS time when the
// entry has a data descriptor.
#include <cstddef>
#include <cstdint>
#include <string>

class TPkwareCipher {
public:
    static constexpr size_t kHeaderSize = 12;

    explicit TPkwareCipher(const std::string& password);

    void Encrypt(unsigned char* data, size_t size);
    void Decrypt(unsigned char* data, size_t size);

    // The encryption header for an entry: 11 bytes from `random` then the
    // check byte; the result is already encrypted.
    std::string MakeHeader(const unsigned char random[11], uint8_t checkByte);
    // Decrypts a header read from an archive; true when its check byte
    // matches (a wrong password fails this 255 times in 256).
    bool CheckHeader(unsigned char header[kHeaderSize], uint8_t checkByte);

private:
    void Update(uint8_t plain);
    uint8_t StreamByte() const;

    uint32_t Keys[3];
};
