#pragma once
// The libraries' own password question: a small modal dialog, built in
// memory so that neither library needs a resource file.
#include <windows.h>

#include <string>

// The dialog's caption and controls, by which tests find and fill it.
constexpr const wchar_t* kZipPasswordCaption = L"Password";
constexpr int kZipPasswordFirstEdit = 101;
constexpr int kZipPasswordSecondEdit = 102;  // only when confirming
constexpr int kZipPasswordNotice = 103;      // says what is wrong with the entry

// Asks for a password; with `confirm`, twice, and the two must match.
// False when the user cancels. The password is UTF-8.
bool AskZipPassword(HWND owner, bool confirm, std::string& password);
