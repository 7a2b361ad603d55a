#pragma once
#include <windows.h>

#include <string>

#include "controls/PixelScale.h"
#include "controls/win32/Panel.h"
#include "main/MainFormState.h"

struct TProgramOptions;
struct TCurrentPieItem;
class IFileSystem;
class ILocale;
class IShellInfo;
class ITextCompare;
class TDriveList;
class TLabel;
class TSectionSizeBox;
struct TFolderNode;

// The fonts of the pages' labels, plain and bold; the main window owns
// them and they outlive the pages.
struct TPageFonts {
    HFONT Text = nullptr;
    HFONT Bold = nullptr;
};

// What the pages read and ask; all of it outlives them.
struct TPageServices {
    IShellInfo& Shell;
    IFileSystem& FileSystem;
    const ILocale& Locale;
    const ITextCompare& TextCompare;
    TPixelScale Scale;
    TPageFonts Fonts;
    TProgramOptions& Options;  // the program's settings, which some pages' buttons change
};

// The folder tree as the pages walk it. Selecting a node goes through the
// tree's own change handling, which then shows the folder on the pages.
class IFolderNavigator {
public:
    virtual ~IFolderNavigator() = default;
    virtual void SelectNode(TFolderNode& node) = 0;
    // Opens the node's item one level.
    virtual void ExpandNode(TFolderNode& node) = 0;
    // Closes the node's item and every item below it.
    virtual void CollapseSubtree(TFolderNode& node) = 0;
    // The shell's menu of a folder or file at (x, y) of `control`'s client
    // area; what the menu's command removed leaves the tree.
    virtual void ShowNodeContextMenu(const TCurrentPieItem& item, int x, int y, HWND control) = 0;
    // Takes a folder that is no longer on the disk out of the tree, with its
    // totals out of its ancestors, and selects its parent. False, with the
    // tree unchanged, for a drive's root or a folder that is still there.
    virtual bool RemoveIfVanished(TFolderNode& node) = 0;
    // Makes sure the node's drive answers, with the Retry/Cancel prompt of
    // a drive that does not; false when the user gave up.
    virtual bool CheckDriveReady(const TFolderNode& node) = 0;
    // Measures again the folder at the path, or its nearest ancestor in the
    // tree, with the difference carried to the ancestors; nothing when the
    // path's drive is not in the tree.
    virtual void RescanNearest(const std::string& path) = 0;
    // The shell's menu of any path at a screen point; the tree is left alone.
    virtual void ShowPathContextMenu(const std::string& path, POINT screenPoint) = 0;
    // The records of the drives scanned in this run (their cluster sizes).
    virtual const TDriveList& DriveRecords() const = 0;
};

// What a page may see of and ask from the window that holds it. The main
// window implements it; pages never see the window itself.
class IPageHost {
public:
    virtual ~IPageHost() = default;
    // The selection, the cluster size in view and the drive's figures.
    virtual const TMainFormState& State() const = 0;
    // The folder tree; none until the scan side attaches.
    virtual IFolderNavigator* Navigator() const = 0;
    // The top-level window, owner of the boxes a page shows; null once gone.
    virtual HWND OwnerWindow() const = 0;
    // The sheet shown in the page control (a TSheet).
    virtual int ActiveSheet() const = 0;
    // The pages show the node, or the Not Scanned sheet when it is none;
    // false when they show no scanned folder.
    virtual bool UpdatePageVisibility(TFolderNode* node) = 0;
    // Every page builds afresh (with `refill`, at once); or only the pie.
    virtual void InvalidateViews(bool refill) = 0;
    virtual void InvalidatePie() = 0;
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // Runs a command as its menu entry or button would.
    virtual void ExecuteCommand(int id) = 0;
    // The program's cursors by number: 0 arrow, 5 zoom in, 6 zoom out.
    virtual HCURSOR Cursor(int number) const = 0;
    // Opens the help page of a context number; 0 opens the contents.
    virtual void OpenHelp(int context) = 0;
    // The floating window of waste and drive space; may be none.
    virtual TSectionSizeBox* SectionSizeBox() const = 0;

protected:
    IPageHost() = default;
    IPageHost(const IPageHost&) = default;
    IPageHost& operator=(const IPageHost&) = default;
};

// One page of the main window's page control. The page owns the controls on
// its sheet, the state of what it shows and the handling of its controls'
// notifications; the host only tells it when to fill, lay out and forget.
class TPage {
public:
    TPage(TPanel& sheet, IPageHost& host, const TPageServices& services)
        : Sheet(sheet), Host(host), Services(services) {}
    virtual ~TPage() = default;
    TPage(const TPage&) = delete;
    TPage& operator=(const TPage&) = delete;

    // Shows the node, which carries a folder record; a page may keep what
    // it built and skip the work when the node has not changed.
    virtual void Fill(TFolderNode& node) = 0;
    // Places the controls for the sheet's present size.
    virtual void Layout() {}
    // What was shown is out of date: the next Fill builds afresh.
    virtual void Forget() {}
    // `going` and every folder below it are about to be freed: nothing the
    // page keeps may point at them afterwards. Pages that keep no nodes
    // simply build afresh next time.
    virtual void NodesGoing(const TFolderNode& /*going*/) { Forget(); }

    // The window went to a screen of another scaling. The main window has
    // already handed the controls that use the shared fonts the new ones;
    // the page takes the new measure, remakes what it made for the old one
    // and lays itself out again.
    void ChangeResolution(TPixelScale scale, TPageFonts fonts) {
        const TPixelScale old = Services.Scale;
        Services.Scale = scale;
        Services.Fonts = fonts;
        OnResolutionChanged(old);
        Layout();
    }

protected:
    // The page's own fonts, pictures and measures, made at the old scale.
    virtual void OnResolutionChanged(TPixelScale /*old*/) {}
    // Shows the selected folder's path in `label`, shortened to fit the
    // width of `header` right of `textLeft` (a 96-DPI measure); a drive's
    // root keeps the name its page gave it.
    void ShowSelectedPath(TLabel& label, const TPanel& header, int textLeft) const;

    TPanel& Sheet;
    IPageHost& Host;
    TPageServices Services;
};
