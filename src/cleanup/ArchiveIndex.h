#pragma once
// Where a drive's archives live, what they are called, and the index file
// "archives.ini" that remembers what each one holds and where it came from.
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

class IFileSystem;
class IProfileFiles;

constexpr const char* kArchivesFolderName = "Archives Bin";
constexpr const char* kArchiveIndexName = "archives.ini";
constexpr const char* kDescriptionsSection = "Descriptions";
constexpr const char* kFolderNamesSection = "FolderNames";
constexpr const char* kOriginalPathsSection = "OriginalPaths";
constexpr const char* kNoDescription = "No description";
constexpr uint32_t kArchiveNumberMax = 2147483646;

// "C:\Archives Bin" for drive c.
std::string ArchiveFolderOf(char driveLetter);
// The drive letter in upper case, the number in upper-case hex of at least
// seven digits, ".ZIP": C00ABCDEF.ZIP.
std::string ArchiveFileName(char driveLetter, uint32_t number);

// Numbers drawn uniformly from 0 to kArchiveNumberMax, seeded afresh in each run.
class TArchiveNumbers {
public:
    TArchiveNumbers() : Engine(std::random_device{}()) {}
    uint32_t operator()() { return Range(Engine); }

private:
    std::mt19937 Engine;
    std::uniform_int_distribution<uint32_t> Range{0, kArchiveNumberMax};
};

// Whether a name has the form the program gives its archives: a drive
// letter, seven or more hexadecimal digits and ".ZIP". The index is a file
// anyone can edit; a key of any other form names nothing the program made.
bool IsArchiveFileName(const std::string& name);

// The full path of a name not yet taken in the folder: numbers are drawn
// while a file or folder of that name exists.
std::string ChooseArchivePath(char driveLetter, const std::string& archiveFolder,
                              const std::function<uint32_t()>& drawNumber, IFileSystem& files);

struct TArchiveRecord {
    std::string ArchiveName;  // name and extension only
    std::string Description;
    std::string FolderName;    // the archived folder's last component
    std::string OriginalPath;  // its parent, "C:\" for a drive root
};

// The index of one archive folder.
class TArchiveIndex {
public:
    TArchiveIndex(IProfileFiles& profiles, IFileSystem& files, const std::string& archiveFolder,
                  const std::string& programDriveRoot);

    const std::string& Folder() const { return ArchiveFolder; }
    std::string IndexPath() const { return ArchiveFolder + "\\" + kArchiveIndexName; }
    std::string ArchivePath(const std::string& archiveName) const { return ArchiveFolder + "\\" + archiveName; }

    // Writes the three entries of a new archive; false when one could not be written.
    bool Add(const TArchiveRecord& record);
    // The archives of "Descriptions" in file order. Those whose file is gone
    // are dropped from all three sections on the way; keys that are not
    // archive names are passed over and left as they are. A folder name
    // that is not a single name reads as missing, and so does a location
    // that is not a full path.
    std::vector<TArchiveRecord> List();
    bool SetDescription(const std::string& archiveName, const std::string& description);
    void Forget(const std::string& archiveName);
    bool IsEmpty();

private:
    IProfileFiles& Profiles;
    IFileSystem& Files;
    std::string ArchiveFolder;
    std::string ProgramDriveRoot;
};
