#include "main/win32/PieExportCommands.h"

TPieExportCommands::TPieExportCommands(ISaveFileDialog& saveDialog, IMessageBoxes& boxes)
    : SaveDialog(saveDialog), Boxes(boxes) {}

void TPieExportCommands::PieAsMetafile() {
    if (Exporter) Exporter->AsMetafileCommand();
}

void TPieExportCommands::PieAsBitmap() {
    if (Exporter) Exporter->AsBitmapCommand();
}

void TPieExportCommands::PieToFile() {
    if (Exporter) Exporter->ToFileCommand();
}

void TPieExportCommands::Attach(TMainForm& form) {
    Exporter = std::make_unique<TPieExport>(form, TPieExportServices{SaveDialog, Boxes, Clipboard});
}
