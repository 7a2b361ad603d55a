#include "main/MainCommands.h"

#include "main/HelpTopics.h"

namespace {

TMenuEntry Menu(int id, const char* caption, const char* hint, int helpContext) {
    TMenuEntry entry;
    entry.Id = id;
    entry.Level = 0;
    entry.Kind = TMenuKind::Submenu;
    entry.Caption = caption;
    entry.Hint = hint;
    entry.HelpContext = helpContext;
    return entry;
}

TMenuEntry Item(int id, const char* caption, const char* hint, int level = 1) {
    TMenuEntry entry;
    entry.Id = id;
    entry.Level = level;
    entry.Caption = caption;
    entry.Hint = hint;
    return entry;
}

TMenuEntry Submenu(int id, const char* caption, const char* hint, int level = 1) {
    TMenuEntry entry = Item(id, caption, hint, level);
    entry.Kind = TMenuKind::Submenu;
    return entry;
}

TMenuEntry Separator(int level = 1) {
    TMenuEntry entry;
    entry.Level = level;
    entry.Kind = TMenuKind::Separator;
    entry.Caption = "-";
    entry.Hint = kSeparatorHint;
    return entry;
}

TMenuEntry Disabled(TMenuEntry entry) {
    entry.Enabled = false;
    return entry;
}

TMenuEntry Ticked(TMenuEntry entry, TMenuMark mark, bool checked) {
    entry.Mark = mark;
    entry.Checked = checked;
    return entry;
}

TMenuEntry WithShortcut(TMenuEntry entry, uint16_t key, bool ctrl) {
    entry.Shortcut = TShortcut{key, ctrl};
    return entry;
}

std::vector<TMenuEntry> BuildMainMenu() {
    return {
        // Ctrl+A belongs to "&Abort Scanning" alone, so the key always aborts.
        Menu(mnuFile, "&File", "Scan or rescan drives, export pie charts and reports or quit the program",
             kFileMenuHelpContext),
        Item(cmdFileScanDrives, "&Scan Drive(s)...", "Scans one or more drives."),
        Disabled(Submenu(cmdFileRescan, "&Rescan", "Contains commands for rescanning folders or drives.")),
        Item(cmdFileRescanCurrentDirectory, "Current &Folder", "Rescans the current folder and all its subfolders.", 2),
        Item(cmdFileRescanCurrentDrive, "&Current Drive", "Rescans the current drive.", 2),
        Item(cmdFileRescanAllDrives, "&All Drives", "Rescans all scanned drives.", 2),
        Disabled(
            Submenu(cmdFileRemove, "Remo&ve from Tree", "Contains commands for removing drives from the folder tree.")),
        Item(cmdFileRemoveCurrentDrive, "&Current Drive", "Removes the current selected drive from the folder tree.",
             2),
        Item(cmdFileRemoveAllDrives, "&All Drives", "Removes all drives from the folder tree.", 2),
        Separator(),
        Disabled(WithShortcut(Item(cmdFileAbort, "&Abort Scanning", "Aborts the scanning process."), 'A', true)),
        Separator(),
        Submenu(cmdFileExportPie, "Export &Pie",
                "Copies the pie chart to the clipboard or saves it in a graphic file."),
        Submenu(cmdFilePieToClipboard, "To &Clipboard",
                "Copies the pie chart to the clipboard in metafile or bitmap format.", 2),
        Item(cmdFilePieAsMetafile, "As &Metafile", "Copies the pie chart to the clipboard in metafile format.", 3),
        Item(cmdFilePieAsBitmap, "As &Bitmap", "Copies the pie chart to the clipboard in bitmap format.", 3),
        Item(cmdFilePieToFile, "To &File...", "Saves the pie chart in a bitmap of metafile file.", 2),
        Item(cmdFileExportFolderReport, "Export Folder Repor&t...",
             "Generates a report with detailed information about the current folder."),
        Separator(),
        Item(cmdFileSelectFolder, "Select &Folder...", "Selectes a new folder to be analyzed."),
        Separator(),
        Item(cmdFileRestoreCompressedFolders, "Restore &Compressed Folders...",
             "Decompresses and restores the folders compressed by Quarrymap 2000 to their original location."),
        Separator(),
        Item(cmdFileExit, "E&xit", "Quits Quarrymap 2000."),

        Menu(mnuView, "&View", "Customize the main window and set program options", kViewMenuHelpContext),
        Ticked(Item(cmdViewToolbar, "&Toolbar", "Shows or hides the toolbar."), TMenuMark::Check, true),
        Ticked(Item(cmdViewStatusBar, "Status &Bar", "Shows or hides the status bar."), TMenuMark::Check, true),
        Ticked(Item(cmdViewFolderTree, "Folder T&ree", "Shows or hides the folder tree view from the left panel."),
               TMenuMark::Check, true),
        Separator(),
        Ticked(Item(cmdViewPieChart, "&Pie Chart",
                    "Displays a graphical pie chart view of the space used by the current folder."),
               TMenuMark::Radio, true),
        Ticked(Item(cmdViewFolderInformation, "Folder &Information",
                    "Displays detailed information about the current folder."),
               TMenuMark::Radio, false),
        Ticked(
            Item(cmdViewSubfolders, "Subfo&lders", "Displays a detailed list of the subfolders of the current folder."),
            TMenuMark::Radio, false),
        Ticked(Item(cmdViewWastedSpace, "&Wasted Space",
                    "Displays information about the space wasted by the current folder/drive."),
               TMenuMark::Radio, false),
        Ticked(Item(cmdViewCleanUp, "&Free Some Space",
                    "Displays a few options that can be use to free up some disk space."),
               TMenuMark::Radio, false),
        Separator(),
        WithShortcut(Ticked(Item(cmdViewPieSectionSizeWindow, "Wasted && Drive Pie &Charts",
                                 "Shows or hides the Section & Free Information Window."),
                            TMenuMark::Check, true),
                     'C', true),
        Separator(),
        Submenu(cmdViewPieSort, "Pie Sections &Sort", "Contains commands for arranging the pie sections."),
        Ticked(Item(cmdViewPieSortAscending, "&Ascending", "Sorts pie sections by size in ascending order.", 2),
               TMenuMark::Radio, false),
        Ticked(Item(cmdViewPieSortDescending, "&Descending", "Sorts pie sections by size in descending order.", 2),
               TMenuMark::Radio, true),
        Separator(),
        Item(cmdViewOptions, "&Options...", "Changes program configuration."),

        Menu(mnuHelp, "&Help", "", kHelpMenuHelpContext),
        WithShortcut(Item(cmdHelpHelpTopics, "&Help Topics", "Opens Help."), kKeyF1, false),
        Separator(),
        Item(cmdHelpVisitWebPage, "Visit the Quarrymap 2000 Web page",
             "Visit the Quarrymap 2000 Web page for the latest information about the product."),
        Item(cmdHelpIntroductoryLetter, "Introductory &Letter...", "Displays the introductory letter."),
        Separator(),
        Item(cmdHelpAbout, "&About...", "Displays program information, version and copyright."),
    };
}

TToolButton Tool(int id, TToolKind kind, int image, const char* hint, bool enabled) {
    TToolButton button;
    button.Id = id;
    button.Kind = kind;
    button.Image = image;
    button.Hint = hint;
    button.Enabled = enabled;
    return button;
}

TToolButton ToolSeparator() {
    TToolButton button;
    button.Kind = TToolKind::Separator;
    return button;
}

std::vector<TToolButton> BuildToolbar() {
    TToolButton stop =
        Tool(cmdFileAbort, TToolKind::Button, kImageStop, "Abort scanning|Abort the scanning process", false);
    stop.Tooltip = false;
    return {
        Tool(toolScan, TToolKind::Button, kImageScan,
             "Scan/Rescan Selected Drive|Scan or rescan the drive that is selected in the Drives List Box", true),
        ToolSeparator(),
        Tool(cmdFileRescanCurrentDirectory, TToolKind::Button, kImageRescanFolder,
             "Rescan Current Folder|Rescans the current folder and all its subfolders", false),
        ToolSeparator(),
        stop,
        ToolSeparator(),
        Tool(toolLevelUp, TToolKind::Button, kImageLevelUp,
             "Up One Level|Select the parent folder of the current folder", false),
        Tool(toolExplore, TToolKind::Button, kImageExplore, "Explore Current Folder|Explore the current folder", false),
        ToolSeparator(),
        Tool(toolShowWasted, TToolKind::Check, kImageShowWasted,
             "Include Wasted Space|Show the actual allocated space for each folder and file in the pie chart", true),
        Tool(toolShowFiles, TToolKind::Check, kImageShowFiles, "Show Files|Display individual files in the pie chart",
             true),
        ToolSeparator(),
        Tool(toolPercent, TToolKind::Check, kImagePercent,
             "Relative sizes|Display relative sizes near the pie chart sections", true),
        Tool(toolMB, TToolKind::Check, kImageMegabytes,
             "Absolute sizes|Display absolute sizes near the pie chart sections", true),
    };
}

}  // namespace

