#include "ZipAddJob.h"

#include <memory>
#include <unordered_map>

#include "ZipAddFiles.h"
#include "ZipAddMove.h"
#include "ZipAddPipeline.h"
#include "ZipAddReporter.h"
#include "ZipAddWalk.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32ByteStream.h"
#include "platform/win32/Win32Paths.h"
#include "zipdll/win32/common/PasswordPrompt.h"
#include "platform/win32/Win32FileTime.h"
#include "zipdll/core/FilePattern.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipFormat.h"
#include "zipdll/core/ZipWriter.h"

namespace {

// Local time as DOS dates keep it. The time zone is read once: asking the
// system for each file's local time costs a registry lookup every time.
class TLocalClock {
public:
    TLocalClock() { Known = GetTimeZoneInformation(&Zone) != TIME_ZONE_ID_INVALID; }

    void ToDos(const FILETIME& utc, uint16_t& dosDate, uint16_t& dosTime) const {
        SYSTEMTIME universal, local;
        TZipDosTime time;
        if (FiletimeTicks(utc) != 0 && FileTimeToSystemTime(&utc, &universal) && ToLocal(universal, local)) {
            time.Year = local.wYear;
            time.Month = local.wMonth;
            time.Day = local.wDay;
            time.Hour = local.wHour;
            time.Minute = local.wMinute;
            time.Second = local.wSecond;
        }
        ToDosDateTime(time, dosDate, dosTime);
    }

    // An entry's modification time as a file time: its NTFS time when it
    // has one, else its DOS time taken as local time.
    uint64_t EntryModified(const TZipCentralEntry& entry) const {
        if (entry.ModifiedTime) return entry.ModifiedTime;
        const TZipDosTime dos = FromDosDateTime(entry.DosDate, entry.DosTime);
        SYSTEMTIME local{}, universal{};
        local.wYear = WORD(dos.Year);
        local.wMonth = WORD(dos.Month);
        local.wDay = WORD(dos.Day);
        local.wHour = WORD(dos.Hour);
        local.wMinute = WORD(dos.Minute);
        local.wSecond = WORD(dos.Second);
        if (!Known)
            universal = local;
        else if (!TzSpecificLocalTimeToSystemTime(&Zone, &local, &universal))
            return 0;
        FILETIME utc;
        if (!SystemTimeToFileTime(&universal, &utc)) return 0;
        return FiletimeTicks(utc);
    }

private:
    bool ToLocal(const SYSTEMTIME& universal, SYSTEMTIME& local) const {
        if (!Known) {
            local = universal;
            return true;
        }
        return SystemTimeToTzSpecificLocalTime(&Zone, &universal, &local) != FALSE;
    }

    TIME_ZONE_INFORMATION Zone{};
    bool Known = false;
};

uint32_t DosStamp(uint16_t date, uint16_t time) { return (uint32_t(date) << 16) | time; }

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

// No pipeline job, no replacing item.
constexpr size_t kNone = static_cast<size_t>(-1);

// What becomes of each item of the walk and each entry of an existing archive.
struct TAddPlan {
    std::vector<size_t> NewItems;       // walk items written after the kept entries
    std::vector<size_t> Replacement;    // per old entry: the item that replaces it, or kNone
    std::vector<bool> FolderInArchive;  // per walked folder: stored as a folder entry
};

class TAddJob {
public:
    TAddJob(const TZipAddSettings& settings, TZipAddReporter& reporter) : Settings(settings), Reporter(reporter) {}
    int32_t Run();

private:
    bool Fail(int32_t code, const std::string& text) {
        Reporter.Message(code ? code : ERROR_GEN_FAILURE, text);
        return false;
    }
    std::string Unchanged() const {
        return Existing ? " The archive " + ZipPath + " was left as it was." : " No archive was written.";
    }
    bool Stopped() { return Fail(ERROR_CANCELLED, "The add was stopped." + Unchanged()); }
    bool OutputFailed();
    bool ReadExisting();
    TAddPlan MakePlan() const;
    TZipNewEntry EntryFor(const TZipWalkItem& item) const;
    void StartPipeline(const TAddPlan& plan);
    bool WriteItem(size_t index, TZipWriter& writer, bool& added);
    bool StreamFile(const TZipWalkItem& item, TZipNewEntry& entry, TZipWriter& writer, bool& added);
    bool FileAdded(const TZipWalkItem& item, const TZipNewEntry& entry, const TFileStamp& stamp, bool changed);
    bool KeepEntry(size_t index, TZipWriter& writer);
    bool WriteArchive(const TAddPlan& plan);
    void SetArchiveTime();

