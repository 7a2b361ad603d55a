#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "zipdll/core/PkwareCipher.h"

namespace {

std::string Encrypted(const std::string& password, std::string data) {
    TPkwareCipher cipher(password);
    cipher.Encrypt(reinterpret_cast<unsigned char*>(&data[0]), data.size());
    return data;
}

TEST(PkwareCipherRoundTrip, DecryptingWithTheSamePasswordGivesTheBytesBack) {
    std::string plain;
    for (int i = 0; i < 70000; ++i) plain.push_back(char(i * 31 + (i >> 8)));
    const std::string secret = Encrypted("correct horse", plain);
    EXPECT_NE(plain, secret);
    std::string back = secret;
    TPkwareCipher cipher("correct horse");
    // In pieces of odd sizes: the key state carries across calls.
    size_t at = 0;
    for (size_t piece : {1u, 7u, 1000u, 30000u}) {
        cipher.Decrypt(reinterpret_cast<unsigned char*>(&back[at]), piece);
        at += piece;
    }
    cipher.Decrypt(reinterpret_cast<unsigned char*>(&back[at]), back.size() - at);
    EXPECT_EQ(plain, back);
}

TEST(PkwareCipherRoundTrip, ADifferentPasswordGivesDifferentBytes) {
    const std::string plain(64, 'A');
    EXPECT_NE(Encrypted("one", plain), Encrypted("two", plain));
    EXPECT_NE(Encrypted("", plain), Encrypted("one", plain));
    std::string back = Encrypted("one", plain);
    TPkwareCipher wrong("One");
    wrong.Decrypt(reinterpret_cast<unsigned char*>(&back[0]), back.size());
    EXPECT_NE(plain, back);
}

TEST(PkwareCipherRoundTrip, KnownVectorOfTheTraditionalCipher) {
    // Eight zero bytes under the password "a", as Python's zipfile decrypts them.
    const std::string secret = Encrypted("a", std::string(8, '\0'));
    EXPECT_EQ(std::string("\x33\x83\x4f\x08\xd2\xee\x72\x48", 8), secret);
}

TEST(PkwareCipherHeader, TheHeaderChecksWithTheRightPasswordAndItsCheckByte) {
    const unsigned char random[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    TPkwareCipher writer("pw");
    const std::string header = writer.MakeHeader(random, 0xC3);
    ASSERT_EQ(TPkwareCipher::kHeaderSize, header.size());
    unsigned char copy[TPkwareCipher::kHeaderSize];
    std::memcpy(copy, header.data(), sizeof copy);
    TPkwareCipher reader("pw");
    EXPECT_TRUE(reader.CheckHeader(copy, 0xC3));
    EXPECT_EQ(0, std::memcmp(copy, random, 11)) << "the decrypted header holds the random bytes";
    // The data after the header decrypts with the state the header left.
    std::string data = "payload";
    writer.Encrypt(reinterpret_cast<unsigned char*>(&data[0]), data.size());
    reader.Decrypt(reinterpret_cast<unsigned char*>(&data[0]), data.size());
    EXPECT_EQ("payload", data);

    int wrongAccepted = 0;
    for (int i = 0; i < 200; ++i) {
        std::memcpy(copy, header.data(), sizeof copy);
        TPkwareCipher wrong("pw" + std::to_string(i));
        if (wrong.CheckHeader(copy, 0xC3)) ++wrongAccepted;
    }
    EXPECT_LT(wrongAccepted, 10) << "about 1 in 256 wrong passwords passes the check byte";
}

}  // namespace
