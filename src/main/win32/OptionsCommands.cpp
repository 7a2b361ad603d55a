#include "main/win32/OptionsCommands.h"

#include "config/Options.h"
#include "main/MainCommands.h"
#include "main/win32/MainForm.h"
#include "main/win32/SystemServices.h"
#include "pie/win32/PieView.h"

void ApplyConfirmedOptions(TMainForm& form) {
    const TProgramOptions& options = form.Options();
    if (TPieView* pie = form.Pie()) pie->SetMinTextAngle(options.MinTextSectionAngle);
    form.ApplyPieColors();
    form.ShowCommandChecks();
    // Every page is built afresh, the pie with the new thresholds and
    // colours; with nothing scanned the "not scanned" panel takes its colour.
    form.InvalidateViews(true);
}

void RunOptionsCommand(const TOptionsServices& services, TMainForm& form) {
    if (RunOptionsBox(services, form.Handle())) ApplyConfirmedOptions(form);
}

TOptionsCommands::TOptionsCommands(TSystemServices& system, TMainForm& form, const std::string& programPath)
    : Form(form), ProgramPath(programPath), Services{system.Registry,   system.MessageBoxes, system.Shell,
                                                     system.FileSystem, system.Drives,       system.ShellInfo,
                                                     system.Locale,     ColorPicker,         system.ModalRunner,
                                                     ProgramPath,       form.Options()} {}

void TOptionsCommands::Run() { RunOptionsCommand(Services, Form); }
