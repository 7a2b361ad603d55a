#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/Registry.h"

// A registry operation that failed, carrying the text the user is shown:
// "Failed to create key %s", "Failed to set data for '%s'",
// "Failed to get data for '%s'" or "Invalid data type for '%s'".
class TRegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Values by section and name below one root key. A section is a subkey of
// the root, created when a value is first written into it. Making a store
// opens the root key and creates it when missing; when that fails, reads
// find nothing and the first write reports the failure.
//
// Integers and booleans are kept as text. Reading a value that is stored
// with a type other than text throws TRegistryError; a missing value, a
// missing section or text that is not a number yields the default.
class TRegIniFile {
public:
    TRegIniFile(IRegistry& registry, const std::string& rootPath);

    const std::string& RootPath() const { return Root; }

    bool ValueExists(const std::string& section, const std::string& name);
    std::string ReadString(const std::string& section, const std::string& name, const std::string& defaultText);
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t defaultValue);
    // Read as an integer with the default 1 or 0; anything but 0 is true.
    bool ReadBool(const std::string& section, const std::string& name, bool defaultValue);

    // Each write creates the section when needed and throws TRegistryError on failure.
    void WriteString(const std::string& section, const std::string& name, const std::string& text);
    void WriteInteger(const std::string& section, const std::string& name, int32_t value);
    void WriteBool(const std::string& section, const std::string& name, bool value);

protected:
    std::string SectionPath(const std::string& section) const;
    // The section's path, after making sure its key exists.
    std::string CreateSection(const std::string& section);

    IRegistry& Registry;

private:
    std::string Root;
};

// The section store with raw binary values besides text.
class TBinRegIniFile : public TRegIniFile {
public:
    using TRegIniFile::TRegIniFile;

    // Copies the value's bytes to the start of `buffer` and returns their
    // count; 0 when the section or the value is missing. Throws
    // "Invalid data type for '%s'" when the value is not binary or holds more
    // than `bufferSize` bytes.
    size_t ReadBinary(const std::string& section, const std::string& name, size_t bufferSize, uint8_t* buffer);
    void WriteBinary(const std::string& section, const std::string& name, size_t size, const uint8_t* buffer);
};

// The value of integer text as the store reads it: signed decimal, or, for
// text longer than two characters that starts with "0x" or "0X", the 32 bits
// given in hexadecimal. False for anything else, including numbers that do
// not fit 32 bits.
bool ParseStoredInteger(const std::string& text, int32_t& value);
