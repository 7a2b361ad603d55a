#pragma once
#include <string>

#include "config/win32/OptionsBox.h"
#include "config/win32/OptionsBoxColorPicker.h"

struct TSystemServices;
class TMainForm;

// What the main window does once the Options dialog was confirmed: the
// pie's text threshold, the colours on the chart and the section size
// window, the views rebuilt with the new options, and the two tool buttons
// that mirror options set from them.
void ApplyConfirmedOptions(TMainForm& form);

// "&Options...": the dialog over the main window, its changes applied when
// it was confirmed.
void RunOptionsCommand(const TOptionsServices& services, TMainForm& form);

// The command with the real services, for the program.
class TOptionsCommands {
public:
    TOptionsCommands(TSystemServices& system, TMainForm& form, const std::string& programPath);
    TOptionsCommands(const TOptionsCommands&) = delete;
    TOptionsCommands& operator=(const TOptionsCommands&) = delete;

    void Run();

private:
    TMainForm& Form;
    std::string ProgramPath;
    TSystemColorPicker ColorPicker;  // keeps the user's custom colours between showings
    TOptionsServices Services;
};
