#pragma once
#include <windows.h>

#include "main/win32/Panel.h"

struct TFolderNode;

// One page of the main window's page control. The page owns the controls on
// its sheet, the state of what it shows and the handling of its controls'
// notifications; the main window only tells it when to fill, lay out and
// forget.
class TPage {
public:
    explicit TPage(TPanel& sheet) : Sheet(sheet) {}
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

protected:
    TPanel& Sheet;
};
