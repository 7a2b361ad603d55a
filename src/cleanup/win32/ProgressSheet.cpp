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
    LastPumpTicks = 0;
    ShownPercent = 0;
    ProgressFile.clear();
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
    RunMessages.clear();
    RunProblems = 0;
}

void TCleanUpCompressFolderBox::SetTitles(const std::string& title) {
    SetWindowTextOf(Item(IDC_CF_PROGRESS_TITLE1), title);
    SetWindowTextOf(Item(IDC_CF_PROGRESS_TITLE2), title);
    InvalidateRect(Item(IDC_CF_PROGRESS_TITLE1), nullptr, FALSE);
}

// The library's last events may stop short of the total (headers and the
// directory are written after the last file): a finished archive shows whole.
void TCleanUpCompressFolderBox::ShowFinishedProgress() {
    ShownPercent = 100;
    SendMessageW(Item(IDC_CF_PROGRESS_BAR), PBM_SETPOS, 100, 0);
    SetWindowTextOf(Item(IDC_CF_PROGRESS_PERCENT), "100%");
}

void TCleanUpCompressFolderBox::EndRun(bool closable) {
    Busy = false;
    ShowProgress();
    ShowRunMessages();
    if (!closable) return;
    // Nothing more can happen here: the user may leave.
    EnableWindow(Item(IDC_CF_CLOSE), TRUE);
    ShowWindow(Item(IDC_CF_STOP), SW_HIDE);
    SetFocus(Item(IDC_CF_CLOSE));
}

void TCleanUpCompressFolderBox::ZipProgress(TZipProgressKind kind, uint32_t fileSize, const std::string& fileName) {
    if (kind == TZipProgressKind::NewFile) {
        Progress.FileBegins(fileSize);
        ProgressFile = fileName;
    } else if (kind == TZipProgressKind::Step) {
        Progress.Step();
    }
    // Each look at the queue and each window text is a round trip to the
    // display server, dear under Wine or a remote desktop when small files
    // and 32 KB steps come by the thousand; 40 times a second still shows
    // every change and answers Stop before anyone could notice.
    const uint64_t now = GetTickCount64();
    if (now - LastPumpTicks < kPumpIntervalMs) return;
    LastPumpTicks = now;
    ShowProgress();
    ProcessPendingMessages();
}

// The file label, the bar and the percentage as the events left them.
void TCleanUpCompressFolderBox::ShowProgress() {
    if (!ProgressFile.empty()) {
        SetWindowTextOf(Item(IDC_CF_PROGRESS_FILE), ProgressFileText(ProgressPrefix, ProgressFile));
        ProgressFile.clear();
    }
    if (Progress.Percent() != ShownPercent) {
        ShownPercent = Progress.Percent();
        SendMessageW(Item(IDC_CF_PROGRESS_BAR), PBM_SETPOS, WPARAM(ShownPercent), 0);
        SetWindowTextOf(Item(IDC_CF_PROGRESS_PERCENT), std::to_string(ShownPercent) + "%");
    }
}

void TCleanUpCompressFolderBox::ZipMessage(int32_t errorCode, const std::string& message) {
    if (errorCode == 0) return;
    ++RunProblems;
    for (TRunMessage& known : RunMessages) {
        if (known.Code != errorCode) continue;
        ++known.Count;
        return;
    }
    RunMessages.push_back(TRunMessage{errorCode, message, 1});
}

void TCleanUpCompressFolderBox::ShowRunMessages() {
    const std::vector<TRunMessage> messages = std::move(RunMessages);
    RunMessages.clear();
    for (const TRunMessage& message : messages) {
        std::string text = LibraryErrorText(message.Code, message.Text);
        if (message.Count > 1) text += RepeatedErrorText(message.Count - 1);
        Services.MessageBoxes.Show(kProductName, text, TMsgButtons::Ok, TMsgIcon::Error);
    }
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
