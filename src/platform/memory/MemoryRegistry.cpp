#include "platform/memory/MemoryRegistry.h"

#include <algorithm>

namespace {

std::string Fold(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return folded;
}

// True when `path` is `key` or lies below it.
bool IsAtOrBelow(const std::string& path, const std::string& key) {
    if (path.compare(0, key.size(), key) != 0) return false;
    return path.size() == key.size() || path[key.size()] == '\\';
}

}  // namespace

TMemoryRegistry::TKey* TMemoryRegistry::FindKey(const std::string& path) {
    const auto it = Keys.find(Fold(path));
    return it == Keys.end() ? nullptr : &it->second;
}

const TMemoryRegistry::TKey* TMemoryRegistry::FindKey(const std::string& path) const {
    const auto it = Keys.find(Fold(path));
    return it == Keys.end() ? nullptr : &it->second;
}

TMemoryRegistry::TKey& TMemoryRegistry::AddKey(const std::string& folded) {
    for (size_t i = 0; i < folded.size(); ++i)
        if (folded[i] == '\\') Keys[folded.substr(0, i)];
    Keys[""];
    return Keys[folded];
}

void TMemoryRegistry::Plant(const std::string& path, const std::string& name, const TRegValue& value) {
    AddKey(Fold(path))[Fold(name)] = value;
}

void TMemoryRegistry::PlantString(const std::string& path, const std::string& name, const std::string& text) {
    TRegValue value;
    value.Type = TRegType::String;
    value.RawType = kRegSz;
    value.Text = text;
    Plant(path, name, value);
}

void TMemoryRegistry::PlantBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) {
    PlantRaw(path, name, kRegBinary, data);
}

void TMemoryRegistry::PlantRaw(const std::string& path, const std::string& name, uint32_t rawType,
                               const std::vector<uint8_t>& data) {
    TRegValue value;
    value.Type = RegTypeOf(rawType);
    value.RawType = rawType;
    if (IsTextType(value.Type))
        value.Text.assign(data.begin(), std::find(data.begin(), data.end(), uint8_t(0)));
    else
        value.Data = data;
    Plant(path, name, value);
}

void TMemoryRegistry::FailKeyCreation(const std::string& path) { BlockedKeys.push_back(Fold(path)); }

void TMemoryRegistry::FailWritesOf(const std::string& name) { BlockedWrites.insert(Fold(name)); }

void TMemoryRegistry::FailReadsOf(const std::string& name) { BlockedReads.insert(Fold(name)); }

const TRegValue* TMemoryRegistry::Find(const std::string& path, const std::string& name) const {
    const TKey* key = FindKey(path);
    if (!key) return nullptr;
    const auto it = key->find(Fold(name));
    return it == key->end() ? nullptr : &it->second;
}

size_t TMemoryRegistry::ValueCount(const std::string& path) const {
    const TKey* key = FindKey(path);
    return key ? key->size() : 0;
}

bool TMemoryRegistry::CreateKey(const std::string& path) {
    const std::string folded = Fold(path);
    for (const std::string& blocked : BlockedKeys)
        if (IsAtOrBelow(folded, blocked)) return false;
    AddKey(folded);
    return true;
}

bool TMemoryRegistry::KeyExists(const std::string& path) { return FindKey(path) != nullptr; }

bool TMemoryRegistry::ValueExists(const std::string& path, const std::string& name) {
    return Find(path, name) != nullptr;
}

TRegRead TMemoryRegistry::ReadValue(const std::string& path, const std::string& name, TRegValue& value) {
    value = TRegValue();
    const TRegValue* stored = Find(path, name);
    if (!stored) return TRegRead::Missing;
    if (BlockedReads.count(Fold(name))) return TRegRead::Failed;
    value = *stored;
    return TRegRead::Found;
}

bool TMemoryRegistry::Store(const std::string& path, const std::string& name, const TRegValue& value) {
    TKey* key = FindKey(path);
    if (!key || BlockedWrites.count(Fold(name))) return false;
    (*key)[Fold(name)] = value;
    WriteLog.push_back({path, name});
    return true;
}

bool TMemoryRegistry::WriteString(const std::string& path, const std::string& name, const std::string& text) {
    TRegValue value;
    value.Type = TRegType::String;
    value.RawType = kRegSz;
    value.Text = text;
    return Store(path, name, value);
}

bool TMemoryRegistry::WriteBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) {
    TRegValue value;
    value.Type = TRegType::Binary;
    value.RawType = kRegBinary;
    value.Data = data;
    return Store(path, name, value);
}

void TMemoryRegistry::PlantMachineClassesKey(const std::string& path) {
    const std::string folded = Fold(path);
    for (size_t i = 0; i < folded.size(); ++i)
        if (folded[i] == '\\') MachineClasses.insert(folded.substr(0, i));
    MachineClasses.insert(folded);
}

void TMemoryRegistry::FailKeyDeletion(const std::string& path) { BlockedDeletions.insert(Fold(path)); }

bool TMemoryRegistry::DeleteKey(const std::string& path) {
    const std::string folded = Fold(path);
    const auto key = Keys.find(folded);
    if (folded.empty() || key == Keys.end() || BlockedDeletions.count(folded)) return false;
    const auto below = Keys.lower_bound(folded + "\\");
    if (below != Keys.end() && IsAtOrBelow(below->first, folded)) return false;  // has subkeys
    Keys.erase(key);
    return true;
}

TRegRead TMemoryRegistry::ClassesKeyState(const std::string& path) {
    if (ClassesUnreadable) return TRegRead::Failed;
    const std::string folded = Fold(path);
    if (MachineClasses.count(folded) || FindKey("SOFTWARE\\CLASSES\\" + folded)) return TRegRead::Found;
    return TRegRead::Missing;
}
