#include "cleanup/win32/FolderListBox.h"

#include <commctrl.h>

#include <utility>

#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32ShellInfo.h"
#include "scan/TextUtils.h"

namespace {

const int kIconLeftMargin = 2;
const int kTextGap = 4;  // between the icon and the name

}  // namespace

void TFolderListBox::Attach(HWND listBox) {
    BindControl(listBox, false, false);
    SmallIcon = SmallIconMetrics(Window);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
    SendMessageW(Window, LB_SETITEMHEIGHT, 0, DriveItemHeight(font, SmallIcon.Height) + 2);
}

void TFolderListBox::ShowFolder(const std::string& folder) {
    std::vector<TFolderListItem> lines = FolderListItems(folder, FileSystem);
    if (lines.empty()) return;  // not a full path: the list stays as it was
    Lines = std::move(lines);
    IconIndexes.clear();
    for (const TFolderListItem& line : Lines) IconIndexes.push_back(Shell.GetShellIconIndex(line.Path, line.Opened));
    const int current = CurrentFolderIndex(Lines);
    CurrentFolder = Lines[size_t(current)].Path;
    if (!Window) return;
    SendMessageW(Window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(Window, LB_RESETCONTENT, 0, 0);
    for (const TFolderListItem& line : Lines) SendMessageW(Window, LB_ADDSTRING, 0, LPARAM(Widen(line.Name).c_str()));
    SendMessageW(Window, LB_SETCURSEL, WPARAM(current), 0);
    SendMessageW(Window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Window, nullptr, TRUE);
}

char TFolderListBox::DriveLetter() const { return CurrentFolder.empty() ? '\0' : AsciiUpper(CurrentFolder)[0]; }

bool TFolderListBox::OpenSelected() {
    const LRESULT selected = Window ? SendMessageW(Window, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (selected < 0 || size_t(selected) >= Lines.size()) return false;
    const std::string folder = Lines[size_t(selected)].Path;
    if (folder == CurrentFolder) return false;
    ShowFolder(folder);
    return true;
}

bool TFolderListBox::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM || !DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
    result = TRUE;
    return true;
}

bool TFolderListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (!Window || item.CtlType != ODT_LISTBOX || item.hwndItem != Window) return false;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    // itemID is -1 for an empty list that has the focus.
    if (item.itemID < Lines.size()) {
        const TFolderListItem& line = Lines[item.itemID];
        int left = item.rcItem.left + kIconLeftMargin + line.Level * (SmallIcon.Width / 2 + 2);
        const HIMAGELIST icons = GetSystemImageList(true);
        if (icons && IconIndexes[item.itemID] >= 0) {
            const int top = (item.rcItem.top + item.rcItem.bottom - SmallIcon.Height) / 2;
            ImageList_Draw(icons, IconIndexes[item.itemID], item.hDC, left, top, ILD_TRANSPARENT);
        }
        left += SmallIcon.Width + kTextGap;
        RECT text = item.rcItem;
        text.left = left;
        const std::wstring name = Widen(line.Name);
        const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
        const COLORREF oldColor =
            SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(item.hDC, name.c_str(), int(name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(item.hDC, oldColor);
        SetBkMode(item.hDC, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}
