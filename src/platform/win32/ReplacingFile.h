#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/win32/Owned.h"

// What went wrong with a file, as one sentence for the user.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes a file under a temporary name in the target's folder and puts it
// in the target's place only once everything is written. A failure on the
// way never leaves a partial file where a script would take it for the
// real one, nor harms a file the target already was: the temporary file
// is deleted instead.
class TReplacingFile {
public:
    // Creates the temporary file; throws TFileError when the folder cannot
    // take it.
    explicit TReplacingFile(const std::string& target);
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    // Buffered; throws TFileError.
    void Write(const std::string& bytes);
    // Flushes, closes and moves the file over the target; throws TFileError.
    void Commit();

private:
    void Flush();
    [[noreturn]] static void Fail(DWORD error);

    std::wstring Target;
    std::wstring Temporary;
    TWin32Handle File;
    std::string Buffer;
    bool Committed = false;
};
