#include "scan/FolderNames.h"

#include <cstring>

#include "scan/TextUtils.h"

namespace {

bool IsShortNameChar(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c != '\0' && std::strchr("$%'-_@~`!(){}^#&", c) != nullptr;
}

bool HasLowerCaseLetter(const std::string& name) {
    for (const char c : name)
        if (c >= 'a' && c <= 'z') return true;
    return false;
}

// Capitals of a name stored by FAT, as the user expects to read it.
std::string Capitalised(const std::string& name) {
    std::string text = AsciiLower(name);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

}  // namespace

bool IsValidShortName(const std::string& name) {
    const size_t dot = name.find('.');
    const size_t baseLength = dot == std::string::npos ? name.size() : dot;
    if (baseLength < 1 || baseLength > 8) return false;
    if (dot != std::string::npos) {
        const size_t extensionLength = name.size() - dot - 1;
        if (extensionLength < 1 || extensionLength > 3) return false;
    }
    for (size_t i = 0; i < name.size(); ++i)
        if (i != dot && !IsShortNameChar(name[i])) return false;
    return true;
}

std::string FolderDisplayName(const std::string& name, const std::string& shortName) {
    if (!shortName.empty() || HasLowerCaseLetter(name) || !IsValidShortName(name)) return name;
    return Capitalised(name);
}

bool NameMatchesDisplayText(const std::string& text, const std::string& name) {
    // A name typed or picked by the user never carries a short name of its own.
    return text == name || text == FolderDisplayName(name, std::string());
}
