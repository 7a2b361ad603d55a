#include "config/RegIniFile.h"

#include <cstring>
#include <vector>

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex(const std::string& digits, int32_t& value) {
    if (digits.empty()) return false;
    uint64_t bits = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return false;
        bits = bits * 16 + uint64_t(digit);
        if (bits > 0xFFFFFFFFu) return false;
    }
    value = int32_t(uint32_t(bits));
    return true;
}

bool ParseDecimal(const std::string& text, int32_t& value) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i == text.size()) return false;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) return false;
    }
    value = int32_t(negative ? -magnitude : magnitude);
    return true;
}

// "<message>'<name>'", the form of every value-level error text.
std::string Quoted(const char* message, const std::string& name) { return std::string(message) + "'" + name + "'"; }

}  // namespace

bool ParseStoredInteger(const std::string& text, int32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2), value);
    return ParseDecimal(text, value);
}

TRegIniFile::TRegIniFile(IRegistry& registry, const std::string& rootPath) : Registry(registry), Root(rootPath) {
    Registry.CreateKey(Root);
}

std::string TRegIniFile::SectionPath(const std::string& section) const { return Root + "\\" + section; }

std::string TRegIniFile::CreateSection(const std::string& section) {
    const std::string path = SectionPath(section);
    if (!Registry.CreateKey(path)) throw TRegistryError("Failed to create key " + section);
    return path;
}

bool TRegIniFile::ValueExists(const std::string& section, const std::string& name) {
    return Registry.ValueExists(SectionPath(section), name);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& defaultText) {
    TRegValue value;
    switch (Registry.ReadValue(SectionPath(section), name, value)) {
        case TRegRead::Missing: return defaultText;
        case TRegRead::Failed: throw TRegistryError(Quoted("Failed to get data for ", name));
        case TRegRead::Found: break;
    }
    if (!IsTextType(value.Type)) throw TRegistryError(Quoted("Invalid data type for ", name));
    return value.Text;
}

int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& name, int32_t defaultValue) {
    int32_t value = 0;
    if (!ParseStoredInteger(ReadString(section, name, std::string()), value)) return defaultValue;
    return value;
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& name, bool defaultValue) {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& name, const std::string& text) {
    if (!Registry.WriteString(CreateSection(section), name, text))
        throw TRegistryError(Quoted("Failed to set data for ", name));
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& name, int32_t value) {
    WriteString(section, name, std::to_string(value));
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

size_t TBinRegIniFile::ReadBinary(const std::string& section, const std::string& name, size_t bufferSize,
                                  uint8_t* buffer) {
    TRegValue value;
    switch (Registry.ReadValue(SectionPath(section), name, value)) {
        case TRegRead::Missing: return 0;
        case TRegRead::Failed: throw TRegistryError(Quoted("Failed to get data for ", name));
        case TRegRead::Found: break;
    }
    if (value.Type != TRegType::Binary || value.Data.size() > bufferSize)
        throw TRegistryError(Quoted("Invalid data type for ", name));
    if (!value.Data.empty()) std::memcpy(buffer, value.Data.data(), value.Data.size());
    return value.Data.size();
}

void TBinRegIniFile::WriteBinary(const std::string& section, const std::string& name, size_t size,
                                 const uint8_t* buffer) {
    const std::vector<uint8_t> data(buffer, buffer + size);
    if (!Registry.WriteBinary(CreateSection(section), name, data))
        throw TRegistryError(Quoted("Failed to set data for ", name));
}
