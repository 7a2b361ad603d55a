#include "main/win32/ArchiveCommands.h"

#include "config/Options.h"
#include "main/win32/MainForm.h"
#include "main/win32/SystemServices.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

TCompressFolderRequest CompressRequestOf(const TFolderNode& node, const std::string& path, bool includeWasted,
                                         int clusterView) {
    TCompressFolderRequest request;
    request.FolderPath = path;
    if (node.Record) {
        request.FolderSize = node.Record->TreeSize;
        request.DiskUsage = includeWasted ? TreeAllocated(*node.Record, clusterView) : node.Record->TreeSize;
    }
    return request;
}

TArchiveCommands::TArchiveCommands(TSystemServices& system, TMainForm& form, const std::string& programPath)
    : Form(form),
      Services{system.Drives,
               system.ShellInfo,
               system.FileSystem,
               system.DriveInfo,
               FileActions,
               system.FolderCreator,
               Profiles,
               system.MessageBoxes,
               system.FolderBrowser,
               system.Shell,
               system.Locale,
               system.ModalRunner,
               TZipMasterServices{Libraries, system.FileSystem, Streams, system.CurrentDirectory, system.MessageBoxes},
               programPath,
               form.Options(),
               [&form](char letter) { return form.State().ScannedDrives.Contains(letter); },
               {}} {}

void TArchiveCommands::Archive(const TFolderNode& node, const std::string& path) {
    const bool includeWasted = Form.Options().IncludeWastedInformation;
    RunCompressFolderBox(Services, CompressRequestOf(node, path, includeWasted, Form.State().ClusterView),
                         Form.Handle());
}

void TArchiveCommands::RestoreFolders() { RunRestoreFoldersBox(Services, Form.Handle()); }
