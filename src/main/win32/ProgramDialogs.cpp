#include "main/win32/ProgramDialogs.h"

#include <exception>

#include "cleanup/win32/CleanUpMoveFolderBox.h"
#include "config/Options.h"
#include "main/win32/ArchiveCommands.h"
#include "main/win32/IntroLetterBox.h"
#include "main/win32/MainForm.h"
#include "main/win32/OptionsCommands.h"
#include "main/win32/SystemServices.h"
#include "pie/win32/SectionSizeBox.h"

TProgramDialogs::TProgramDialogs(TSystemServices& system, TProgramOptions& options, const std::string& programPath)
    : System(system),
      ProgramOptions(options),
      ProgramPath(programPath),
      InfoServices{system.Shell, system.FileSystem, system.MessageBoxes, VersionInfo, system.ModalRunner, ProgramPath} {
}

TProgramDialogs::~TProgramDialogs() = default;

void TProgramDialogs::Attach(TMainForm& form) {
    MainWindow = form.Handle();
    ArchiveCommands = std::make_unique<TArchiveCommands>(System, form, ProgramPath);
    OptionsCommand = std::make_unique<TOptionsCommands>(System, form, ProgramPath);
    try {
        SectionBox = std::make_unique<TSectionSizeBox>(form.Handle(), System.Registry);
        SectionBox->OnUserHide = [&form, this] {
            ProgramOptions.PieSectionSizeWindow = false;
            form.ShowCommandChecks();
        };
    } catch (const std::exception&) {
        // The program works without it; its menu entry then does nothing.
    }
}

void TProgramDialogs::RestoreCompressedFolders() {
    if (ArchiveCommands) ArchiveCommands->RestoreFolders();
}

void TProgramDialogs::Options() {
    if (OptionsCommand) OptionsCommand->Run();
}

void TProgramDialogs::ShowIntroLetter(bool keyPreview) { RunIntroLetterBox(InfoServices, MainWindow, keyPreview); }

void TProgramDialogs::ShowAbout() { RunAboutBox(InfoServices, MainWindow); }

bool TProgramDialogs::MoveFolder(const TMoveFolderRequest& request, std::string& movedTo) {
    const TMoveFolderServices services{System.Drives,       System.DriveInfo,     System.RemovableDrives,
                                       System.ShellInfo,    System.FileSystem,    System.CurrentDirectory,
                                       System.MessageBoxes, System.FolderCreator, System.ShellFiles,
                                       System.Shell,        System.Locale,        System.ModalRunner,
                                       ProgramPath};
    return RunMoveFolderBox(services, request, MainWindow, &movedTo);
}

void TProgramDialogs::ArchiveFolder(const TFolderNode& node, const std::string& path) {
    if (ArchiveCommands) ArchiveCommands->Archive(node, path);
}

void TProgramDialogs::SectionSizeWindowToggled(bool shown) {
    if (SectionBox) SectionBox->SetVisible(shown);
}

void TProgramDialogs::HideSectionSizeWindow() {
    if (SectionBox) SectionBox->SetVisible(false);
}
