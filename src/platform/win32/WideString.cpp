#include "platform/win32/WideString.h"

#include <windows.h>

#include <cwchar>
#include <stdexcept>

// Most file names are plain ASCII, which converts byte for byte; only other
// text goes through the system's converter.

void WidenInto(const std::string& utf8, std::wstring& utf16) {
    utf16.resize(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
            utf16.resize(size_t(n));
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &utf16[0], n);
            return;
        }
        utf16[i] = wchar_t(c);
    }
}

void NarrowInto(const wchar_t* utf16, std::string& utf8) {
    const size_t length = utf16 ? std::wcslen(utf16) : 0;
    utf8.resize(length);
    for (size_t i = 0; i < length; ++i) {
        if (utf16[i] >= 0x80) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, utf16, int(length), nullptr, 0, nullptr, nullptr);
            utf8.resize(size_t(n));
            WideCharToMultiByte(CP_UTF8, 0, utf16, int(length), &utf8[0], n, nullptr, nullptr);
            return;
        }
        utf8[i] = char(utf16[i]);
    }
}

std::wstring Widen(const std::string& utf8) {
    std::wstring result;
    WidenInto(utf8, result);
    return result;
}

std::string Narrow(const wchar_t* utf16) {
    std::string result;
    NarrowInto(utf16, result);
    return result;
}

std::string Narrow(const std::wstring& utf16) { return Narrow(utf16.c_str()); }

std::string TextFileBytes(const std::string& utf8) {
    if (utf8.empty()) return std::string();
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) throw std::runtime_error("The text could not be converted.");
    // A system that uses UTF-8 as its code page writes the text as it is.
    if (GetACP() == CP_UTF8) return utf8;
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr, 0, nullptr, &lossy);
    if (length <= 0) throw std::runtime_error("The text could not be converted to the system's code page.");
    if (lossy) return "\xEF\xBB\xBF" + utf8;
    std::string ansi(size_t(length), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), &ansi[0], length, nullptr,
                            &lossy) != length ||
        lossy)
        throw std::runtime_error("The text could not be converted to the system's code page.");
    return ansi;
}
