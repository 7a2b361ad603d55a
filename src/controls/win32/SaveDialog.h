#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>

// Shows the system's Save As dialog. The program uses the system's own;
// tests answer the request themselves.
class ISaveFileDialog {
public:
    virtual ~ISaveFileDialog() = default;
    // True when the user chose a file; its path is then in the request's buffer.
    virtual bool Ask(OPENFILENAMEW& request) = 0;
};

class TSystemSaveFileDialog : public ISaveFileDialog {
public:
    bool Ask(OPENFILENAMEW& request) override { return ::GetSaveFileNameW(&request) != FALSE; }
};

// A Save As dialog that keeps its settings and the last chosen name for as
// long as it lives, so that it offers that name again.
class TSaveDialog {
public:
    explicit TSaveDialog(ISaveFileDialog& dialog) : Dialog(dialog) {}

    std::string Title;
    // Pairs of description and pattern separated by "|", such as
    // "Text file (*.txt)|*.txt".
    std::string Filter;
    std::string DefaultExtension;  // added to a name typed without one
    std::string FileName;          // offered first; the chosen file afterwards
    int FilterIndex = 1;           // 1-based, as the dialog counts: offered first; the chosen one afterwards

    // Asks before overwriting and hides the read-only box. True when the
    // user chose a file; FileName is then its path and FilterIndex the
    // filter chosen with it.
    bool Execute(HWND owner);

private:
    ISaveFileDialog& Dialog;
};
