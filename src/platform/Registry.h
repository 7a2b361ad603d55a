#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The registry's own numbers for the value types the program meets.
enum : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// What a stored value holds, as far as the program cares.
enum class TRegType { String, ExpandString, MultiString, Binary, DWord, Other };

inline TRegType RegTypeOf(uint32_t rawType) {
    switch (rawType) {
        case kRegSz: return TRegType::String;
        case kRegExpandSz: return TRegType::ExpandString;
        case kRegMultiSz: return TRegType::MultiString;
        case kRegBinary: return TRegType::Binary;
        case kRegDword: return TRegType::DWord;
        default: return TRegType::Other;
    }
}

inline bool IsTextType(TRegType type) { return type == TRegType::String || type == TRegType::ExpandString; }

// One stored value. `Text` holds the data of the two plain string types in
// UTF-8, cut at the first NUL; `Data` holds the raw bytes of every other type.
struct TRegValue {
    TRegType Type = TRegType::Other;
    uint32_t RawType = kRegNone;
    std::string Text;
    std::vector<uint8_t> Data;
};

enum class TRegRead {
    Found,
    Missing,  // no such key, a key that cannot be opened, or no such value
    Failed,   // the value is there but its data could not be read
};

// Values below HKEY_CURRENT_USER. Key paths are relative to it, parts
// separated by backslashes ("Software\Tollvane\Quarrymap\Options"); key and
// value names ignore case, as in the registry. The empty name is a key's
// default value. Every call reports failure through its result and never
// throws.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens the key, creating it and any missing parent; false on failure.
    virtual bool CreateKey(const std::string& path) = 0;
    virtual bool KeyExists(const std::string& path) = 0;
    virtual bool ValueExists(const std::string& path, const std::string& name) = 0;
    // `value` is cleared first.
    virtual TRegRead ReadValue(const std::string& path, const std::string& name, TRegValue& value) = 0;
    // Both writes need an existing key; false when it is missing or the write fails.
    virtual bool WriteString(const std::string& path, const std::string& name, const std::string& text) = 0;
    virtual bool WriteBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) = 0;
    // Deletes a key that has no subkeys, with its values; false when it is
    // missing, still has subkeys or cannot be deleted.
    virtual bool DeleteKey(const std::string& path) = 0;
    // Whether a key exists in HKEY_CLASSES_ROOT, the view that merges the
    // machine's classes with the current user's "Software\Classes": Found,
    // Missing, or Failed when that cannot be told.
    virtual TRegRead ClassesKeyState(const std::string& path) = 0;
};
