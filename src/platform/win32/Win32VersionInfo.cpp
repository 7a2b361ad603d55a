#include "platform/win32/Win32VersionInfo.h"

#include <cwchar>

#include "platform/win32/WideString.h"

namespace {

std::wstring RunningExecutable() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &name[0], DWORD(name.size()));
        if (length == 0) return std::wstring();
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);  // cut short: try a longer buffer
    }
}

}  // namespace

TWin32VersionInfo::TWin32VersionInfo() : FileName(RunningExecutable()) {}

TWin32VersionInfo::TWin32VersionInfo(const std::string& path) : FileName(Widen(path)) {}

uint32_t TWin32VersionInfo::ResourceSize() {
    if (FileName.empty()) return 0;
    DWORD unused = 0;
    return GetFileVersionInfoSizeW(FileName.c_str(), &unused);
}

bool TWin32VersionInfo::ReadResource() {
    Resource.clear();
    const uint32_t size = ResourceSize();
    if (size == 0) return false;
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoW(FileName.c_str(), 0, size, data.data())) return false;
    Resource.swap(data);
    return true;
}

bool TWin32VersionInfo::Query(const wchar_t* subBlock, void*& value, UINT& length) const {
    if (Resource.empty()) return false;
    value = nullptr;
    length = 0;
    return VerQueryValueW(Resource.data(), subBlock, &value, &length) && value;
}

bool TWin32VersionInfo::QueryFileFlags(uint32_t& flags, uint32_t& blockLength) {
    void* value = nullptr;
    UINT length = 0;
    if (!Query(L"\\", value, length)) return false;
    blockLength = length;
    // A block too short to hold the flags reads as having none.
    flags = length >= sizeof(VS_FIXEDFILEINFO) ? static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileFlags : 0;
    return true;
}

bool TWin32VersionInfo::QueryTranslations(std::vector<TVersionTranslation>& translations) {
    void* value = nullptr;
    UINT length = 0;
    if (!Query(L"\\VarFileInfo\\Translation", value, length)) return false;
    const auto* words = static_cast<const WORD*>(value);
    translations.clear();
    for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2)
        translations.push_back(TVersionTranslation{words[i], words[i + 1]});
    return true;
}

bool TWin32VersionInfo::QueryString(const std::string& subBlock, std::string& value) {
    void* found = nullptr;
    UINT length = 0;
    if (!Query(Widen(subBlock).c_str(), found, length)) return false;
    // The length counts characters and may include the terminator.
    const auto* text = static_cast<const wchar_t*>(found);
    value = Narrow(std::wstring(text, wcsnlen(text, length)));
    return true;
}
