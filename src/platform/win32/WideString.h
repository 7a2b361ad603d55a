#pragma once
#include <string>

// UTF-8 inside the program, UTF-16 at the Win32 boundary.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16);

// The same conversions into an existing string, reusing its storage; the
// scanner's listing converts every directory entry this way.
void NarrowInto(const wchar_t* utf16, std::string& utf8);
void WidenInto(const std::string& utf8, std::wstring& utf16);

// A text file's bytes: in the ANSI code page when every character of the
// text has its own place there, else UTF-8 after a byte order mark, so no
// name comes out as "?". Throws std::runtime_error when Windows cannot
// convert the text.
std::string TextFileBytes(const std::string& utf8);
