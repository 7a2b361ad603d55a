#include "scan/DriveRecords.h"

#include <algorithm>

char UpperDriveLetter(char letter) { return (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter; }

TDriveRecInfo* TDriveList::Find(char letter) const {
    letter = UpperDriveLetter(letter);
    for (auto& record : Records)
        if (record->Letter == letter) return record.get();
    return nullptr;
}

TDriveRecInfo* TDriveList::Add(char letter) {
    auto record = std::make_unique<TDriveRecInfo>();
    record->Letter = UpperDriveLetter(letter);
    Records.push_back(std::move(record));
    return Records.back().get();
}

void TDriveList::Remove(char letter) {
    letter = UpperDriveLetter(letter);
    Records.erase(std::remove_if(Records.begin(), Records.end(),
                                 [letter](const std::unique_ptr<TDriveRecInfo>& r) { return r->Letter == letter; }),
                  Records.end());
}

bool TScannedDrives::Contains(char letter) const { return Text.find(UpperDriveLetter(letter)) != std::string::npos; }

void TScannedDrives::Append(char letter) {
    if (!Contains(letter)) Text += UpperDriveLetter(letter);
}

void TScannedDrives::Remove(char letter) {
    Text.erase(std::remove(Text.begin(), Text.end(), UpperDriveLetter(letter)), Text.end());
}
