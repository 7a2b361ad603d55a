// The archive index as anyone could have written it: sections and keys of
// every shape, files where the keys point. Whatever it holds, the list names
// only archives inside the archive folder, and deleting every listed archive
// touches no file elsewhere.
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "cleanup/ArchiveIndex.h"
#include "cleanup/CompressFolder.h"
#include "platform/memory/MemoryFileActions.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProfileFiles.h"
#include "scan/PathUtils.h"

namespace {

constexpr const char* kFolder = "D:\\Archives Bin";
constexpr const char* kOutside = "D:\\Data\\thesis.zip";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool InsideArchiveFolder(const std::string& path) {
    const std::string prefix = std::string(kFolder) + "\\";
    return path.compare(0, prefix.size(), prefix) == 0 && path.find('\\', prefix.size()) == std::string::npos;
}

}  // namespace

int FuzzArchiveIndex(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TMemoryProfileFiles profiles;
    TMemoryFileSystem files;
    files.AddFile(kOutside, 100);
    const std::string index = std::string(kFolder) + "\\archives.ini";
    // Read as the profile functions read it: "[section]" starts a section,
    // "key=value" adds to it; every key that is a plain name also becomes a
    // file in the archive folder, so that the listing meets what it names
    // (the in-memory files take plain names only).
    std::string section;
    for (const std::string& line : Lines(text)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || section.empty()) continue;
        const std::string key = line.substr(0, equals);
        profiles.WriteString(index, section, key, line.substr(equals + 1));
        if (!key.empty() && key.find_first_of(std::string("\\/:\0", 4)) == std::string::npos && key != "." &&
            key != "..")
            files.AddFile(std::string(kFolder) + "\\" + key, 1);
    }

    TMemoryFileActions actions(files);
    TArchiveIndex archiveIndex(profiles, files, kFolder, "C:\\");
    const std::vector<TArchiveRecord> records = ListDriveArchives(archiveIndex, actions);
    for (const TArchiveRecord& record : records) {
        if (!IsArchiveFileName(record.ArchiveName)) __builtin_trap();
        if (!InsideArchiveFolder(archiveIndex.ArchivePath(record.ArchiveName))) __builtin_trap();
        if (record.FolderName.find_first_of("\\/:") != std::string::npos) __builtin_trap();
        if (record.OriginalPath != "C:\\" && !IsFullPath(record.OriginalPath)) __builtin_trap();
        // What a restore would create and the question it would ask stay well formed.
        (void)RestoredFolderPath(record.OriginalPath, record.FolderName);
        DeleteIndexedArchive(archiveIndex, record.ArchiveName, actions);
    }
    if (!files.PathExists(kOutside)) __builtin_trap();
    ListDriveArchives(archiveIndex, actions);
    return 0;
}
