#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Registry.h"

// Single registry values outside the option sets: window placement, the
// first-run flag, the colour table and the angles. Each call opens a store
// on `root` (creating the root key when missing), does its one read or write
// and closes it. Reads and writes throw TRegistryError as TBinRegIniFile does.

void WriteIntegerValue(IRegistry& registry, const std::string& root, const std::string& section,
                       const std::string& name, int32_t value);
int32_t ReadIntegerValue(IRegistry& registry, const std::string& root, const std::string& section,
                         const std::string& name, int32_t defaultValue);

void WriteStringValue(IRegistry& registry, const std::string& root, const std::string& section, const std::string& name,
                      const std::string& text);
std::string ReadStringValue(IRegistry& registry, const std::string& root, const std::string& section,
                            const std::string& name, const std::string& defaultText);

void WriteBinaryValue(IRegistry& registry, const std::string& root, const std::string& section, const std::string& name,
                      size_t size, const uint8_t* buffer);
// The number of bytes copied to `buffer`; 0 when the value is missing.
size_t ReadBinaryValue(IRegistry& registry, const std::string& root, const std::string& section,
                       const std::string& name, size_t bufferSize, uint8_t* buffer);
