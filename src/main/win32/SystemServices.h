#pragma once
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "controls/win32/Dialog.h"
#include "controls/win32/FolderBrowse.h"
#include "controls/win32/SaveDialog.h"
#include "platform/win32/Win32DriveEnumerator.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FolderCreator.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32NameOrder.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32RemovableDrives.h"
#include "platform/win32/Win32ShellFileOperation.h"
#include "platform/win32/Win32ShellInfo.h"
#include "platform/win32/Win32ShellOpen.h"
#include "platform/win32/Win32TextCompare.h"

// The real side of every seam, one of each for the process.
struct TSystemServices {
    TWin32Registry Registry;
    TWin32MessageBoxes MessageBoxes;
    TSystemModalRunner ModalRunner;
    TWin32ShellOpen Shell;
    TWin32FileSystem FileSystem;
    TWin32DriveEnumerator Drives;
    TWin32ShellInfo ShellInfo;
    TWin32DriveInfo DriveInfo;
    TWin32Locale Locale;
    TWin32TextCompare TextCompare;
    TSystemSaveFileDialog SaveDialog;
    TWin32ShellFileOperation ShellFiles;
    TWin32RemovableDrives RemovableDrives;
    TWin32FolderCreator FolderCreator;
    TWin32CurrentDirectory CurrentDirectory;
    TWin32NameOrder NameOrder;
    TShellFolderBrowseDialog FolderBrowser;
};

// The running executable's full path.
std::string ProgramPath();
