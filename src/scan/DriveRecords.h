#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TFolderNode;

// What the program remembers of a scanned drive.
struct TDriveRecInfo {
    char Letter = 0;                  // upper case
    TFolderNode* RootNode = nullptr;  // the drive's root node; not owned
    int32_t ClusterSize = 0;          // as found at the last scan; -1 when unknown
    std::string DriveItem;            // the letter followed by the shell display name
};

// The drive records in the order drives were first scanned; at most one per
// letter. Owns its records.
class TDriveList {
public:
    TDriveRecInfo* Find(char letter) const;
    TDriveRecInfo* Add(char letter);  // a new zero-initialised record at the end
    void Remove(char letter);
    void Clear() { Records.clear(); }
    const std::vector<std::unique_ptr<TDriveRecInfo>>& Items() const { return Records; }

private:
    std::vector<std::unique_ptr<TDriveRecInfo>> Records;
};

// The letters of the drives in the tree, in the order their scans started.
class TScannedDrives {
public:
    const std::string& Letters() const { return Text; }
    bool Contains(char letter) const;
    void Append(char letter);  // a letter already present is not added twice
    void Remove(char letter);

private:
    std::string Text;
};

char UpperDriveLetter(char letter);
