#include "pie/PieExportRules.h"

namespace {

std::string::size_type ExtensionStart(const std::string& name) {
    const std::string::size_type dot = name.find_last_of(".\\/:");
    if (dot == std::string::npos || name[dot] != '.') return std::string::npos;
    return dot;
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

}  // namespace

std::string PieExportExtension(int filterIndex) {
    static const char* const kExtensions[] = {".BMP", ".WMF", ".EMF", ".PNG"};
    if (filterIndex < 1 || filterIndex > int(sizeof kExtensions / sizeof kExtensions[0])) return std::string();
    return kExtensions[filterIndex - 1];
}

std::string ReplaceFileExtension(const std::string& name, const std::string& extension) {
    const std::string::size_type start = ExtensionStart(name);
    return (start == std::string::npos ? name : name.substr(0, start)) + extension;
}

std::string PieExportFileName(const std::string& chosen, int filterIndex) {
    const std::string extension = PieExportExtension(filterIndex);
    return extension.empty() ? chosen : ReplaceFileExtension(chosen, extension);
}

std::string PieExportDefaultExtension(int filterIndex) {
    const std::string extension = PieExportExtension(filterIndex);
    return extension.empty() ? extension : extension.substr(1);
}

bool IsAnotherFileThanChosen(const std::string& chosen, const std::string& saved) {
    return UpperAscii(chosen) != UpperAscii(saved);
}

std::string ReplaceExistingFileQuestion(const std::string& name) {
    return name + " already exists.\r\nDo you want to replace it?";
}

TPieExportKind PieExportKindOf(const std::string& name) {
    const std::string::size_type start = ExtensionStart(name);
    const std::string extension = start == std::string::npos ? std::string() : UpperAscii(name.substr(start));
    if (extension == ".BMP") return TPieExportKind::Bitmap;
    if (extension == ".PNG") return TPieExportKind::Png;
    if (extension == ".EMF") return TPieExportKind::EnhancedMetafile;
    return TPieExportKind::WindowsMetafile;
}
