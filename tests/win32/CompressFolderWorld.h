#pragma once
// The archive dialog's services as the program gives them: real files,
// profile functions, libraries and current directory; scripted boxes,
// folder browser and modal loop; recorded help; the drives the user of
// this struct adds to `Drives` and names in `Names`.
#include <functional>
#include <string>

#include "DrivePickerTestSupport.h"
#include "ScanTestSupport.h"
#include "ScriptedModalRunner.h"
#include "cleanup/win32/CleanUpCompressFolderBox.h"
#include "cleanup/win32/Win32CurrentDirectory.h"
#include "config/Options.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32DynamicLibraries.h"
#include "platform/win32/Win32FileActions.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderCreator.h"
#include "platform/win32/Win32ProfileFiles.h"

struct TCompressFolderWorld {
    TCompressFolderWorld() = default;
    TCompressFolderWorld(const TCompressFolderWorld&) = delete;
    TCompressFolderWorld& operator=(const TCompressFolderWorld&) = delete;

    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    TWin32FileSystem Files;
    TFakeDriveInfo DriveInfo;  // free space unknown unless a test sets it
    TWin32FileActions FileActions;
    TWin32FolderCreator FolderCreator;
    TWin32ProfileFiles Profiles;
    TScriptedMessageBoxes Boxes;
    TScriptedFolderBrowser Browser;
    TRecordingShellOpen ShellOpen;
    TFixedLocale Locale;
    TScriptedModalRunner Runner;
    TWin32DynamicLibraries Libraries;
    TWin32ByteStreamFiles Streams;
    TWin32CurrentDirectory CurrentDirectory;
    // The libraries are looked for beside this program.
    std::string ProgramPath;
    TProgramOptions Options;  // the defaults unless a test changes them
    // Whether the dialog is told the drive was scanned; none when empty.
    std::function<bool(char letter)> IsDriveScanned;
    TCompressFolderServices Services{Drives,
                                     Names,
                                     Files,
                                     DriveInfo,
                                     FileActions,
                                     FolderCreator,
                                     Profiles,
                                     Boxes,
                                     Browser,
                                     ShellOpen,
                                     Locale,
                                     Runner,
                                     TZipMasterServices{Libraries, Files, Streams, CurrentDirectory, Boxes},
                                     ProgramPath,
                                     Options,
                                     [this](char letter) { return IsDriveScanned && IsDriveScanned(letter); },
                                     {}};
};
