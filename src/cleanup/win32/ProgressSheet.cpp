// The archive dialog's progress page, shared by archiving and restoring:
// the titles, the file label and the bar, Stop, and the libraries' messages.
#include <windows.h>

#include <commctrl.h>

#include "../res/CompressFolderIds.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/WindowText.h"

void TCleanUpCompressFolderBox::StartProgress(const char* title, int64_t total, const std::string& filePrefix) {
    Busy = true;
    Progress = TArchiveProgress(total);
    ProgressPrefix = filePrefix;
    SendMessageW(Item(IDC_CF_PROGRESS_BAR), PBM_SETPOS, 0, 0);
    SetWindowTextOf(Item(IDC_CF_PROGRESS_PERCENT), "0%");
    SetWindowTextOf(Item(IDC_CF_PROGRESS_FILE), "");
    ShowWindow(Item(IDC_CF_STOP), SW_SHOW);
    EnableWindow(Item(IDC_CF_STOP), TRUE);
    EnableWindow(Item(IDC_CF_CLOSE), FALSE);
    SetTitles(title);
    SetTabs({TCompressPage::Progress});
    ShowPage(TCompressPage::Progress);
    SetFocus(Item(IDC_CF_STOP));
    TheZip.Cancel = false;
}

void TCleanUpCompressFolderBox::SetTitles(const std::string& title) {
    SetWindowTextOf(Item(IDC_CF_PROGRESS_TITLE1), title);
    SetWindowTextOf(Item(IDC_CF_PROGRESS_TITLE2), title);
    // Neither title paints a background, so the old text is wiped here.
    RECT area = {};
    GetWindowRect(Item(IDC_CF_PROGRESS_TITLE1), &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    InflateRect(&area, 4, 4);
    InvalidateRect(Handle(), &area, TRUE);
}

void TCleanUpCompressFolderBox::EndRun(bool closable) {
    Busy = false;
    if (!closable) return;
    // Nothing more can happen here: the user may leave.
    EnableWindow(Item(IDC_CF_CLOSE), TRUE);
    ShowWindow(Item(IDC_CF_STOP), SW_HIDE);
    SetFocus(Item(IDC_CF_CLOSE));
}

void TCleanUpCompressFolderBox::ZipProgress(TZipProgressKind kind, uint32_t fileSize, const std::string& fileName) {
    bool moved = false;
    if (kind == TZipProgressKind::NewFile) {
        moved = Progress.FileBegins(fileSize);
        SetWindowTextOf(Item(IDC_CF_PROGRESS_FILE), ProgressFileText(ProgressPrefix, fileName));
    } else if (kind == TZipProgressKind::Step) {
        moved = Progress.Step();
    }
    if (moved) {
        SendMessageW(Item(IDC_CF_PROGRESS_BAR), PBM_SETPOS, WPARAM(Progress.Percent()), 0);
        SetWindowTextOf(Item(IDC_CF_PROGRESS_PERCENT), std::to_string(Progress.Percent()) + "%");
    }
    ProcessPendingMessages();
}

void TCleanUpCompressFolderBox::ZipMessage(int32_t errorCode, const std::string& message) {
    if (errorCode == 0) return;
    Services.MessageBoxes.Show(kProductName, LibraryErrorText(errorCode, message), TMsgButtons::Ok, TMsgIcon::Error);
}

// Keeps the dialog painted and Stop pressable while the library holds the
// thread. A quit request is put back for the loop that owns it.
void TCleanUpCompressFolderBox::ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            return;
        }
        if (Handle() && IsDialogMessageW(Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
