#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/RegIniFile.h"
#include "platform/Registry.h"

// One persisted option, stored under its registry value name.
class TOption {
public:
    explicit TOption(std::string name) : Name(std::move(name)) {}
    virtual ~TOption() = default;
    TOption(const TOption&) = delete;
    TOption& operator=(const TOption&) = delete;

    virtual void Load(TRegIniFile& store, const std::string& section) = 0;
    virtual void Save(TRegIniFile& store, const std::string& section) = 0;

    std::string Name;
};

class TIntOption : public TOption {
public:
    TIntOption(std::string name, int32_t defaultValue)
        : TOption(std::move(name)), Value(defaultValue), Default(defaultValue) {}
    void Load(TRegIniFile& store, const std::string& section) override;
    void Save(TRegIniFile& store, const std::string& section) override;

    int32_t Value;
    int32_t Default;
};

class TBoolOption : public TOption {
public:
    TBoolOption(std::string name, bool defaultValue)
        : TOption(std::move(name)), Value(defaultValue), Default(defaultValue) {}
    void Load(TRegIniFile& store, const std::string& section) override;
    void Save(TRegIniFile& store, const std::string& section) override;

    bool Value;
    bool Default;
};

class TStrOption : public TOption {
public:
    TStrOption(std::string name, std::string defaultValue)
        : TOption(std::move(name)), Value(defaultValue), Default(std::move(defaultValue)) {}
    void Load(TRegIniFile& store, const std::string& section) override;
    void Save(TRegIniFile& store, const std::string& section) override;

    std::string Value;
    std::string Default;
};

// The options of one registry section. The set owns its options; the Add
// functions hand back the new option for the caller to keep as a handle,
// valid as long as the set lives. Options load and save in the order they
// were added.
class TOptions {
public:
    TOptions(std::string rootPath, std::string section) : RootPath(std::move(rootPath)), Section(std::move(section)) {}

    TIntOption* AddInt(const std::string& name, int32_t defaultValue);
    TBoolOption* AddBool(const std::string& name, bool defaultValue);
    TStrOption* AddStr(const std::string& name, const std::string& defaultValue);

    // Both stop at the first option that fails, with its TRegistryError.
    void LoadAll(IRegistry& registry);
    void SaveAll(IRegistry& registry);

private:
    template <class TKind, class TDefault>
    TKind* Add(const std::string& name, const TDefault& defaultValue);

    std::vector<std::unique_ptr<TOption>> Items;
    std::string RootPath;
    std::string Section;
};
