#pragma once
#include <windows.h>

#include "controls/PixelScale.h"
#include "main/win32/Panel.h"

struct TProgramOptions;
class IFileSystem;
class ILocale;
class IShellInfo;
class ITextCompare;
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

// One page of the main window's page control. The page owns the controls on
// its sheet, the state of what it shows and the handling of its controls'
// notifications; the main window only tells it when to fill, lay out and
// forget.
class TPage {
public:
    TPage(TPanel& sheet, const TPageServices& services) : Sheet(sheet), Services(services) {}
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

    TPanel& Sheet;
    TPageServices Services;
};
