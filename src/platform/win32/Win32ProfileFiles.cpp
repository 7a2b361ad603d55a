#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"

namespace {

// GetPrivateProfileStringW into a buffer that grows until the answer fits:
// the call says it was cut short by returning the buffer's size less one
// (less two for a list of key names).
std::wstring ProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                           const std::wstring& file) {
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const DWORD got =
            GetPrivateProfileStringW(section, key, fallback, &buffer[0], DWORD(buffer.size()), file.c_str());
        const DWORD cutAt = DWORD(buffer.size()) - (key ? 1 : 2);
        if (got < cutAt || buffer.size() >= (1u << 24)) {
            buffer.resize(got);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// An empty UTF-16 file, so that the profile functions go on in UTF-16.
void CreateUnicodeFile(const std::wstring& file) {
    TWin32Handle handle(
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsValid()) return;  // there already, or not writable: the write below says which
    const unsigned char byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(handle.Get(), byteOrderMark, sizeof byteOrderMark, &written, nullptr);
}

}  // namespace

std::vector<std::string> TWin32ProfileFiles::KeyNames(const std::string& file, const std::string& section) {
    const std::wstring list = ProfileString(Widen(section).c_str(), nullptr, L"", Widen(file));
    std::vector<std::string> names;
    for (size_t start = 0; start < list.size();) {
        const size_t end = list.find(L'\0', start);
        const size_t stop = end == std::wstring::npos ? list.size() : end;
        if (stop > start) names.push_back(Narrow(list.substr(start, stop - start)));
        start = stop + 1;
    }
    return names;
}

std::string TWin32ProfileFiles::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                           const std::string& fallback) {
    return Narrow(ProfileString(Widen(section).c_str(), Widen(key).c_str(), Widen(fallback).c_str(), Widen(file)));
}

bool TWin32ProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& value) {
    const std::wstring path = Widen(file);
    CreateUnicodeFile(path);
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(), path.c_str());
}

bool TWin32ProfileFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), nullptr, Widen(file).c_str());
}
