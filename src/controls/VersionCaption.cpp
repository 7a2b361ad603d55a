#include "controls/VersionCaption.h"

#include <cstdint>
#include <cstdio>
#include <vector>

const char kNoVersionData[] = "< No Data Available >";
const char kVersionInfoError[] = "< Error retrieving version info >";
const char kTranslationInfoError[] = "< Error retrieving translation info >";
const char kNoVersionInfo[] = "< No Version Info >";

namespace {

const char kFirstTranslation[] = "-1";

struct TFieldNames {
    const char* Key;
    const char* Prefix;
};

// In the order of TVersionResource.
const TFieldNames kFieldNames[] = {
    {"CompanyName", "Company Name:"},
    {"FileDescription", "File Description:"},
    {"FileVersion", "File Version:"},
    {"InternalName", "Internal Name:"},
    {"LegalCopyright", "Legal Copyright:"},
    {"OriginalFilename", "Original Filename:"},
    {"ProductName", "Product Name:"},
    {"ProductVersion", "Product Version:"},
    {"Comments", "Comments:"},
    {"Flags", "Flags:"},
};
static_assert(sizeof(kFieldNames) / sizeof(kFieldNames[0]) == size_t(TVersionResource::vrFlags) + 1,
              "one key and prefix for every field");

struct TFlagName {
    uint32_t Bit;
    const char* Text;
};

const TFlagName kFlagNames[] = {
    {kVersionFlagDebug, ", Debug Build"},         {kVersionFlagPreRelease, ", Pre-Release Build"},
    {kVersionFlagPatched, ", Patched Build"},     {kVersionFlagPrivateBuild, ", Private Build"},
    {kVersionFlagInfoInferred, ", InfoInferred"}, {kVersionFlagSpecialBuild, ", Special Build"},
};

std::string LangCharsetOf(const TVersionTranslation& translation) {
    char text[9];
    std::snprintf(text, sizeof(text), "%04X%04X", unsigned(translation.Language), unsigned(translation.CodePage));
    return text;
}

}  // namespace

const char* VersionResourceKeyOf(TVersionResource field) { return kFieldNames[int(field)].Key; }
const char* VersionResourcePrefixOf(TVersionResource field) { return kFieldNames[int(field)].Prefix; }

TVersionCaption::TVersionCaption(IVersionInfo& info)
    : Info(info), Key(VersionResourceKeyOf(Field)), Prefix(VersionResourcePrefixOf(Field)) {
    Refresh();
}

void TVersionCaption::SetVersionResource(TVersionResource field) {
    Field = field;
    Key = VersionResourceKeyOf(field);
    Prefix = VersionResourcePrefixOf(field);
    Refresh();
}

void TVersionCaption::SetVersionResourceKey(const std::string& key) {
    if (key == Key) return;
    Key = key;
    Prefix = key;
    Refresh();
}

void TVersionCaption::SetInfoPrefix(const std::string& prefix) {
    if (prefix == Prefix) return;
    Prefix = prefix;
    Refresh();
}

void TVersionCaption::SetShowInfoPrefix(bool show) {
    if (show == PrefixShown) return;
    PrefixShown = show;
    Refresh();
}

void TVersionCaption::SetLangCharset(const std::string& langCharset) {
    if (langCharset == Translation) return;
    Translation = langCharset;
    Refresh();
}

void TVersionCaption::Refresh() {
    const std::string value = ValueText();
    Text = PrefixShown ? Prefix + " " + value : value;
}

std::string TVersionCaption::ValueText() {
    if (Info.ResourceSize() == 0) return kNoVersionData;
    if (!Info.ReadResource()) return kVersionInfoError;
    return Field == TVersionResource::vrFlags ? FlagsText() : StringText();
}

std::string TVersionCaption::FlagsText() {
    uint32_t flags = 0, blockLength = 0;
    if (!Info.QueryFileFlags(flags, blockLength)) return kVersionInfoError;
    if (blockLength < 2) return "";
    std::string text;
    for (const TFlagName& flag : kFlagNames)
        if (flags & flag.Bit) text += flag.Text;
    return text.empty() ? text : text.substr(2);  // drop the leading ", "
}

std::string TVersionCaption::StringText() {
    if (Translation == kFirstTranslation) {
        // Looked up once; the label then stays with that table.
        std::vector<TVersionTranslation> translations;
        if (!Info.QueryTranslations(translations) || translations.empty()) return kTranslationInfoError;
        Translation = LangCharsetOf(translations.front());
    }
    std::string value;
    if (!Info.QueryString("\\StringFileInfo\\" + Translation + "\\" + Key, value)) return kVersionInfoError;
    return value.empty() ? kNoVersionInfo : value;
}
