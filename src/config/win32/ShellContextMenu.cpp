#include "config/win32/ShellContextMenu.h"

#include <shlobj.h>

#include <memory>

#include "config/ContextMenuItems.h"
#include "config/win32/MenuCallbackWindow.h"
#include "controls/win32/WaitCursor.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Owned.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "scan/PathUtils.h"

namespace {

const UINT kFirstCommand = 1;
const UINT kLastCommand = 0x7FFF;

// The shell folder and the items inside it the menu is built for.
struct TMenuItems {
    TComPtr<IShellFolder> Folder;
    std::vector<TItemIdList> Children;
};

bool BindFolder(IShellFolder* desktop, HWND owner, const std::string& folderPath, TComPtr<IShellFolder>& folder) {
    std::wstring wide = Widen(folderPath);
    TItemIdList absolute;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, &wide[0], nullptr, absolute.Receive(), nullptr)) ||
        !absolute.Get())
        return false;
    return SUCCEEDED(desktop->BindToObject(absolute.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid())) && folder;
}

bool ParseChild(IShellFolder* folder, HWND owner, const std::string& name, std::vector<TItemIdList>& children) {
    std::wstring wide = Widen(name);
    TItemIdList child;
    if (FAILED(folder->ParseDisplayName(owner, nullptr, &wide[0], nullptr, child.Receive(), nullptr)) || !child.Get())
        return false;
    children.push_back(std::move(child));
    return true;
}

// The name's items inside its folder; a pattern gives every match.
bool ResolveInFolder(IShellFolder* desktop, HWND owner, const TContextMenuTarget& target, TMenuItems& items) {
    // An empty name would parse as the folder itself; a drive root goes the other way.
    if (target.Name.empty() || target.Folder.empty()) return false;
    if (!BindFolder(desktop, owner, target.Folder, items.Folder)) return false;
    const std::vector<std::string> names = IsWildcardName(target.Name)
                                               ? MatchingFolderItemNames(target.Folder, target.Name)
                                               : std::vector<std::string>{target.Name};
    if (names.empty()) return false;
    for (const std::string& name : names)
        if (!ParseChild(items.Folder.Get(), owner, name, items.Children)) return false;
    return true;
}

// A drive root, resolved as a whole inside the first folder among the
// desktop's children (the computer).
bool ResolveInFirstDesktopFolder(IShellFolder* desktop, HWND owner, const std::string& path, TMenuItems& items) {
    TComPtr<IEnumIDList> children;
    if (desktop->EnumObjects(owner, SHCONTF_FOLDERS, children.Receive()) != S_OK || !children) return false;
    TItemIdList first;
    ULONG fetched = 0;
    if (children->Next(1, first.Receive(), &fetched) != S_OK || fetched != 1 || !first.Get()) return false;
    if (FAILED(desktop->BindToObject(first.Get(), nullptr, IID_IShellFolder, items.Folder.ReceiveVoid())) ||
        !items.Folder)
        return false;
    return ParseChild(items.Folder.Get(), owner, path, items.Children);
}

bool ResolveItems(HWND owner, const std::string& path, TMenuItems& items) {
    TComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive())) || !desktop) return false;
    if (ResolveInFolder(desktop.Get(), owner, SplitContextMenuPath(path), items)) return true;
    items.Children.clear();
    items.Folder.Reset();
    return ResolveInFirstDesktopFolder(desktop.Get(), owner, path, items);
}

bool GetContextMenu(HWND owner, TMenuItems& items, TComPtr<IContextMenu>& menu) {
    std::vector<LPCITEMIDLIST> children;
    for (const TItemIdList& child : items.Children) children.push_back(child.Get());
    return SUCCEEDED(items.Folder->GetUIObjectOf(owner, static_cast<UINT>(children.size()), children.data(),
                                                 IID_IContextMenu, nullptr, menu.ReceiveVoid())) &&
           menu;
}

bool InvokeMenuCommand(IContextMenu* menu, HWND owner, UINT command) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&info));
}

}  // namespace

bool ShowItemContextMenu(const std::string& path, HWND owner, POINT screenPoint) {
    TWaitCursor waitCursor;
    TMenuItems items;
    if (!ResolveItems(owner, path, items)) return false;
    TComPtr<IContextMenu> menu;
    if (!GetContextMenu(owner, items, menu)) return false;

    const TMenuHandle popup(CreatePopupMenu());
    if (!popup.Get() || FAILED(menu->QueryContextMenu(popup.Get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE)))
        return false;

    TComPtr<IContextMenu3> handler3;
    TComPtr<IContextMenu2> handler2;
    if (FAILED(menu->QueryInterface(IID_IContextMenu3, handler3.ReceiveVoid()))) handler3.Reset();
    if (!handler3 && FAILED(menu->QueryInterface(IID_IContextMenu2, handler2.ReceiveVoid()))) handler2.Reset();

    UINT command = 0;
    {
        // The window lives only while the menu is tracked, and goes before the handlers it serves.
        std::unique_ptr<TMenuCallbackWindow> callbackWindow;
        if (handler3 || handler2) {
            callbackWindow.reset(new TMenuCallbackWindow(handler2.Get(), handler3.Get(), owner));
            if (!callbackWindow->Handle()) return false;
        }
        const HWND menuOwner = callbackWindow ? callbackWindow->Handle() : owner;
        command = static_cast<UINT>(TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                                   screenPoint.y, 0, menuOwner, nullptr));
    }
    if (command < kFirstCommand) return false;
    return InvokeMenuCommand(menu.Get(), owner, command);
}

std::vector<std::string> MatchingFolderItemNames(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    TFindHandle search(FindFirstFileW(Win32PathOf(AddBackslash(folder) + "*").c_str(), &entry));
    if (!search.IsValid()) return names;
    do {
        names.push_back(Narrow(entry.cFileName));
    } while (FindNextFileW(search.Get(), &entry));
    return MatchingItemNames(pattern, names);
}
