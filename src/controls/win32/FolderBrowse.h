#pragma once
#include <windows.h>

#include <shlobj.h>

#include <string>

// Shows the shell's folder browser. The program uses the shell's own
// dialog; tests answer the request themselves and call its callback.
class IFolderBrowseDialog {
public:
    virtual ~IFolderBrowseDialog() = default;
    // The item the user confirmed, allocated by the shell's allocator, or
    // null when the user cancelled.
    virtual PIDLIST_ABSOLUTE Browse(BROWSEINFOW& request) = 0;
};

class TShellFolderBrowseDialog : public IFolderBrowseDialog {
public:
    PIDLIST_ABSOLUTE Browse(BROWSEINFOW& request) override;
};

// Lets the user pick a folder of the file system: made by a command, used
// for one Execute and dropped.
class TFolderBrowse {
public:
    explicit TFolderBrowse(IFolderBrowseDialog& dialog) : Dialog(dialog) {}

    // On entry the folder to preselect (may be empty); after a successful
    // Execute the chosen folder.
    std::string Folder;
    // The instruction shown above the folder tree.
    std::string Title;
    // When false, OK is disabled while a drive's root ("C:\") is selected.
    bool AllowDriveRoots = false;

    // Shows the browser with its tree starting at `root` (null: the
    // desktop), owned by the active window. True when the user confirmed a
    // folder with a file-system path; false on cancel (Folder unchanged) or
    // when the item has no path (Folder empty).
    bool Execute(PCIDLIST_ABSOLUTE root = nullptr);

    // The browser's callback; `context` is the TFolderBrowse. Public so that
    // a test can see it in the request.
    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM context);

private:
    IFolderBrowseDialog& Dialog;
};
