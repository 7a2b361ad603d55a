#include "ZipAddMove.h"

#include "ZipAddReporter.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Paths.h"

void DeleteMovedFiles(const std::vector<TZipMovedFile>& files, const std::vector<TZipWalkFolder>& folders,
                      const std::vector<bool>& storedFolders, TZipAddReporter& reporter) {
    std::vector<bool> emptied(folders.size(), false);
    for (size_t i = 0; i < folders.size() && i < storedFolders.size(); ++i) emptied[i] = storedFolders[i];
    for (const TZipMovedFile& file : files) {
        const std::wstring path = LongPathForm(file.Path);
        TFileStamp now;
        if (!ReadFileStamp(path, now) || now != file.Stamp) {
            reporter.Message(ERROR_FILE_INVALID,
                             Narrow(file.Path) + " changed after it was added to the archive; it is not deleted.");
            continue;
        }
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (!DeleteFileW(path.c_str())) {
            const DWORD code = GetLastError();
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
                SetFileAttributesW(path.c_str(), attributes);
            reporter.Message(int32_t(code), "Could not delete " + Narrow(file.Path) + ": " + SystemErrorText(code));
            continue;
        }
        if (file.Folder != kNoFolder && file.Folder < emptied.size()) emptied[file.Folder] = true;
    }
    // Subfolders come after their parents in the walk, so going backwards
    // removes the deepest first. RemoveDirectoryW removes only empty folders.
    for (size_t i = folders.size(); i-- > 0;) {
        if (!emptied[i]) continue;
        if (!RemoveDirectoryW(LongPathForm(folders[i].Path).c_str())) continue;
        const size_t parent = folders[i].Parent;
        if (parent != kNoFolder && parent < emptied.size()) emptied[parent] = true;
    }
}
