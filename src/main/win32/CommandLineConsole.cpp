#include "main/win32/CommandLineConsole.h"

#include "platform/MessageBoxes.h"
#include "platform/win32/WideString.h"

TCommandLineConsole::TCommandLineConsole(IMessageBoxes& boxes) : Boxes(boxes) {
    Attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    Open(Out, STD_OUTPUT_HANDLE);
    Open(Err, STD_ERROR_HANDLE);
    ErrorIsConsole = Err.IsConsole;
}

void TCommandLineConsole::Open(TStream& stream, DWORD standardHandle) {
    HANDLE given = GetStdHandle(standardHandle);
    if (given && given != INVALID_HANDLE_VALUE && GetFileType(given) != FILE_TYPE_UNKNOWN) {
        stream.Handle = given;
    } else if (Attached) {
        stream.Owned =
            TWin32Handle(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (stream.Owned.IsValid()) stream.Handle = stream.Owned.Get();
    }
    DWORD mode = 0;
    stream.IsConsole = stream.Handle && GetConsoleMode(stream.Handle, &mode);
}

void TCommandLineConsole::Write(const TStream& stream, const std::string& text) {
    DWORD written = 0;
    if (stream.IsConsole) {
        const std::wstring wide = Widen(text);
        WriteConsoleW(stream.Handle, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        // Files and pipes get the line ends Windows programs expect.
        std::string bytes;
        for (const char c : text) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        WriteFile(stream.Handle, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    }
}

void TCommandLineConsole::Output(const std::string& text) {
    if (Out.Handle)
        Write(Out, text);
    else
        Boxes.Show(kProductName, text, TMsgButtons::Ok, TMsgIcon::Information);
}

void TCommandLineConsole::Error(const std::string& text) {
    if (Err.Handle)
        Write(Err, text);
    else
        Boxes.Show(kProductName, text, TMsgButtons::Ok, TMsgIcon::Error);
}

void TCommandLineConsole::Progress(const std::string& text) {
    if (ErrorIsConsole && !text.empty()) Write(Err, text);
}
