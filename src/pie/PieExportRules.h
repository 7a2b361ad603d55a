#pragma once
#include <string>

// File > Export Pie > To File: the save dialog's choices and what a chosen
// name turns into.

// The save dialog's filter; the filter index is 1-based.
constexpr const char* kPieExportFilter =
    "Bitmap (*.bmp)|*.bmp|Metafile (*.wmf)|*.wmf|Enhanced Metafile (*.emf)|*.emf|"
    "Portable Network Graphics (*.png)|*.png";

enum class TPieExportKind { Bitmap, WindowsMetafile, EnhancedMetafile, Png };

// The extension a file saved with the filter gets: ".BMP", ".WMF", ".EMF"
// or ".PNG"; empty for an index outside the filter.
std::string PieExportExtension(int filterIndex);

// The name with its extension, if any, replaced by `extension`. The
// extension starts at the last dot of the last path component.
std::string ReplaceFileExtension(const std::string& name, const std::string& extension);

// The name the dialog's choice is saved under: its extension replaced by
// the filter's, whatever was typed; unchanged for an unknown filter.
std::string PieExportFileName(const std::string& chosen, int filterIndex);

// The dialog's default extension for the filter ("BMP"), so that the name
// it asks about is the name written; empty for an index outside the filter.
std::string PieExportDefaultExtension(int filterIndex);

// True when the file saved is not the one the dialog asked about: the
// names differ in more than the case of their letters.
bool IsAnotherFileThanChosen(const std::string& chosen, const std::string& saved);

// The question before replacing a file the dialog did not ask about.
std::string ReplaceExistingFileQuestion(const std::string& name);

// What a name is saved as, by its extension in upper case: a bitmap for
// ".BMP", PNG for ".PNG", an enhanced metafile for ".EMF" and a standard
// Windows metafile for anything else.
TPieExportKind PieExportKindOf(const std::string& name);
