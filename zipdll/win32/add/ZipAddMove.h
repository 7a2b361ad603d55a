#pragma once
// "Move": once the archive is in place, the files it took are deleted and
// then the folders that became empty.
#include <windows.h>

#include <string>
#include <vector>

#include "ZipAddFiles.h"
#include "ZipAddWalk.h"

class TZipAddReporter;

struct TZipMovedFile {
    std::wstring Path;
    TFileStamp Stamp;  // as read into the archive
    size_t Folder = kNoFolder;
};

// Deletes each file that is still as it was read (a file that changed since
// is reported and kept), then removes, deepest first, the walked folders
// that are now empty and whose contents went into the archive: those that
// lost files or subfolders here, and those stored as folder entries.
void DeleteMovedFiles(const std::vector<TZipMovedFile>& files, const std::vector<TZipWalkFolder>& folders,
                      const std::vector<bool>& storedFolders, TZipAddReporter& reporter);
