// Quarrymap 2000 entry point: builds the real services, creates and shows
// the main window and runs the message loop until it closes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "cleanup/win32/CleanUpMoveFolderBox.h"
#include "cleanup/win32/CleanUpPage.h"
#include "config/Options.h"
#include "config/win32/ShellContextMenu.h"
#include "main/CommandLineJob.h"
#include "main/MainFormHooks.h"
#include "main/win32/AboutBox.h"
#include "main/win32/ArchiveCommands.h"
#include "main/win32/CommandLineRun.h"
#include "main/win32/IntroLetterBox.h"
#include "main/win32/MainForm.h"
#include "main/win32/OptionsCommands.h"
#include "main/win32/PieExportCommands.h"
#include "main/win32/ScanCommands.h"
#include "main/win32/SystemServices.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32DynamicLibraries.h"
#include "platform/win32/Win32VersionInfo.h"
#include "pie/win32/SectionSizeBox.h"

namespace {

// Initialises COM for the shell calls and releases it at the end.
class TComScope {
public:
    TComScope() : Initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (Initialised) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool Initialised;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Before anything loads a library by name: the program may be started
    // in any folder, and nothing in it is to be loaded.
    RestrictLibrarySearch();
    TComScope com;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TSystemServices system;
    const TCommandLineJob job = ParseCommandLineJob(CommandLineArguments(GetCommandLineW()));
    if (job.Action != TCommandLineAction::OpenWindow) return RunCommandLineJob(job, system);
    const std::string programPath = ProgramPath();
    // The settings, read when the main window is made and written when it goes.
    TProgramOptions options;

    const TMainFormServices services{system.Registry,   system.MessageBoxes, system.ModalRunner, system.Shell,
                                     system.FileSystem, system.Drives,       system.ShellInfo,   system.DriveInfo,
                                     system.Locale,     system.TextCompare,  system.SaveDialog,  system.ShellFiles,
                                     programPath,       options};

    // The floating window of waste and drive space, created right after the
    // main window and living beside it.
    std::unique_ptr<TSectionSizeBox> sectionBox;
    auto showSectionBox = [&sectionBox, &options](bool shown) {
        options.PieSectionSizeWindow = shown;
        if (sectionBox) sectionBox->SetVisible(shown);
    };

    // The scan commands, the tree, the pages and the dialogs join through
    // these slots as they are written.
    TMainFormHooks hooks;
    hooks.HideSectionSizeWindow = [&sectionBox] {
        if (sectionBox) sectionBox->SetVisible(false);
    };
    hooks.ToggleSectionSizeWindow = showSectionBox;
    TScanCommands scanCommands({system.FileSystem, system.DriveInfo, system.ShellInfo, system.CurrentDirectory,
                                system.MessageBoxes, system.NameOrder, system.Locale, system.FolderBrowser,
                                &ShowItemContextMenu, job.Paths, {}});
    scanCommands.FillHooks(hooks);
    // Declared before the window, so that it outlives it.
    TPieExportCommands pieExport(system.SaveDialog, system.MessageBoxes);
    pieExport.FillHooks(hooks);

    // Its slot is filled before the window takes the hooks, its services once the window exists.
    std::unique_ptr<TArchiveCommands> archives;
    hooks.RestoreCompressedFolders = [&archives] {
        if (archives) archives->RestoreFolders();
    };
    std::unique_ptr<TOptionsCommands> optionsCommand;
    hooks.Options = [&optionsCommand] {
        if (optionsCommand) optionsCommand->Run();
    };

    // The about box and the letter stand over the main window once it exists.
    TWin32VersionInfo versionInfo;
    HWND mainWindow = nullptr;
    const TInfoBoxServices infoServices{system.Shell,       system.FileSystem, system.MessageBoxes,
                                        versionInfo,        system.ModalRunner, programPath};
    hooks.ShowAbout = [&] { RunAboutBox(infoServices, mainWindow); };
    hooks.ShowIntroLetter = [&](bool keyPreview) { RunIntroLetterBox(infoServices, mainWindow, keyPreview); };

    TMainForm form(services, hooks);
    if (!form.Create()) return 1;
    mainWindow = form.Handle();
    pieExport.Attach(form);
    archives = std::make_unique<TArchiveCommands>(system, form, programPath);
    optionsCommand = std::make_unique<TOptionsCommands>(system, form, programPath);
    system.MessageBoxes.SetOwner(form.Handle());
    scanCommands.Attach(form);
    const TMoveFolderServices moveServices{system.Drives,        system.DriveInfo,    system.RemovableDrives,
                                           system.ShellInfo,     system.FileSystem,   system.CurrentDirectory,
                                           system.MessageBoxes,  system.FolderCreator, system.ShellFiles,
                                           system.Shell,         system.Locale,       system.ModalRunner,
                                           programPath};
    if (TCleanUpPage* cleanUp = form.CleanUp()) {
        TCleanUpDialogs dialogs;
        dialogs.Move = [&](const TMoveFolderRequest& request, std::string& movedTo) {
            return RunMoveFolderBox(moveServices, request, form.Handle(), &movedTo);
        };
        dialogs.Archive = [&archives](TFolderNode& node, const std::string& path) {
            archives->Archive(node, path);
            return true;
        };
        cleanUp->SetDialogs(std::move(dialogs));
    }
    try {
        sectionBox = std::make_unique<TSectionSizeBox>(form.Handle(), system.Registry);
        sectionBox->OnUserHide = [&form, &options] {
            options.PieSectionSizeWindow = false;
            form.SetSectionSizeWindowTicked(false);
        };
        scanCommands.SetSectionSizeBox(sectionBox.get());
        form.SetSectionSizeBox(sectionBox.get());
    } catch (const std::exception&) {
        // The program works without it; its menu entry then does nothing.
    }
    form.Show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
