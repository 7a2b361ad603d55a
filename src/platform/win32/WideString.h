#pragma once
#include <string>

// UTF-8 inside the program, UTF-16 at the Win32 boundary.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16);
