#include "config/OptionSet.h"

void TIntOption::Load(TRegIniFile& store, const std::string& section) {
    Value = store.ReadInteger(section, Name, Default);
}

void TIntOption::Save(TRegIniFile& store, const std::string& section) { store.WriteInteger(section, Name, Value); }

void TBoolOption::Load(TRegIniFile& store, const std::string& section) {
    Value = store.ReadBool(section, Name, Default);
}

void TBoolOption::Save(TRegIniFile& store, const std::string& section) { store.WriteBool(section, Name, Value); }

void TStrOption::Load(TRegIniFile& store, const std::string& section) {
    Value = store.ReadString(section, Name, Default);
}

void TStrOption::Save(TRegIniFile& store, const std::string& section) { store.WriteString(section, Name, Value); }

template <class TKind, class TDefault>
TKind* TOptions::Add(const std::string& name, const TDefault& defaultValue) {
    auto option = std::make_unique<TKind>(name, defaultValue);
    TKind* handle = option.get();
    Items.push_back(std::move(option));
    return handle;
}

TIntOption* TOptions::AddInt(const std::string& name, int32_t defaultValue) {
    return Add<TIntOption>(name, defaultValue);
}

TBoolOption* TOptions::AddBool(const std::string& name, bool defaultValue) {
    return Add<TBoolOption>(name, defaultValue);
}

TStrOption* TOptions::AddStr(const std::string& name, const std::string& defaultValue) {
    return Add<TStrOption>(name, defaultValue);
}

void TOptions::LoadAll(IRegistry& registry) {
    TRegIniFile store(registry, RootPath);
    for (auto& option : Items) option->Load(store, Section);
}

void TOptions::SaveAll(IRegistry& registry) {
    TRegIniFile store(registry, RootPath);
    for (auto& option : Items) option->Save(store, Section);
}
