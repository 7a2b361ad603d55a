#pragma once
#include <functional>
#include <string>

struct TFolderNode;

// Where the main window hands the work that other parts of the program do:
// scanning and the folder tree, the pages, pie export, the report, clean-up,
// options and the informational dialogs. A command whose slot is empty stays
// disabled; an empty page filler leaves its page as it is.
struct TMainFormHooks {
    // The folder tree's selected node; none while there is no tree.
    std::function<TFolderNode*()> SelectedNode;

    // Scan commands and start-up scans.
    std::function<void(const std::string& driveItem)> ScanOrRescanDrive;
    std::function<void()> RescanCurrentFolder;
    std::function<void()> RescanCurrentDrive;
    std::function<void()> RescanAllDrives;
    std::function<void()> RemoveCurrentDrive;
    std::function<void()> RemoveAllDrives;
    std::function<void()> SelectFolder;
    std::function<void()> LevelUp;
    // Scans the path's drive when needed and selects the folder; true when
    // the path had the form of a full path and its drive is in the tree.
    std::function<bool(const std::string& path)> SelectFolderByPath;
    std::function<void(const std::string& letters)> AutoScanDrives;
    std::function<void()> ScanCommandLine;

    // Pie export, archives and options.
    std::function<void()> PieAsMetafile;
    std::function<void()> PieAsBitmap;
    std::function<void()> PieToFile;
    std::function<void()> RestoreCompressedFolders;
    std::function<void()> Options;

    // The View menu's tick of the section size window, told its new state.
    std::function<void(bool shown)> ToggleSectionSizeWindow;

    // The informational dialogs, shown modally.
    std::function<void(bool keyPreview)> ShowIntroLetter;
    std::function<void()> ShowAbout;


    // The section size window is hidden while no scanned folder is shown.
    std::function<void()> HideSectionSizeWindow;
};
