#include "cleanup/ArchiveIndex.h"

#include <cctype>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/ProfileFile.h"

std::string ArchiveFolderOf(char driveLetter) {
    return std::string(1, char(std::toupper((unsigned char)driveLetter))) + ":\\" + kArchivesFolderName;
}

std::string ArchiveFileName(char driveLetter, uint32_t number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%07X", unsigned(number));
    return std::string(1, char(std::toupper((unsigned char)driveLetter))) + digits + ".ZIP";
}

std::string ChooseArchivePath(char driveLetter, const std::string& archiveFolder,
                              const std::function<uint32_t()>& drawNumber, IFileSystem& files) {
    for (;;) {
        const std::string path = archiveFolder + "\\" + ArchiveFileName(driveLetter, drawNumber());
        if (!files.PathExists(path)) return path;
    }
}

TArchiveIndex::TArchiveIndex(IProfileFiles& profiles, IFileSystem& files, const std::string& archiveFolder,
                             const std::string& programDriveRoot)
    : Profiles(profiles), Files(files), ArchiveFolder(archiveFolder), ProgramDriveRoot(programDriveRoot) {}

bool TArchiveIndex::Add(const TArchiveRecord& record) {
    const std::string index = IndexPath();
    const bool described = Profiles.WriteString(index, kDescriptionsSection, record.ArchiveName, record.Description);
    const bool named = Profiles.WriteString(index, kFolderNamesSection, record.ArchiveName, record.FolderName);
    const bool placed = Profiles.WriteString(index, kOriginalPathsSection, record.ArchiveName, record.OriginalPath);
    return described && named && placed;
}

std::vector<TArchiveRecord> TArchiveIndex::List() {
    const std::string index = IndexPath();
    std::vector<TArchiveRecord> records;
    for (const std::string& name : Profiles.KeyNames(index, kDescriptionsSection)) {
        if (!Files.PathExists(ArchivePath(name))) {
            Forget(name);
            continue;
        }
        TArchiveRecord record;
        record.ArchiveName = name;
        record.Description = Profiles.ReadString(index, kDescriptionsSection, name, kNoDescription);
        record.FolderName = Profiles.ReadString(index, kFolderNamesSection, name, "");
        record.OriginalPath = Profiles.ReadString(index, kOriginalPathsSection, name, ProgramDriveRoot);
        records.push_back(std::move(record));
    }
    return records;
}

bool TArchiveIndex::SetDescription(const std::string& archiveName, const std::string& description) {
    return Profiles.WriteString(IndexPath(), kDescriptionsSection, archiveName, description);
}

void TArchiveIndex::Forget(const std::string& archiveName) {
    const std::string index = IndexPath();
    Profiles.DeleteKey(index, kDescriptionsSection, archiveName);
    Profiles.DeleteKey(index, kFolderNamesSection, archiveName);
    Profiles.DeleteKey(index, kOriginalPathsSection, archiveName);
}

bool TArchiveIndex::IsEmpty() { return Profiles.KeyNames(IndexPath(), kDescriptionsSection).empty(); }