std::string ShortcutText(TShortcut shortcut) {
    if (!shortcut.IsSet()) return "";
    std::string key;
    if (shortcut.Key >= kKeyF1 && shortcut.Key < kKeyF1 + 12)
        key = "F" + std::to_string(shortcut.Key - kKeyF1 + 1);
    else
        key = std::string(1, char(shortcut.Key));
    return shortcut.Ctrl ? "Ctrl+" + key : key;
}

const std::vector<TMenuEntry>& MainMenuEntries() {
    static const std::vector<TMenuEntry> entries = BuildMainMenu();
    return entries;
}

const TMenuEntry* FindMenuEntry(int id) {
    for (const TMenuEntry& entry : MainMenuEntries())
        if (entry.Id == id && id != 0) return &entry;
    return nullptr;
}

std::string MenuItemText(const TMenuEntry& entry) {
    const std::string shortcut = ShortcutText(entry.Shortcut);
    return shortcut.empty() ? entry.Caption : std::string(entry.Caption) + "\t" + shortcut;
}

int PageOfCommand(int id) {
    switch (id) {
        case cmdViewPieChart: return 0;
        case cmdViewFolderInformation: return 1;
        case cmdViewSubfolders: return 2;
        case cmdViewWastedSpace: return 3;
        case cmdViewCleanUp: return 4;
        default: return -1;
    }
}

int CommandOfPage(int page) {
    static const int commands[] = {cmdViewPieChart, cmdViewFolderInformation, cmdViewSubfolders, cmdViewWastedSpace,
                                   cmdViewCleanUp};
    return page >= 0 && page < 5 ? commands[page] : 0;
}

const std::vector<TToolButton>& ToolbarButtons() {
    static const std::vector<TToolButton> buttons = BuildToolbar();
    return buttons;
}

const TToolButton* FindToolButton(int id) {
    for (const TToolButton& button : ToolbarButtons())
        if (button.Id == id && id != 0) return &button;
    return nullptr;
}
