#include "config/RegistryValues.h"

#include "config/RegIniFile.h"

void WriteIntegerValue(IRegistry& registry, const std::string& root, const std::string& section,
                       const std::string& name, int32_t value) {
    TRegIniFile(registry, root).WriteInteger(section, name, value);
}

int32_t ReadIntegerValue(IRegistry& registry, const std::string& root, const std::string& section,
                         const std::string& name, int32_t defaultValue) {
    return TRegIniFile(registry, root).ReadInteger(section, name, defaultValue);
}

void WriteStringValue(IRegistry& registry, const std::string& root, const std::string& section, const std::string& name,
                      const std::string& text) {
    TRegIniFile(registry, root).WriteString(section, name, text);
}

std::string ReadStringValue(IRegistry& registry, const std::string& root, const std::string& section,
                            const std::string& name, const std::string& defaultText) {
    return TRegIniFile(registry, root).ReadString(section, name, defaultText);
}

void WriteBinaryValue(IRegistry& registry, const std::string& root, const std::string& section, const std::string& name,
                      size_t size, const uint8_t* buffer) {
    TBinRegIniFile(registry, root).WriteBinary(section, name, size, buffer);
}

size_t ReadBinaryValue(IRegistry& registry, const std::string& root, const std::string& section,
                       const std::string& name, size_t bufferSize, uint8_t* buffer) {
    return TBinRegIniFile(registry, root).ReadBinary(section, name, bufferSize, buffer);
}
