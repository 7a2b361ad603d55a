#include "cleanup/ArchiveIndex.h"

#include <cctype>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/ProfileFile.h"
#include "scan/PathUtils.h"

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// One name, not a path: nothing that climbs or reaches into another folder.
bool IsSingleName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

bool IsArchiveFileName(const std::string& name) {
    constexpr size_t kMinDigits = 7;
    const std::string extension = ".ZIP";
    if (name.size() < 1 + kMinDigits + extension.size()) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0])) || static_cast<unsigned char>(name[0]) >= 0x80) return false;
    const size_t digitsEnd = name.size() - extension.size();
    for (size_t i = 1; i < digitsEnd; ++i)
        if (!IsHexDigit(name[i])) return false;
    for (size_t i = 0; i < extension.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[digitsEnd + i])) != extension[i]) return false;
    return true;
}

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
        if (!IsArchiveFileName(name)) continue;
        if (!Files.PathExists(ArchivePath(name))) {
            Forget(name);
            continue;
        }
        TArchiveRecord record;
        record.ArchiveName = name;
        record.Description = Profiles.ReadString(index, kDescriptionsSection, name, kNoDescription);
        record.FolderName = Profiles.ReadString(index, kFolderNamesSection, name, "");
        if (!IsSingleName(record.FolderName)) record.FolderName.clear();
        record.OriginalPath = Profiles.ReadString(index, kOriginalPathsSection, name, ProgramDriveRoot);
        if (!IsFullPath(record.OriginalPath)) record.OriginalPath = ProgramDriveRoot;
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
