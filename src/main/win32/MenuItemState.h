#pragma once
#include <windows.h>

// Menu entries looked up by their command id within one menu.

// The position of the entry with that id among the menu's items, or -1.
int MenuPosition(HMENU menu, int id);
// The entry's MFS_ state bits; 0 when the menu has no such entry.
UINT MenuState(HMENU menu, int id);
// Sets or clears one MFS_ state bit of the entry, when there is one.
void SetMenuState(HMENU menu, int id, UINT flag, bool on);
