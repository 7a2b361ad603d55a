// Quarrymap 2000 entry point: builds the real services, creates and shows
// the main window and runs the message loop until it closes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "cleanup/win32/Win32CurrentDirectory.h"
#include "config/Options.h"
#include "config/win32/ShellContextMenu.h"
#include "controls/win32/Dialog.h"
#include "controls/win32/FolderBrowse.h"
#include "controls/win32/SaveDialog.h"
#include "main/MainFormHooks.h"
#include "main/win32/MainForm.h"
#include "main/win32/ScanCommands.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32DriveEnumerator.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32NameOrder.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellInfo.h"
#include "platform/win32/Win32ShellOpen.h"
#include "platform/win32/Win32TextCompare.h"
#include "pie/win32/SectionSizeBox.h"

namespace {

std::string ProgramPath() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(sizeof(path) / sizeof(path[0])));
    return length ? Narrow(path) : std::string();
}

// The command line's arguments after the program's own name.
std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    if (LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) arguments.push_back(Narrow(list[i]));
        LocalFree(list);
    }
    return arguments;
}

// Initialises COM for the shell calls and releases it at the end.
class TComScope {
public:
    TComScope() : Initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (Initialised) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool Initialised;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    TComScope com;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TWin32Registry registry;
    TWin32MessageBoxes messageBoxes;
    TSystemModalRunner modalRunner;
    TWin32ShellOpen shell;
    TWin32FileSystem fileSystem;
    TWin32DriveEnumerator drives;
    TWin32ShellInfo shellInfo;
    TWin32DriveInfo driveInfo;
    TWin32Locale locale;
    TWin32TextCompare textCompare;
    TSystemSaveFileDialog saveDialog;
    const TMainFormServices services{registry,  messageBoxes, modalRunner, shell,      fileSystem,   drives,
                                     shellInfo, driveInfo,    locale,      textCompare, saveDialog, ProgramPath()};

    // The floating window of waste and drive space, created right after the
    // main window and living beside it.
    std::unique_ptr<TSectionSizeBox> sectionBox;
    auto showSectionBox = [&sectionBox](bool shown) {
        if (PieSectionSizeWindow) PieSectionSizeWindow->Value = shown;
        if (sectionBox) sectionBox->SetVisible(shown);
    };

    // The scan commands, the tree, the pages and the dialogs join through
    // these slots as they are written.
    TMainFormHooks hooks;
    hooks.HideSectionSizeWindow = [&sectionBox] {
        if (sectionBox) sectionBox->SetVisible(false);
    };
    hooks.ToggleSectionSizeWindow = showSectionBox;
    TWin32CurrentDirectory currentDirectory;
    TWin32NameOrder nameOrder;
    TShellFolderBrowseDialog folderBrowser;
    TScanCommands scanCommands({fileSystem, driveInfo, shellInfo, currentDirectory, messageBoxes, nameOrder, locale,
                                folderBrowser, &ShowItemContextMenu, CommandLineArguments(), {}});
    scanCommands.FillHooks(hooks);

    TMainForm form(services, hooks);
    if (!form.Create()) return 1;
    messageBoxes.SetOwner(form.Handle());
    scanCommands.Attach(form);
    try {
        sectionBox = std::make_unique<TSectionSizeBox>(form.Handle(), registry);
        sectionBox->OnUserHide = [&form] {
            if (PieSectionSizeWindow) PieSectionSizeWindow->Value = false;
            form.SetSectionSizeWindowTicked(false);
        };
        scanCommands.SetSectionSizeBox(sectionBox.get());
        form.SetSectionSizeBox(sectionBox.get());
    } catch (const std::exception&) {
        // The program works without it; its menu entry then does nothing.
    }
    form.Show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
