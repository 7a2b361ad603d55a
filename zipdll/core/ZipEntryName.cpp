#include "ZipEntryName.h"

#include <cctype>

#include "ZipExtractRules.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

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
            if (const char* problem = ZipNameComponentProblem(component)) {
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
