#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstring>
#include <limits>

#include "platform/win32/Owned.h"
#include "platform/win32/WideString.h"

namespace {

bool OpenKey(const std::string& path, REGSAM access, TRegKey& key) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, access, key.Receive()) == ERROR_SUCCESS;
}

bool SetValue(const std::string& path, const std::string& name, DWORD type, const BYTE* data, size_t size) {
    if (size > std::numeric_limits<DWORD>::max()) return false;
    TRegKey key;
    if (!OpenKey(path, KEY_SET_VALUE, key)) return false;
    return RegSetValueExW(key.Get(), Widen(name).c_str(), 0, type, data, DWORD(size)) == ERROR_SUCCESS;
}

// UTF-16 string data, which need not end in a NUL and may hold an odd byte,
// as UTF-8 text up to the first NUL.
std::string TextOf(const std::vector<uint8_t>& data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
    return Narrow(text.c_str());
}

}  // namespace

bool TWin32Registry::CreateKey(const std::string& path) {
    TRegKey key;
    return RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE,
                           nullptr, key.Receive(), nullptr) == ERROR_SUCCESS;
}

bool TWin32Registry::KeyExists(const std::string& path) {
    TRegKey key;
    return OpenKey(path, KEY_QUERY_VALUE, key);
}

bool TWin32Registry::ValueExists(const std::string& path, const std::string& name) {
    TRegKey key;
    if (!OpenKey(path, KEY_QUERY_VALUE, key)) return false;
    return RegQueryValueExW(key.Get(), Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TRegRead TWin32Registry::ReadValue(const std::string& path, const std::string& name, TRegValue& value) {
    value = TRegValue();
    TRegKey key;
    if (!OpenKey(path, KEY_QUERY_VALUE, key)) return TRegRead::Missing;
    const std::wstring wideName = Widen(name);

    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return TRegRead::Missing;
    if (status != ERROR_SUCCESS) return TRegRead::Failed;

    // The value may grow between the two calls; ask again until it fits.
    // A buffer of at least one byte, so that the call never takes it for a size query.
    std::vector<uint8_t> data;
    do {
        data.resize(size == 0 ? 1 : size);
        size = DWORD(data.size());
        status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
    } while (status == ERROR_MORE_DATA);
    if (status == ERROR_FILE_NOT_FOUND) return TRegRead::Missing;
    if (status != ERROR_SUCCESS) return TRegRead::Failed;
    data.resize(size);

    value.RawType = type;
    value.Type = RegTypeOf(type);
    if (IsTextType(value.Type))
        value.Text = TextOf(data);
    else
        value.Data = std::move(data);
    return TRegRead::Found;
}

bool TWin32Registry::WriteString(const std::string& path, const std::string& name, const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);  // with the closing NUL
    return SetValue(path, name, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()), bytes);
}

bool TWin32Registry::WriteBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) {
    return SetValue(path, name, REG_BINARY, data.data(), data.size());
}

bool TWin32Registry::DeleteKey(const std::string& path) {
    if (path.empty()) return false;  // never HKEY_CURRENT_USER itself
    return RegDeleteKeyW(HKEY_CURRENT_USER, Widen(path).c_str()) == ERROR_SUCCESS;
}

// The user's own classes are looked at as well, for systems whose
// HKEY_CLASSES_ROOT does not merge them in.
TRegRead TWin32Registry::ClassesKeyState(const std::string& path) {
    const std::wstring widePath = Widen(path);
    TRegKey key;
    const LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, widePath.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
    if (status == ERROR_SUCCESS) return TRegRead::Found;
    if (KeyExists("Software\\Classes\\" + path)) return TRegRead::Found;
    return status == ERROR_FILE_NOT_FOUND ? TRegRead::Missing : TRegRead::Failed;
}
