#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "controls/win32/SaveDialog.h"
#include "pie/PictureFiles.h"

class IMessageBoxes;
class TMainForm;
class TPieView;

// The clipboard as the pie export uses it, so that tests can make it fail.
class IPieClipboard {
public:
    virtual ~IPieClipboard() = default;
    // Replaces the clipboard's contents with `data` in `format`; the
    // clipboard owns the data once this returns. Throws std::runtime_error
    // with the reason when it cannot; the caller then still owns the data.
    virtual void Put(HWND owner, UINT format, HANDLE data) = 0;
};

class TWin32Clipboard : public IPieClipboard {
public:
    void Put(HWND owner, UINT format, HANDLE data) override;
};

struct TPieExportServices {
    ISaveFileDialog& SaveDialog;
    IMessageBoxes& MessageBoxes;
    IPieClipboard& Clipboard;
};

// File > Export Pie: the selected folder's pie as a metafile or bitmap on
// the clipboard, or in a BMP, WMF, EMF or PNG file. Every export draws the
// chart afresh onto a new surface of the off-screen bitmap's size, so the
// picture is what the pie page shows, highlighted label included; the chart
// is pointed back at its bitmap afterwards whatever happens.
class TPieExport {
public:
    TPieExport(TMainForm& form, const TPieExportServices& services);
    TPieExport(const TPieExport&) = delete;
    TPieExport& operator=(const TPieExport&) = delete;

    // The menu commands. Each brings up the pie page for the selected
    // folder, exports, and shows the page that was shown before again; a
    // failure is then reported in a message box with its text.
    void AsMetafileCommand();
    void AsBitmapCommand();
    // Asks for a file; the chosen filter's extension replaces the name's.
    void ToFileCommand();

    // The exports proper, on the pie page as it is. Without a name the
    // picture goes to the clipboard: an enhanced metafile, or a 24-bit DIB
    // (Windows offers it as a bitmap too). A metafile file is enhanced when
    // the name ends in ".EMF" and a placeable standard metafile otherwise.
    // Throw std::runtime_error with a sentence for the user.
    void ExportMetafile(const std::string& name = std::string());
    void ExportBitmap(const std::string& name = std::string());
    void ExportPng(const std::string& name);

    // dlgExportPie: lives as long as this, so it offers the last name again.
    TSaveDialog& Dialog() { return dlgExportPie; }
    int FilterIndex() const { return dlgExportPie.FilterIndex; }

private:
    void Run(const std::function<void()>& work);
    TPieView& ShownPie() const;
    TBgrxImage DrawImage();

    TMainForm& Form;
    IMessageBoxes& Boxes;
    IPieClipboard& Clipboard;
    TSaveDialog dlgExportPie;
};
