#include "main/win32/MenuItemState.h"

// The position of the entry with that id among the menu's items, or -1.
// Submenu entries carry ids too, so one search serves both kinds.
int MenuPosition(HMENU menu, int id) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, UINT(position), TRUE, &info) && int(info.wID) == id) return position;
    }
    return -1;
}

UINT MenuState(HMENU menu, int id) {
    const int position = MenuPosition(menu, id);
    if (position < 0) return 0;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
    return info.fState;
}

void SetMenuState(HMENU menu, int id, UINT flag, bool on) {
    const int position = MenuPosition(menu, id);
    if (position < 0) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
    info.fState = on ? (info.fState | flag) : (info.fState & ~flag);
    SetMenuItemInfoW(menu, UINT(position), TRUE, &info);
}
