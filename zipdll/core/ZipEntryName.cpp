#include "ZipEntryName.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper((unsigned char)c));
    return text;
}

// Windows opens a device for these names whatever extension follows and
// whatever spaces trail the stem: "con.txt", "Nul .log", "COM1".
bool IsDeviceName(const std::string& component) {
    std::string stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    stem = Upper(stem);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices)) return true;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
        stem[3] <= '9')
        return true;
    // COM and LPT with a superscript digit (UTF-8 of U+00B9, U+00B2, U+00B3).
    if (stem.size() == 5 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
        (unsigned char)stem[3] == 0xC2 &&
        ((unsigned char)stem[4] == 0xB9 || (unsigned char)stem[4] == 0xB2 || (unsigned char)stem[4] == 0xB3))
        return true;
    return false;
}

bool IsForbiddenCharacter(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

// Windows drops trailing dots and spaces from names, so ". ." or "..." would
// become ".." or nothing, and "a." the same file as "a".
const char* ComponentProblem(const std::string& component) {
    if (component == "..") return "the name climbs out of the extraction folder with \"..\"";
    if (std::all_of(component.begin(), component.end(), [](char c) { return c == '.' || c == ' '; }))
        return "the name has a part made only of dots and spaces";
    if (std::any_of(component.begin(), component.end(), [](char c) { return IsForbiddenCharacter((unsigned char)c); }))
        return "the name holds a character that Windows does not allow in file names";
    if (component.back() == '.' || component.back() == ' ') return "the name has a part that ends with a dot or a space";
    if (IsDeviceName(component)) return "the name is a Windows device name";
    return nullptr;
}

}  // namespace

std::string JoinZipComponents(const std::vector<std::string>& components, size_t count) {
    std::string path;
    for (size_t i = 0; i < count && i < components.size(); ++i) {
        if (i) path += '\\';
        path += components[i];
    }
    return path;
}

TZipEntryName ParseZipEntryName(const std::string& name, bool keepFolders) {
    TZipEntryName result;
    if (name.empty()) {
        result.Reason = "the name is empty";
        return result;
    }
    if (IsSeparator(name[0])) {
        result.Reason = "the name is an absolute path";
        return result;
    }
    if (name.size() >= 2 && name[1] == ':' && std::isalpha((unsigned char)name[0])) {
        result.Reason = "the name carries a drive letter";
        return result;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        const std::string component = name.substr(start, end - start);
        if (!component.empty() && component != ".") {
            if (const char* problem = ComponentProblem(component)) {
                result.Reason = problem;
                result.Components.clear();
                return result;
            }
            result.Components.push_back(component);
        }
        start = end + 1;
    }
    result.IsFolder = IsSeparator(name.back());
    if (result.Components.empty()) {
        result.Reason = "the name holds no file or folder name";
        return result;
    }
    if (keepFolders)
        result.Path = JoinZipComponents(result.Components, result.Components.size());
    else if (!result.IsFolder)
        result.Path = result.Components.back();
    return result;
}
