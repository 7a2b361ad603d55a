#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/Owned.h"

class IMessageBoxes;

// Where a job started from the command line speaks. The program is a
// window program, so it has no console of its own: it uses the standard
// handles it was given (a pipe or file), else the console of the process
// that started it. Started from Explorer it has neither, and what it has to
// say goes into a message box.
class TCommandLineConsole {
public:
    explicit TCommandLineConsole(IMessageBoxes& boxes);
    TCommandLineConsole(const TCommandLineConsole&) = delete;
    TCommandLineConsole& operator=(const TCommandLineConsole&) = delete;

    // Lines for standard output (the help text) and standard error (what
    // went wrong); each ends with a line break. With no console they are
    // shown in a box, an error line with the stop sign.
    void Output(const std::string& text);
    void Error(const std::string& text);
    // Rewrites the progress line; only on a console, never into a file.
    bool ShowsProgress() const { return ErrorIsConsole; }
    void Progress(const std::string& text);

private:
    // One of the two streams: a handle to write to, and whether it is a
    // console (which wants UTF-16) rather than a file or pipe (UTF-8).
    struct TStream {
        HANDLE Handle = nullptr;
        TWin32Handle Owned;  // set when the console's own output was opened
        bool IsConsole = false;
    };
    void Open(TStream& stream, DWORD standardHandle);
    static void Write(const TStream& stream, const std::string& text);

    IMessageBoxes& Boxes;
    bool Attached = false;
    TStream Out;
    TStream Err;
    bool ErrorIsConsole = false;
};
