#pragma once
#include <memory>

#include "main/win32/PieExport.h"

struct TMainFormHooks;

// File > Export Pie for the main window: the three hooks, filled before the
// window exists, and the export, made once it does.
class TPieExportCommands {
public:
    TPieExportCommands(ISaveFileDialog& saveDialog, IMessageBoxes& boxes);

    // The hooks do nothing until Attach.
    void FillHooks(TMainFormHooks& hooks);
    void Attach(TMainForm& form);
    // None before Attach.
    TPieExport* Export() const { return Exporter.get(); }

private:
    ISaveFileDialog& SaveDialog;
    IMessageBoxes& Boxes;
    TWin32Clipboard Clipboard;
    std::unique_ptr<TPieExport> Exporter;
};
