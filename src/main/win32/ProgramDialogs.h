#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "cleanup/win32/CleanUpPage.h"
#include "main/MainFormParts.h"
#include "main/win32/AboutBox.h"
#include "platform/win32/Win32VersionInfo.h"

struct TProgramOptions;
struct TSystemServices;
class TArchiveCommands;
class TMainForm;
class TOptionsCommands;
class TSectionSizeBox;

// The program's own dialogs (restore, options, the letter, the about box,
// the clean-up page's move and archive) and the floating section size
// window, as the main window's menus and pages reach them. Made before the window, which takes it as one of its parts;
// Attach makes what needs the window once it exists.
class TProgramDialogs : public IProgramDialogs, public ISectionSizeWindowSwitch, public ICleanUpDialogs {
public:
    TProgramDialogs(TSystemServices& system, TProgramOptions& options, const std::string& programPath);
    ~TProgramDialogs() override;
    TProgramDialogs(const TProgramDialogs&) = delete;
    TProgramDialogs& operator=(const TProgramDialogs&) = delete;

    void Attach(TMainForm& form);
    TArchiveCommands* Archives() const { return ArchiveCommands.get(); }
    // None when it could not be made: the program works without it.
    TSectionSizeBox* SectionSizeBox() const { return SectionBox.get(); }

    // IProgramDialogs
    void RestoreCompressedFolders() override;
    void Options() override;
    void ShowIntroLetter(bool keyPreview) override;
    void ShowAbout() override;

    // ICleanUpDialogs
    bool MoveFolder(const TMoveFolderRequest& request, std::string& movedTo) override;
    void ArchiveFolder(const TFolderNode& node, const std::string& path) override;

    // ISectionSizeWindowSwitch
    void SectionSizeWindowToggled(bool shown) override;
    void HideSectionSizeWindow() override;

private:
    TSystemServices& System;
    TProgramOptions& ProgramOptions;
    std::string ProgramPath;
    TWin32VersionInfo VersionInfo;
    TInfoBoxServices InfoServices;
    HWND MainWindow = nullptr;
    std::unique_ptr<TArchiveCommands> ArchiveCommands;
    std::unique_ptr<TOptionsCommands> OptionsCommand;
    std::unique_ptr<TSectionSizeBox> SectionBox;
};
