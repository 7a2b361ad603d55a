#include "controls/win32/FolderBrowse.h"

#include "platform/win32/ComInit.h"
#include "platform/win32/WideString.h"
#include "scan/PathUtils.h"

namespace {

// The shell's buffers for display names and paths.
const size_t kShellPathLength = MAX_PATH + 1;

bool PathOfItem(PCIDLIST_ABSOLUTE item, std::string& path) {
    wchar_t buffer[kShellPathLength] = L"";
    const bool found = SHGetPathFromIDListW(item, buffer) != FALSE;
    path = found ? Narrow(buffer) : std::string();
    return found;
}

}  // namespace

PIDLIST_ABSOLUTE TShellFolderBrowseDialog::Browse(BROWSEINFOW& request) { return SHBrowseForFolderW(&request); }

bool TFolderBrowse::Execute(PCIDLIST_ABSOLUTE root) {
    const TComInit com;  // the browser is a COM client; the thread may not have started COM yet
    wchar_t displayName[kShellPathLength] = L"";
    const std::wstring title = Widen(Title);
    BROWSEINFOW request = {};
    request.hwndOwner = GetActiveWindow();
    request.pidlRoot = root;
    request.pszDisplayName = displayName;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = &TFolderBrowse::BrowseCallback;
    request.lParam = reinterpret_cast<LPARAM>(this);

    const PIDLIST_ABSOLUTE chosen = Dialog.Browse(request);
    if (!chosen) return false;
    const bool found = PathOfItem(chosen, Folder);
    CoTaskMemFree(chosen);
    return found;
}

int CALLBACK TFolderBrowse::BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM context) {
    const auto* browse = reinterpret_cast<const TFolderBrowse*>(context);
    if (message == BFFM_INITIALIZED && !browse->Folder.empty()) {
        const std::wstring folder = Widen(browse->Folder);
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    } else if (message == BFFM_SELCHANGED && !browse->AllowDriveRoots) {
        std::string selected;
        // The shell enables OK again for the next folder it can return.
        if (PathOfItem(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), selected) && IsDriveRoot(selected))
            SendMessageW(dialog, BFFM_ENABLEOK, 0, FALSE);
    }
    return 0;
}
