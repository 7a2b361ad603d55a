#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "cleanup/CleanUpMenu.h"
#include "cleanup/MoveFolder.h"
#include "controls/win32/Label.h"
#include "controls/win32/SensitivePanel.h"
#include "main/win32/PageHost.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Owned.h"

class IMessageBoxes;
class IShellFileOperation;

// The page's actions that open dialogs of their own; each returns once its
// dialog has closed.
class ICleanUpDialogs {
public:
    virtual ~ICleanUpDialogs() = default;
    // True once the shell was asked to move; `movedTo` is then where to.
    virtual bool MoveFolder(const TMoveFolderRequest& request, std::string& movedTo) = 0;
    // May have deleted the folder, whatever the dialog said.
    virtual void ArchiveFolder(const TFolderNode& node, const std::string& path) = 0;
};

// The "Free Some Space" page: four panels that light up under the pointer
// and run an action on the selected folder when clicked, and a hint below
// them that says what the panel under the pointer would do. Shown only for
// a folder with a parent: a drive's root cannot be removed.
class TCleanUpPage : public TPage {
public:
    TCleanUpPage(TPanel& sheet, IPageHost& host, const TPageServices& services, IShellFileOperation& shellFiles,
                 IMessageBoxes& messageBoxes);
    ~TCleanUpPage() override;

    void Fill(TFolderNode& node) override;
    void Layout() override;

    // Until they are set, Move and Archive do nothing.
    void SetDialogs(ICleanUpDialogs* dialogs) { Dialogs = dialogs; }
    // Runs an action on the selected folder, as a click on its panel does;
    // nothing for a drive's root or while a scan runs.
    void Run(TCleanUpAction action);

    std::string HintText() const;
    std::string PathText() const { return txtWebCleanPath->Text(); }
    const TSensitivePanel& Panel(TCleanUpAction action) const { return *Items[size_t(action)].Panel; }

private:
    struct TItem {
        TIconHandle Picture;  // first, so it outlives the panel's picture control showing it
        std::unique_ptr<TSensitivePanel> Panel;
        std::unique_ptr<TLabel> Caption;
        HWND Icon = nullptr;
        int HintTag = 0;
    };

    void CreateItem(const TCleanUpItem& item);
    void ShowItemPicture(TItem& item, TCleanUpAction action);
    void OnResolutionChanged(TPixelScale old) override;
    void Highlight(TItem& item, bool on);
    void ShowHint(int tag);
    void RemoveFolder(bool toRecycleBin);
    void RemoveLink();
    // Takes the folder out of the tree when the action removed it from the
    // disk; a folder still there keeps its measurements.
    void AfterAction(TFolderNode& node);
    void AfterMove(TFolderNode& node, const std::string& sourcePath, const std::string& target);

    IShellFileOperation& ShellFiles;
    IMessageBoxes& MessageBoxes;  // why an action is refused
    ICleanUpDialogs* Dialogs = nullptr;
    TImageList Pictures;  // declared before the items, whose icons come from it
    std::unique_ptr<TLabel> txtWebCleanPath;
    std::array<TItem, kCleanUpItems.size()> Items;
    HWND ediCleanMenuHint = nullptr;
    std::string ShownPath;
};
