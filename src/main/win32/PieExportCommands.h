#pragma once
#include <memory>

#include "main/MainFormParts.h"
#include "main/win32/PieExport.h"

// File > Export Pie for the main window: the three commands, handed to the
// window before it exists, and the export, made once it does.
class TPieExportCommands : public IPieExportActions {
public:
    TPieExportCommands(ISaveFileDialog& saveDialog, IMessageBoxes& boxes);

    // The commands do nothing until Attach.
    void PieAsMetafile() override;
    void PieAsBitmap() override;
    void PieToFile() override;
    void Attach(TMainForm& form);
    // None before Attach.
    TPieExport* Export() const { return Exporter.get(); }

private:
    ISaveFileDialog& SaveDialog;
    IMessageBoxes& Boxes;
    TWin32Clipboard Clipboard;
    std::unique_ptr<TPieExport> Exporter;
};
