// Quarrymap 2000 entry point: builds the real services, creates and shows
// the main window and runs the message loop until it closes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "cleanup/win32/CleanUpPage.h"
#include "config/Options.h"
#include "config/win32/ShellContextMenu.h"
#include "main/CommandLineJob.h"
#include "main/MainFormParts.h"
#include "main/win32/CommandLineRun.h"
#include "main/win32/MainForm.h"
#include "main/win32/PieExportCommands.h"
#include "main/win32/ProgramDialogs.h"
#include "main/win32/ScanCommands.h"
#include "main/win32/SystemServices.h"
#include "platform/win32/ComInit.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32DynamicLibraries.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Before anything loads a library by name: the program may be started
    // in any folder, and nothing in it is to be loaded.
    RestrictLibrarySearch();
    const TComInit com;  // for the shell calls
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TSystemServices system;
    const TCommandLineJob job = ParseCommandLineJob(CommandLineArguments(GetCommandLineW()));
    if (job.Action != TCommandLineAction::OpenWindow) return RunCommandLineJob(job, system);
    const std::string programPath = ProgramPath();
    // The settings, read when the main window is made and written when it goes.
    TProgramOptions options;

    const TMainFormServices services{
        system.Registry,   system.MessageBoxes, system.ModalRunner, system.Shell,  system.FileSystem,
        system.Drives,     system.ShellInfo,    system.DriveInfo,   system.Locale, system.TextCompare,
        system.SaveDialog, system.ShellFiles,   programPath,        options};

    // The parts the window hands its commands to, made before it so that
    // they outlive it.
    TScanCommands scanCommands(SystemScanServices(system, system.MessageBoxes, &ShowItemContextMenu, job.Paths));
    TPieExportCommands pieExport(system.SaveDialog, system.MessageBoxes);
    TProgramDialogs dialogs(system, options, programPath);
    TMainFormParts parts;
    parts.Scan = &scanCommands;
    parts.PieExport = &pieExport;
    parts.Dialogs = &dialogs;
    parts.SectionSizeWindow = &dialogs;

    TMainForm form(services, parts);
    if (!form.Create()) return 1;
    system.MessageBoxes.SetOwner(form.Handle());
    pieExport.Attach(form);
    dialogs.Attach(form);
    scanCommands.Attach(form);
    if (TCleanUpPage* cleanUp = form.CleanUp()) cleanUp->SetDialogs(&dialogs);
    scanCommands.SetSectionSizeBox(dialogs.SectionSizeBox());
    form.SetSectionSizeBox(dialogs.SectionSizeBox());
    form.Show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
