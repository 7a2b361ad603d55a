#include "platform/memory/FakeVersionInfo.h"

#include <cctype>

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool TFakeVersionInfo::ReadResource() {
    ++Reads;
    Read = Size > 0 && Readable;
    return Read;
}

bool TFakeVersionInfo::QueryFileFlags(uint32_t& flags, uint32_t& blockLength) {
    if (!Read || !HasFixedInfo) return false;
    flags = FileFlags;
    blockLength = FixedInfoLength;
    return true;
}

bool TFakeVersionInfo::QueryTranslations(std::vector<TVersionTranslation>& translations) {
    ++TranslationQueries;
    if (!Read || !HasTranslations) return false;
    translations = Translations;
    return true;
}

bool TFakeVersionInfo::QueryString(const std::string& subBlock, std::string& value) {
    StringQueries.push_back(subBlock);
    if (!Read) return false;
    const auto found = Strings.find(UpperCase(subBlock));
    if (found == Strings.end()) return false;
    value = found->second;
    return true;
}

void TFakeVersionInfo::AddString(const std::string& langCharset, const std::string& key, const std::string& value) {
    Strings[UpperCase("\\StringFileInfo\\" + langCharset + "\\" + key)] = value;
}
