#pragma once
// Takes a fuzzer's input apart into the choices and bytes a target needs.
// Past the end every choice is 0 and every byte run empty, so any input,
// however short, makes a valid recipe.
#include <cstddef>
#include <cstdint>
#include <string>

class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size) : Data(data), Size(size) {}

    bool Empty() const { return At >= Size; }
    size_t Left() const { return Size - At; }

    uint8_t Byte() { return At < Size ? Data[At++] : 0; }
    uint16_t Short() {
        const uint8_t low = Byte();
        return uint16_t(low | (Byte() << 8));
    }
    bool Flag() { return (Byte() & 1) != 0; }

    // Up to `count` bytes.
    std::string Bytes(size_t count) {
        const size_t taken = count < Left() ? count : Left();
        std::string out(reinterpret_cast<const char*>(Data + At), taken);
        At += taken;
        return out;
    }
    // A run whose length comes first, in one byte (`wide` false) or two.
    std::string Counted(bool wide = false) { return Bytes(wide ? Short() : Byte()); }
    // Everything not taken yet.
    std::string Rest() { return Bytes(Left()); }

private:
    const uint8_t* Data;
    size_t Size;
    size_t At = 0;
};
