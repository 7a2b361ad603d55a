#include "main/win32/PieExportCommands.h"

#include "main/MainFormHooks.h"

TPieExportCommands::TPieExportCommands(ISaveFileDialog& saveDialog, IMessageBoxes& boxes)
    : SaveDialog(saveDialog), Boxes(boxes) {}

void TPieExportCommands::FillHooks(TMainFormHooks& hooks) {
    hooks.PieAsMetafile = [this] {
        if (Exporter) Exporter->AsMetafileCommand();
    };
    hooks.PieAsBitmap = [this] {
        if (Exporter) Exporter->AsBitmapCommand();
    };
    hooks.PieToFile = [this] {
        if (Exporter) Exporter->ToFileCommand();
    };
}

void TPieExportCommands::Attach(TMainForm& form) {
    Exporter = std::make_unique<TPieExport>(form, TPieExportServices{SaveDialog, Boxes, Clipboard});
}
