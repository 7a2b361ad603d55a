#pragma once
#include <windows.h>

#include <string>

#include "controls/win32/SaveDialog.h"
#include "main/FolderReport.h"

class ILocale;
class IMessageBoxes;
class TMainForm;
struct TFolderNode;

// File > Export Folder Report: asks where to save, brings the pie, Folder
// Information and Wasted Space pages up to date for the selected folder,
// and writes their texts as a report in the system's ANSI code page. The
// dialog remembers the last name for as long as the window lives.
class TFolderReportExport {
public:
    TFolderReportExport(TMainForm& form, ISaveFileDialog& dialog, IMessageBoxes& boxes, const ILocale& locale);

    void Execute();
    // The report of the node, selected in the tree: the three pages it
    // copies are filled for it first and the page shown before comes back.
    // Throws when a page cannot be filled.
    std::string ReportText(const TFolderNode& node);
    // What the pages show now for the node, as the report takes it.
    TFolderReportInputs CollectInputs(const TFolderNode& node) const;

private:
    void Write(const std::string& fileName, const TFolderNode& node);

    TMainForm& Form;
    TSaveDialog TheSaveDialog;
    IMessageBoxes& Boxes;
    const ILocale& Locale;
};

// Writes text, given in UTF-8, to a new or emptied file in the system's
// ANSI code page. Throws std::runtime_error when the file cannot be
// created or written; what was written before stays.
void WriteAnsiTextFile(const std::string& fileName, const std::string& text);
