#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The main window's commands: menu entries and toolbar buttons, each with
// its caption, hint, shortcut and help context. The window builds its menu,
// its accelerators and its toolbar from these tables.

enum TCommandId : int {
    // Top-level menus.
    mnuFile = 40000,
    mnuView,
    mnuHelp,
    // File menu.
    cmdFileScanDrives,
    cmdFileRescan,
    cmdFileRescanCurrentDirectory,
    cmdFileRescanCurrentDrive,
    cmdFileRescanAllDrives,
    cmdFileRemove,
    cmdFileRemoveCurrentDrive,
    cmdFileRemoveAllDrives,
    cmdFileAbort,
    cmdFileExportPie,
    cmdFilePieToClipboard,
    cmdFilePieAsMetafile,
    cmdFilePieAsBitmap,
    cmdFilePieToFile,
    cmdFileExportFolderReport,
    cmdFileSelectFolder,
    cmdFileRestoreCompressedFolders,
    cmdFileExit,
    // View menu.
    cmdViewToolbar,
    cmdViewStatusBar,
    cmdViewFolderTree,
    cmdViewPieChart,
    cmdViewFolderInformation,
    cmdViewSubfolders,
    cmdViewWastedSpace,
    cmdViewCleanUp,
    cmdViewPieSectionSizeWindow,
    cmdViewPieSort,
    cmdViewPieSortAscending,
    cmdViewPieSortDescending,
    cmdViewOptions,
    // Help menu.
    cmdHelpHelpTopics,
    cmdHelpVisitWebPage,
    cmdHelpIntroductoryLetter,
    cmdHelpAbout,
    // Toolbar buttons of their own; the buttons for menu commands (Rescan
    // Folder, Abort) carry the menu's ids.
    toolScan,
    toolLevelUp,
    toolExplore,
    toolShowWasted,
    toolShowFiles,
    toolPercent,
    toolMB,
    // The clean-up page's actions, in the order of its items (kCleanUpItems),
    // reached by their shortcuts while its tab shows.
    cmdCleanUpFirst,
    cmdCleanUpLast = cmdCleanUpFirst + 3,
};

// Virtual-key codes the shortcuts use (the same numbers as Windows').
constexpr uint16_t kKeyF1 = 0x70;

struct TShortcut {
    uint16_t Key = 0;  // 0: none; a capital letter or a virtual-key code
    bool Ctrl = false;

    bool IsSet() const { return Key != 0; }
};

// "Ctrl+A", "F1", or "" for no shortcut.
std::string ShortcutText(TShortcut shortcut);

enum class TMenuKind { Command, Submenu, Separator };
enum class TMenuMark { None, Check, Radio };

// One menu entry. Level 0 is a top-level menu, level 1 an entry of it,
// level 2 an entry of a submenu; each entry belongs to the nearest entry
// of the level above that precedes it.
struct TMenuEntry {
    int Id = 0;  // 0 for separators
    int Level = 1;
    TMenuKind Kind = TMenuKind::Command;
    const char* Caption = "";
    const char* Hint = "";
    TShortcut Shortcut;
    TMenuMark Mark = TMenuMark::None;
    bool Checked = false;  // at start
    bool Enabled = true;   // at start
    int HelpContext = 0;   // for F1 while the menu is open; 0: none
};

// The hint of every separator: one space, which blanks the status bar.
constexpr const char* kSeparatorHint = " ";

// The whole menu bar in order, top-level menus included.
const std::vector<TMenuEntry>& MainMenuEntries();
// The entry with that id, or null.
const TMenuEntry* FindMenuEntry(int id);
// The menu entry text with its shortcut after a tab, as Windows shows it.
std::string MenuItemText(const TMenuEntry& entry);

// The View menu's page entries carry the page indexes 0..4.
int PageOfCommand(int id);  // -1 for other commands
int CommandOfPage(int page);

enum class TToolKind { Button, Check, Separator };

struct TToolButton {
    int Id = 0;  // 0 for separators
    TToolKind Kind = TToolKind::Button;
    int Image = -1;  // index in the toolbar's image list
    const char* Hint = "";
    bool Tooltip = true;  // false: the short hint is not shown as a tooltip
    bool Enabled = true;  // at start
};

// The toolbar buttons left to right, separators included.
const std::vector<TToolButton>& ToolbarButtons();
const TToolButton* FindToolButton(int id);

// The toolbar's images, in image-list order.
enum TToolImage : int {
    kImageScan,
    kImageRescanFolder,
    kImageStop,
    kImageExplore,
    kImageShowWasted,
    kImageLevelUp,  // also the up-one-level picture of the Subfolders page
    kImageShowFiles,
    kImagePercent,
    kImageMegabytes,
    kToolImageCount
};

// Hints of the two controls on the toolbar strip beside the toolbar.
constexpr const char* kDriveBoxHint = "Drives List Box|Select a drive and press the Scan button to scan it";
constexpr const char* kClustersBoxHint =
    "User Defined Cluster Size|Select a cluster size to see how the current folder would look on a drive with "
    "that cluster size.";
