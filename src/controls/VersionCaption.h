#pragma once
#include <string>

#include "platform/VersionInfo.h"

// The fields of a version resource a label can show.
enum class TVersionResource {
    vrCompanyName,
    vrFileDescription,
    vrFileVersion,
    vrInternalName,
    vrLegalCopyright,
    vrOriginalFilename,
    vrProductName,
    vrProductVersion,
    vrComments,
    vrFlags,
};

// The string-table key of a field ("FileVersion") and the prefix a label
// puts before it ("File Version:").
const char* VersionResourceKeyOf(TVersionResource field);
const char* VersionResourcePrefixOf(TVersionResource field);

// What stands in the caption when the value cannot be shown.
extern const char kNoVersionData[];         // the executable has no version resource
extern const char kVersionInfoError[];      // the resource or the value cannot be read
extern const char kTranslationInfoError[];  // no usable translation table
extern const char kNoVersionInfo[];         // the string is empty

// The caption of a version label: an optional prefix and one field of the
// executable's version resource. Every change of a property works the
// caption out again at once; failures become one of the texts above.
class TVersionCaption {
public:
    explicit TVersionCaption(IVersionInfo& info);

    TVersionResource VersionResource() const { return Field; }
    const std::string& VersionResourceKey() const { return Key; }
    const std::string& InfoPrefix() const { return Prefix; }
    bool ShowInfoPrefix() const { return PrefixShown; }
    // Eight hexadecimal digits, language first; "-1" until the first
    // translation of the resource has been looked up.
    const std::string& LangCharset() const { return Translation; }
    const std::string& Caption() const { return Text; }

    // Also takes the field's key and prefix.
    void SetVersionResource(TVersionResource field);
    // A new key becomes the prefix too; set a prefix of your own after it.
    void SetVersionResourceKey(const std::string& key);
    void SetInfoPrefix(const std::string& prefix);
    void SetShowInfoPrefix(bool show);
    void SetLangCharset(const std::string& langCharset);

    void Refresh();

private:
    std::string ValueText();
    std::string FlagsText();
    std::string StringText();

    IVersionInfo& Info;
    TVersionResource Field = TVersionResource::vrFileVersion;
    std::string Key;
    std::string Prefix;
    bool PrefixShown = true;
    std::string Translation = "-1";
    std::string Text;
};
