// The main window's menu bar and accelerators: built from the command
// table, entries enabled and ticked as each menu opens, and help for a
// menu entry under F1.

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "main/ClusterSizeBox.h"
#include "main/Hints.h"
#include "cleanup/CleanUpMenu.h"
#include "main/MainCommands.h"
#include "main/MainLayout.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "platform/win32/WideString.h"

void TMainForm::CreateMenus() {
    MenuBar = CreateMenu();
    if (!MenuBar) throw std::runtime_error("menu");
    // parents[level] receives the entries of that level.
    std::vector<HMENU> parents = {MenuBar};
    std::vector<ACCEL> accelerators;
    for (const TMenuEntry& entry : MainMenuEntries()) {
        HMENU parent = parents.at(size_t(entry.Level));
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        std::wstring text = Widen(MenuItemText(entry));
        if (entry.Kind == TMenuKind::Separator) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
            info.wID = UINT(entry.Id);
            info.fType = entry.Mark == TMenuMark::Radio ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (entry.Checked ? MFS_CHECKED : 0) | (entry.Enabled ? 0 : MFS_DISABLED);
            info.dwTypeData = text.data();
            PopupOf[entry.Id] = parent;
        }
        if (entry.Kind == TMenuKind::Submenu) {
            HMENU popup = CreatePopupMenu();
            if (!popup) throw std::runtime_error("menu");
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = popup;
            SubmenuOf[entry.Id] = popup;
            parents.resize(size_t(entry.Level) + 1);
            parents.push_back(popup);
        }
        if (!InsertMenuItemW(parent, UINT(GetMenuItemCount(parent)), TRUE, &info))
            throw std::runtime_error("menu entry");
        if (entry.Shortcut.IsSet())
            accelerators.push_back(
                ACCEL{BYTE(FVIRTKEY | (entry.Shortcut.Ctrl ? FCONTROL : 0)), entry.Shortcut.Key, WORD(entry.Id)});
    }
    if (!SetMenu(Window, MenuBar)) throw std::runtime_error("menu bar");
    Accelerators.Reset(CreateAcceleratorTableW(accelerators.data(), int(accelerators.size())));
    if (!Accelerators) throw std::runtime_error("accelerators");

    // Ctrl and the clean-up items' letters, a table of their own: it is
    // translated only while the clean-up tab shows.
    static_assert(cmdCleanUpLast - cmdCleanUpFirst + 1 == int(kCleanUpItems.size()), "an id for every item");
    std::vector<ACCEL> cleanUp;
    for (size_t index = 0; index < kCleanUpItems.size(); ++index)
        cleanUp.push_back(
            ACCEL{BYTE(FVIRTKEY | FCONTROL), WORD(kCleanUpItems[index].Key), WORD(cmdCleanUpFirst + index)});
    CleanUpAccelerators.Reset(CreateAcceleratorTableW(cleanUp.data(), int(cleanUp.size())));
    if (!CleanUpAccelerators) throw std::runtime_error("accelerators");
}

void TMainForm::OnInitMenuPopup(HMENU menu) {
    const bool scanned = ShowsScannedFolder();
    if (menu == SubmenuOf[mnuFile]) {
        const bool pieExport =
            Available(cmdFilePieAsMetafile) || Available(cmdFilePieAsBitmap) || Available(cmdFilePieToFile);
        SetCommandEnabled(cmdFileExportPie, scanned && pieExport);
        SetCommandEnabled(cmdFileExportFolderReport, scanned);
    } else if (menu == SubmenuOf[mnuView]) {
        for (int page = 0; page < kPageCount; ++page) SetCommandEnabled(CommandOfPage(page), scanned);
        if (scanned) SetCommandEnabled(cmdViewCleanUp, ThePages->TabVisible(pageCleanUp));
        ShowCommandChecks();
    }
}

void TMainForm::OnHelp(const HELPINFO& info) {
    int context = 0;
    if (info.iContextType == HELPINFO_MENUITEM) {
        // Submenus answer for the top-level menu they belong to.
        for (HMENU menu = static_cast<HMENU>(info.hItemHandle); menu && !context;) {
            context = int(GetMenuContextHelpId(menu));
            HMENU owner = nullptr;
            for (const auto& submenu : SubmenuOf) {
                const auto parent = PopupOf.find(submenu.first);
                if (submenu.second == menu && parent != PopupOf.end() && parent->second != MenuBar)
                    owner = parent->second;
            }
            menu = owner;
        }
    }
    OpenHelp(context);
}
