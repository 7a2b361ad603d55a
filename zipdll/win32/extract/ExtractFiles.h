#pragma once
// The file work of an extraction: paths inside the extraction folder (long
// ones in the \\?\ form), the folders on the way, and files written under a
// temporary name that replace their target only once complete and checked.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/Owned.h"
#include "zipdll/core/ZipExtractor.h"

// The times to give an extracted file or folder; a zero time is left as the system set it.
struct TEntryTimes {
    uint64_t Modified = 0;
    uint64_t Accessed = 0;
    uint64_t Created = 0;
};

// The entry's times: the stored NTFS or Unix times, else its DOS time read as local time.
TEntryTimes TimesOfEntry(const TZipCentralEntry& entry);
// The DOS attributes an entry keeps: read-only, hidden, system, archive.
DWORD AttributesOfEntry(const TZipCentralEntry& entry);

struct TExistingItem {
    bool Exists = false;
    bool IsFolder = false;
    DWORD Attributes = 0;
    uint64_t Modified = 0;
};
TExistingItem InspectItem(const std::wstring& path);

// The extraction folder: the current directory when the extraction starts.
class TExtractFolder {
public:
    // False, with the reason, when the current directory cannot be read.
    bool Open(std::string& error);
    // The path of a relative "\"-separated path inside the folder.
    std::wstring PathOf(const std::string& relative) const;
    // Makes the folders of the first `count` components, one by one. Refuses
    // to go through a link, which could lead outside the folder.
    bool MakeFolders(const std::vector<std::string>& components, size_t count, std::string& error);

private:
    std::wstring Base;  // without a trailing separator
    // Folders made or found safe in this extraction, so that every file
    // of a folder does not ask the file system again.
    std::set<std::string> Known;
};

// Sets a folder's times and attributes once its files are in place.
void ApplyFolderDetails(const std::wstring& path, const TEntryTimes& times, DWORD attributes);

// A file written under a temporary name in its target's folder. Deleted
// again unless Commit moved it over the target.
class TPendingFile : public IZipSink {
public:
    TPendingFile() = default;
    ~TPendingFile() override;
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    // The temporary file takes the hidden and system attributes at once.
    bool Create(const std::wstring& target, DWORD attributes, std::string& error);
    bool Write(const unsigned char* data, size_t size) override;
    // Gives the file its times, moves it over the target (`existing`, whose
    // read-only, hidden and system attributes would refuse that) and sets
    // its attributes. Entries without DOS attributes (0, as Unix tools
    // store them) leave the file as the system made it.
    bool Commit(const TEntryTimes& times, DWORD attributes, const TExistingItem& existing, std::string& error);

    // The system's error of the failed write, for the message.
    DWORD WriteError() const { return LastWriteError; }

private:
    bool Flush();
    void Discard();

    std::wstring Target;
    std::wstring Temporary;
    TWin32Handle File;
    std::vector<unsigned char> Buffer;
    DWORD LastWriteError = 0;
};

// The text for a system error code, as a sentence.
std::string ErrorText(DWORD code);
