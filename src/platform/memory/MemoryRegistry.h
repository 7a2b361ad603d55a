#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

// One successful write, as the memory registry records it.
struct TRegWrite {
    std::string Path;
    std::string Name;
};

// A registry held in memory. Key paths and value names ignore ASCII case,
// like the real one. Tests plant values of any type, make chosen writes or
// reads fail, and inspect what was written and in which order.
class TMemoryRegistry : public IRegistry {
public:
    // Planting creates the key (and its parents) when needed.
    void Plant(const std::string& path, const std::string& name, const TRegValue& value);
    void PlantString(const std::string& path, const std::string& name, const std::string& text);
    void PlantBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data);
    // A value of any type, given by its raw number and bytes; the bytes of a
    // string type are taken as its UTF-8 text.
    void PlantRaw(const std::string& path, const std::string& name, uint32_t rawType, const std::vector<uint8_t>& data);

    // Creating this key, or any key below it, fails from now on.
    void FailKeyCreation(const std::string& path);
    // Writing a value of this name, in any key, fails from now on.
    void FailWritesOf(const std::string& name);
    // Reading a value of this name, in any key, reports a failed read.
    void FailReadsOf(const std::string& name);
    // A key of the machine's classes, seen in the merged classes view
    // beside the current user's "Software\Classes".
    void PlantMachineClassesKey(const std::string& path);
    // Deleting this key fails from now on.
    void FailKeyDeletion(const std::string& path);
    // The merged classes view cannot be read from now on.
    void FailClassesReads() { ClassesUnreadable = true; }

    // The stored value, or null when there is none.
    const TRegValue* Find(const std::string& path, const std::string& name) const;
    size_t ValueCount(const std::string& path) const;
    const std::vector<TRegWrite>& Writes() const { return WriteLog; }

    bool CreateKey(const std::string& path) override;
    bool KeyExists(const std::string& path) override;
    bool ValueExists(const std::string& path, const std::string& name) override;
    TRegRead ReadValue(const std::string& path, const std::string& name, TRegValue& value) override;
    bool WriteString(const std::string& path, const std::string& name, const std::string& text) override;
    bool WriteBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) override;
    bool DeleteKey(const std::string& path) override;
    TRegRead ClassesKeyState(const std::string& path) override;

private:
    // Values of one key by folded name.
    using TKey = std::map<std::string, TRegValue>;

    // Adds the key with every parent; returns its values.
    TKey& AddKey(const std::string& foldedPath);
    TKey* FindKey(const std::string& path);
    const TKey* FindKey(const std::string& path) const;
    bool Store(const std::string& path, const std::string& name, const TRegValue& value);

    std::map<std::string, TKey> Keys;        // by folded path; HKEY_CURRENT_USER itself is ""
    std::vector<std::string> BlockedKeys;    // folded
    std::set<std::string> BlockedWrites;     // folded
    std::set<std::string> BlockedReads;      // folded
    std::set<std::string> BlockedDeletions;  // folded
    std::set<std::string> MachineClasses;    // folded, with their parents
    bool ClassesUnreadable = false;
    std::vector<TRegWrite> WriteLog;
};