    const TZipAddSettings& Settings;
    TZipAddReporter& Reporter;
    std::string Password;
    std::wstring ZipWide;
    std::string ZipPath;
    TZipWalk Walk;
    bool Existing = false;
    std::unique_ptr<TWin32ByteStream> OldArchive;
    TZipCentralDirectory OldEntries;
    TTemporaryArchive Temp;
    std::vector<TZipMovedFile> Moved;
    TLocalClock Clock;
    std::unique_ptr<TZipAddPipeline> Pipeline;
    std::vector<size_t> JobOfItem;  // per walk item: its pipeline job, or kNone
    int32_t FilesAdded = 0;
    uint64_t Newest = 0;
};

bool TAddJob::OutputFailed() {
    const DWORD code = Temp.ErrorCode() ? Temp.ErrorCode() : ERROR_WRITE_FAULT;
    return Fail(int32_t(code), "Could not write the archive " + ZipPath + ": " + SystemErrorText(code) + Unchanged());
}

bool TAddJob::ReadExisting() {
    const DWORD attributes = GetFileAttributesW(ZipWide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(ERROR_DIRECTORY, "The archive name " + ZipPath + " belongs to a folder.");
    Existing = true;
    OldArchive = std::make_unique<TWin32ByteStream>(ZipPath);
    if (!OldArchive->IsOpen()) {
        const DWORD code = GetLastError();
        return Fail(int32_t(code), "Could not open the archive " + ZipPath + ": " + SystemErrorText(code));
    }
    OldEntries = ReadZipCentralDirectory(*OldArchive);
    if (!OldEntries.Error.empty())
        return Fail(ERROR_FILE_CORRUPT,
                    "The archive " + ZipPath + " cannot be read (" + OldEntries.Error + "); it was left as it was.");
    // Entries that share bytes would each be copied whole into the new archive.
    const std::string overlap = FindOverlappingEntries(*OldArchive, OldEntries);
    if (!overlap.empty())
        return Fail(ERROR_FILE_CORRUPT, "The archive " + ZipPath + " is not added to: " + overlap +
                                            ", as archives built to expand far beyond their size do. It was left "
                                            "as it was.");
    return true;
}

TAddPlan TAddJob::MakePlan() const {
    TAddPlan plan;
    plan.Replacement.assign(OldEntries.Entries.size(), kNone);
    plan.FolderInArchive.assign(Walk.Folders.size(), false);
    std::unordered_map<std::string, size_t> oldByName;
    for (size_t i = 0; i < OldEntries.Entries.size(); ++i)
        oldByName.emplace(FileNameKey(OldEntries.Entries[i].Name), i);
    const bool onlyNewer = Settings.Update || Settings.Freshen;
    for (size_t i = 0; i < Walk.Items.size(); ++i) {
        const TZipWalkItem& item = Walk.Items[i];
        const auto old = oldByName.find(FileNameKey(item.StoredName));
        if (item.IsFolder) {
            if (old == oldByName.end() && Settings.Freshen) continue;
            if (item.Folder < plan.FolderInArchive.size()) plan.FolderInArchive[item.Folder] = true;
            if (old == oldByName.end()) plan.NewItems.push_back(i);
            continue;
        }
        if (old == oldByName.end()) {
            if (!Settings.Freshen) plan.NewItems.push_back(i);
            continue;
        }
        if (onlyNewer) {
            const TZipCentralEntry& entry = OldEntries.Entries[old->second];
            uint16_t date = 0, time = 0;
            Clock.ToDos(item.Modified, date, time);
            if (DosStamp(date, time) <= DosStamp(entry.DosDate, entry.DosTime)) continue;
        }
        plan.Replacement[old->second] = i;
    }
    return plan;
}

TZipNewEntry TAddJob::EntryFor(const TZipWalkItem& item) const {
    TZipNewEntry entry;
    entry.Name = item.StoredName;
    Clock.ToDos(item.Modified, entry.DosDate, entry.DosTime);
    entry.Attributes = item.Attributes;
    entry.HasTimes = FiletimeTicks(item.Modified) != 0;
    entry.ModifiedTime = FiletimeTicks(item.Modified);
    entry.AccessedTime = FiletimeTicks(item.Accessed);
    entry.CreatedTime = FiletimeTicks(item.Created);
    entry.ExpectedSize = item.Size;
    return entry;
}

// The files small enough to be read whole go to the workers, in the order
// the writer will ask for them.
void TAddJob::StartPipeline(const TAddPlan& plan) {
    JobOfItem.assign(Walk.Items.size(), kNone);
    std::vector<TZipPipelineJob> jobs;
    auto consider = [&](size_t index) {
        const TZipWalkItem& item = Walk.Items[index];
        if (item.IsFolder || item.Size > kZipWholeFileLimit) return;
        JobOfItem[index] = jobs.size();
        jobs.push_back(TZipPipelineJob{LongPathForm(item.Path), EntryFor(item)});
    };
    for (const size_t replacement : plan.Replacement)
        if (replacement != kNone) consider(replacement);
    for (const size_t index : plan.NewItems) consider(index);
    Pipeline = std::make_unique<TZipAddPipeline>(std::move(jobs), Settings.Level, Password, SystemRandom);
}

bool TAddJob::FileAdded(const TZipWalkItem& item, const TZipNewEntry& entry, const TFileStamp& stamp, bool changed) {
    ++FilesAdded;
    if (entry.ModifiedTime > Newest) Newest = entry.ModifiedTime;
    if (changed) {
        if (!Reporter.Message(ERROR_FILE_INVALID, Narrow(item.Path) + " changed while it was read; the archive holds "
                                                                      "it as read, and it is not deleted."))
            return Stopped();
    } else if (Settings.Move) {
        Moved.push_back(TZipMovedFile{item.Path, stamp, item.Folder});
    }
    return true;
}

// Adds one item of the walk. False when the add must end.
bool TAddJob::WriteItem(size_t index, TZipWriter& writer, bool& added) {
    added = false;
    const TZipWalkItem& item = Walk.Items[index];
    TZipNewEntry entry = EntryFor(item);
    if (item.IsFolder) {
        const TZipAddOutcome outcome = writer.AddFolder(entry);
        if (outcome == TZipAddOutcome::OutputFailed) return OutputFailed();
        added = outcome == TZipAddOutcome::Added;
        return true;
    }
    if (!Reporter.FileBegins(item.StoredName, item.Size)) return Stopped();
    const size_t job = index < JobOfItem.size() ? JobOfItem[index] : kNone;
    if (job == kNone) return StreamFile(item, entry, writer, added);

    uint64_t reported = 0;
    const bool go = Pipeline->Wait(job, [&](uint64_t read) {
        const bool more = Reporter.Progress(read - reported);
        reported = read;
        return more;
    });
    if (!go) return Stopped();
    TZipPipelineResult& result = Pipeline->Result(job);
    if (result.TooLarge) {
        Pipeline->Release(job);
        return StreamFile(item, entry, writer, added);
    }
    if (result.Failed) {
        const DWORD code = result.ErrorCode ? result.ErrorCode : ERROR_READ_FAULT;
        Pipeline->Release(job);
        if (!Reporter.Message(int32_t(code), "Could not add " + Narrow(item.Path) + ": " + SystemErrorText(code)))
            return Stopped();
        return true;
    }
    if (!Reporter.Progress(result.Entry.Record.UncompressedSize - reported)) {
        Pipeline->Release(job);
        return Stopped();
    }
    const TZipAddOutcome outcome = writer.AddPrepared(result.Entry);
    const TFileStamp stamp = result.Stamp;
    const bool changed = result.Changed;
    Pipeline->Release(job);
    if (outcome != TZipAddOutcome::Added) return OutputFailed();
    added = true;
    return FileAdded(item, entry, stamp, changed);
}

// A file too large to be read whole, read and written chunk by chunk.
bool TAddJob::StreamFile(const TZipWalkItem& item, TZipNewEntry& entry, TZipWriter& writer, bool& added) {
    const std::string path = Narrow(item.Path);
    TZipFileSource source(LongPathForm(item.Path));
    if (!source.IsOpen()) {
        const DWORD code = source.ErrorCode();
        if (!Reporter.Message(int32_t(code ? code : ERROR_READ_FAULT),
                              "Could not open " + path + ": " + SystemErrorText(code)))
            return Stopped();
        return true;
    }
    entry.ExpectedSize = source.StampAtOpen().Size;
    const TZipAddOutcome outcome =
        writer.AddFile(entry, source, [this](size_t bytes) { return Reporter.Progress(bytes); });
    switch (outcome) {
        case TZipAddOutcome::Stopped: return Stopped();
        case TZipAddOutcome::OutputFailed: return OutputFailed();
        case TZipAddOutcome::SourceFailed: {
            const DWORD code = source.ErrorCode();
            const std::string why = writer.Error().empty() ? SystemErrorText(code) : writer.Error();
            if (!Reporter.Message(int32_t(code ? code : ERROR_READ_FAULT), "Could not add " + path + ": " + why))
                return Stopped();
            return true;
        }
        case TZipAddOutcome::Added: break;
    }
    added = true;
    TFileStamp after;
    const bool changed = !source.CurrentStamp(after) || after != source.StampAtOpen();
    return FileAdded(item, entry, source.StampAtOpen(), changed);
}

// Copies an entry of the existing archive. A damaged entry ends the add:
// leaving it out would lose it when the new archive replaces the old.
bool TAddJob::KeepEntry(size_t index, TZipWriter& writer) {
    const TZipCentralEntry& entry = OldEntries.Entries[index];
    const TZipAddOutcome outcome = writer.CopyEntry(entry, *OldArchive);
    if (outcome == TZipAddOutcome::OutputFailed) return OutputFailed();
    if (outcome != TZipAddOutcome::Added)
        return Fail(ERROR_FILE_CORRUPT, "The entry " + entry.Name + " of the archive " + ZipPath +
                                            " cannot be copied (" + writer.Error() +
                                            "); the archive was left as it was.");
    const uint64_t modified = Clock.EntryModified(entry);
    if (modified > Newest) Newest = modified;
    return true;
}

bool TAddJob::WriteArchive(const TAddPlan& plan) {
    if (!Temp.Create(FolderOf(ZipWide))) {
        const DWORD code = Temp.ErrorCode();
        return Fail(int32_t(code),
                    "Could not create a temporary file beside " + ZipPath + ": " + SystemErrorText(code));
    }
    TZipWriter writer(Temp);
    writer.SetLevel(Settings.Level);
    if (!Password.empty()) writer.SetPassword(Password, SystemRandom);
    StartPipeline(plan);
    bool changed = false;
    bool added = false;
    for (size_t i = 0; i < OldEntries.Entries.size(); ++i) {
        const size_t replacement = plan.Replacement[i];
        if (replacement != kNone) {
            if (!WriteItem(replacement, writer, added)) return false;
            changed = changed || added;
            if (added) continue;  // else the old entry stays
        }
        if (!KeepEntry(i, writer)) return false;
    }
    for (const size_t index : plan.NewItems) {
        if (!WriteItem(index, writer, added)) return false;
        changed = changed || added;
    }
    if (!Reporter.EndOfBatch()) return Stopped();
    if (!changed) {
        // Nothing new: an existing archive stays as it is, and no empty one is made.
        Reporter.Message(Existing ? 0 : ERROR_NO_MORE_FILES,
                         Existing ? "Nothing new to add; the archive " + ZipPath + " is unchanged."
                                  : "Nothing was added; no archive was written.");
        return false;
    }
    if (!writer.Finish()) return OutputFailed();
    OldArchive.reset();
    // With "move" the originals go next, so the archive must be on the disk first.
    if (!Temp.Commit(ZipWide, Settings.Move)) {
        const DWORD code = Temp.ErrorCode();
        return Fail(int32_t(code),
                    "Could not put the archive in place as " + ZipPath + ": " + SystemErrorText(code) + Unchanged());
    }
    return true;
}

void TAddJob::SetArchiveTime() {
    if (Newest == 0) return;
    TWin32Handle file(CreateFileW(ZipWide.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const FILETIME newest = FiletimeOfTicks(Newest);
    if (!file.IsValid() || !SetFileTime(file.Get(), nullptr, nullptr, &newest)) {
        const DWORD code = GetLastError();
        Reporter.Message(int32_t(code),
                         "Could not set the time of the archive " + ZipPath + ": " + SystemErrorText(code));
    }
}

int32_t TAddJob::Run() {
    if (Settings.ZipName.empty()) return Fail(ERROR_INVALID_PARAMETER, "Error - no zip file specified"), 0;
    if (Settings.Specs.empty()) return Fail(ERROR_INVALID_PARAMETER, "Error - no files to zip"), 0;
    ZipPath = FullPathName(Settings.ZipName);
    if (ZipPath.empty()) return Fail(ERROR_BAD_PATHNAME, "The archive name " + Settings.ZipName + " is not valid."), 0;
    ZipWide = Widen(ZipPath);
    Password = Settings.Encrypt ? Settings.Password : std::string();
    if (Settings.Encrypt && Password.empty() && !AskZipPassword(Settings.Owner, true, Password))
        return Fail(ERROR_CANCELLED, "No password was given, so nothing was added."), 0;

    TZipWalkOptions options;
    options.Recurse = Settings.Recurse;
    options.FolderNames = Settings.FolderNames;
    options.HiddenFiles = Settings.HiddenFiles;
    options.DosNames = Settings.DosNames;
    options.FolderEntries = !Settings.Freshen;
    options.SkipPath = ZipWide;
    if (!WalkFileSpecs(Settings.Specs, options, Reporter, Walk)) return Stopped(), 0;
    if (!ReadExisting()) return 0;
    const TAddPlan plan = MakePlan();
    const bool written = WriteArchive(plan);
    Pipeline.reset();  // no worker reads on while files are deleted
    if (!written) return 0;
    if (Settings.TimeFromNewest) SetArchiveTime();
    if (Settings.Move) DeleteMovedFiles(Moved, Walk.Folders, plan.FolderInArchive, Reporter);
    return FilesAdded;
}

}  // namespace

TZipAddSettings ReadAddBlock(const TZipAddBlock& block) {
    TZipAddSettings settings;
    settings.Owner = static_cast<HWND>(block.OwnerWindow);
    settings.ZipName = block.ZipName ? block.ZipName : "";
    settings.Password = block.Password ? block.Password : "";
    const int count = block.SpecCount < 0 ? 0 : block.SpecCount > kZipMaxSpecs ? kZipMaxSpecs : block.SpecCount;
    for (int i = 0; i < count; ++i)
        if (block.Specs[i] && block.Specs[i][0]) settings.Specs.emplace_back(block.Specs[i]);
    settings.Encrypt = block.Encrypt != 0;
    settings.HiddenFiles = block.HiddenFiles != 0;
    settings.FolderNames = block.NoFolderNames == 0;
    settings.Recurse = block.Recurse != 0;
    settings.DosNames = block.DosNames != 0;
    settings.Move = block.Move != 0;
    settings.Update = block.Update != 0;
    settings.Freshen = block.Freshen != 0 && !settings.Update;
    settings.TimeFromNewest = block.TimeFromNewest != 0;
    settings.Level = block.Level < 0 ? 0 : block.Level > 9 ? 9 : block.Level;
    return settings;
}

int32_t RunZipAdd(const TZipAddSettings& settings, TZipAddReporter& reporter) {
    TAddJob job(settings, reporter);
    return job.Run();
}
