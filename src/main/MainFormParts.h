#pragma once
#include <string>

struct TFolderNode;

// The parts of the program the main window hands work to. Each is an
// interface, so that whatever is connected answers every command of its
// group; a group left unconnected (a test's window) keeps its commands
// disabled.

// Scanning and the folder tree.
class IScanActions {
public:
    virtual ~IScanActions() = default;
    // The folder tree's selected node; none while there is no tree.
    virtual TFolderNode* SelectedNode() const = 0;
    virtual void ScanOrRescanDrive(const std::string& driveItem) = 0;
    virtual void RescanCurrentFolder() = 0;
    virtual void RescanCurrentDrive() = 0;
    virtual void RescanAllDrives() = 0;
    virtual void RemoveCurrentDrive() = 0;
    virtual void RemoveAllDrives() = 0;
    virtual void SelectFolder() = 0;
    virtual void LevelUp() = 0;
    // Scans the path's drive when needed and selects the folder; true when
    // the path had the form of a full path and its drive is in the tree.
    virtual bool SelectFolderByPath(const std::string& path) = 0;
    // Start-up scans: the drives of the option, then the command line's paths.
    virtual void AutoScanDrives(const std::string& letters) = 0;
    virtual void ScanCommandLine() = 0;
};

// File > Pie Chart Export.
class IPieExportActions {
public:
    virtual ~IPieExportActions() = default;
    virtual void PieAsMetafile() = 0;
    virtual void PieAsBitmap() = 0;
    virtual void PieToFile() = 0;
};

// The dialogs the menus open that belong to no page, shown modally.
class IProgramDialogs {
public:
    virtual ~IProgramDialogs() = default;
    virtual void RestoreCompressedFolders() = 0;
    virtual void Options() = 0;
    virtual void ShowIntroLetter(bool keyPreview) = 0;
    virtual void ShowAbout() = 0;
};

// The floating section size window beside the main window.
class ISectionSizeWindowSwitch {
public:
    virtual ~ISectionSizeWindowSwitch() = default;
    // The View menu's tick, and the option, changed to `shown`.
    virtual void SectionSizeWindowToggled(bool shown) = 0;
    // No scanned folder is shown any more.
    virtual void HideSectionSizeWindow() = 0;
};

// All of it outlives the window.
struct TMainFormParts {
    IScanActions* Scan = nullptr;
    IPieExportActions* PieExport = nullptr;
    IProgramDialogs* Dialogs = nullptr;
    ISectionSizeWindowSwitch* SectionSizeWindow = nullptr;
};
