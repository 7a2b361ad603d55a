#include "UnzipJob.h"

#include <string>
#include <vector>

#include "ExtractFiles.h"
#include "UnzipPassword.h"
#include "UnzipReporter.h"
#include "platform/win32/Win32ByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipEntryName.h"
#include "zipdll/core/ZipExtractRules.h"
#include "zipdll/core/ZipExtractor.h"

namespace {

static_assert(kZipExtractStepBytes == uint64_t(kZipStepBytes), "one step callback per extractor step");

bool IsSet(int32_t flag) { return flag != 0; }

// Takes the bytes and keeps nothing: a test writes no file.
class TCountingSink : public IZipSink {
public:
    bool Write(const unsigned char*, size_t) override { return true; }
};

int32_t ErrorCodeOf(EZipExtractOutcome outcome) {
    switch (outcome) {
        case EZipExtractOutcome::PasswordNeeded:
        case EZipExtractOutcome::WrongPassword: return UnzipError::kPassword;
        case EZipExtractOutcome::UnsupportedMethod: return UnzipError::kUnsupported;
        case EZipExtractOutcome::WriteFailed:
        case EZipExtractOutcome::ReadFailed: return UnzipError::kFileSystem;
        default: return UnzipError::kDamaged;
    }
}

struct TFolderToFinish {
    std::wstring Path;
    TEntryTimes Times;
    DWORD Attributes = 0;
};

class TUnzipJob {
public:
    explicit TUnzipJob(const TUnzipBlock& block)
        : Block(block), Reporter(block.Callback, block.Caller), Passwords(block.OwnerWindow, block.Password) {
        Rules.Freshen = IsSet(block.Freshen);
        Rules.Update = IsSet(block.Update);
        Rules.Overwrite = IsSet(block.Overwrite);
        const int count = block.SpecCount < 0 ? 0 : block.SpecCount > kZipMaxSpecs ? kZipMaxSpecs : block.SpecCount;
        for (int i = 0; i < count; ++i)
            if (block.Specs[i] && block.Specs[i][0]) Specs.push_back(block.Specs[i]);
    }

    int32_t Run() {
        RunEntries();
        FinishFolders();
        Reporter.EndOfBatch();
        return Done;
    }

private:
    void RunEntries() {
        const std::string zipName = Block.ZipName ? Block.ZipName : "";
        if (zipName.empty()) {
            Reporter.Message(UnzipError::kNoArchive, "No zip file name given");
            return;
        }
        TWin32ByteStream archive(zipName);
        if (!archive.IsOpen()) {
            Reporter.Message(UnzipError::kNoArchive,
                             "Cannot open zip file " + zipName + ": " + ErrorText(GetLastError()));
            return;
        }
        const TZipCentralDirectory directory = ReadZipCentralDirectory(archive);
        const std::string overlap = FindOverlappingEntries(archive, directory);
        if (!overlap.empty()) {
            Reporter.Message(UnzipError::kDamaged, "Nothing was extracted from " + zipName + ": " + overlap +
                                                       ", as archives built to expand far beyond their size do");
            return;
        }
        // Entries read before damage are still extracted; each is checked on its own.
        if (!directory.Error.empty() && !Reporter.Message(UnzipError::kDamaged, directory.Error + ": " + zipName))
            return;
        std::string error;
        if (!IsSet(Block.TestOnly) && !Folder.Open(error)) {
            Reporter.Message(UnzipError::kFileSystem, error);
            return;
        }
        bool matched = false;
        for (const TZipCentralEntry& entry : directory.Entries) {
            if (!ZipNameSelected(entry.Name, Specs)) continue;
            matched = true;
            RunEntry(archive, entry);
            if (Reporter.Stopped() || PasswordRefused) return;
        }
        if (!matched && !Specs.empty()) Reporter.Message(UnzipError::kNothingMatched, "No files matched in " + zipName);
    }

    void RunEntry(IByteStream& archive, const TZipCentralEntry& entry) {
        const TZipEntryName name = ParseZipEntryName(entry.Name, IsSet(Block.FolderNames));
        if (name.Refused()) {
            Reporter.Message(UnzipError::kWarning, "Skipped " + entry.Name + ": " + name.Reason);
            return;
        }
        if (name.IsFolder) {
            if (!IsSet(Block.TestOnly) && !name.Path.empty()) MakeFolderEntry(entry, name);
            return;
        }
        if (IsSet(Block.TestOnly)) {
            TestFile(archive, entry);
            return;
        }
        ExtractFile(archive, entry, name);
    }

    void MakeFolderEntry(const TZipCentralEntry& entry, const TZipEntryName& name) {
        std::string error;
        if (!Folder.MakeFolders(name.Components, name.Components.size(), error)) {
            Reporter.Message(UnzipError::kFileSystem, "Folder " + entry.Name + " not made: " + error);
            return;
        }
        FoldersToFinish.push_back({Folder.PathOf(name.Path), TimesOfEntry(entry), AttributesOfEntry(entry)});
    }

    // Extracts through the extractor, asking for the password the first
    // time an encrypted entry needs one.
    TZipExtractResult Extract(IByteStream& archive, const TZipCentralEntry& entry, IZipSink& sink) {
        std::string password;
        if (entry.IsEncrypted()) password = Passwords.Get();
        return ExtractZipEntry(archive, entry, password, sink, [this](uint64_t) { return Reporter.Step(); });
    }

    void Report(const TZipExtractResult& result, const TZipCentralEntry& entry) {
        if (result.Outcome == EZipExtractOutcome::Stopped) {
            Reporter.Message(0, "Stopped at " + entry.Name + "; it was not extracted");
            return;
        }
        // No password, or a wrong one, fails every encrypted entry alike: it
        // is said once, and the run ends there.
        if (result.Outcome == EZipExtractOutcome::PasswordNeeded ||
            result.Outcome == EZipExtractOutcome::WrongPassword) {
            PasswordRefused = true;
            Reporter.Message(UnzipError::kPassword,
                             ZipExtractMessage(result, entry.Name) + "; nothing more was extracted");
            return;
        }
        Reporter.Message(ErrorCodeOf(result.Outcome), ZipExtractMessage(result, entry.Name));
    }

    void TestFile(IByteStream& archive, const TZipCentralEntry& entry) {
        if (!Reporter.FileBegins(entry.Name, entry.UncompressedSize)) return;
        TCountingSink sink;
        const TZipExtractResult result = Extract(archive, entry, sink);
        if (result.Outcome == EZipExtractOutcome::Ok) {
            ++Done;
            if (IsSet(Block.Verbose)) Reporter.Message(0, "OK: " + entry.Name);
        } else {
            Report(result, entry);
        }
    }

    void ExtractFile(IByteStream& archive, const TZipCentralEntry& entry, const TZipEntryName& name) {
        const std::wstring target = Folder.PathOf(name.Path);
        const TExistingItem existing = InspectItem(target);
        if (existing.Exists && existing.IsFolder) {
            Reporter.Message(UnzipError::kFileSystem, "Skipped " + entry.Name + ": a folder of that name exists");
            return;
        }
        const TEntryTimes times = TimesOfEntry(entry);
        const bool newer = ZipEntryIsNewer(times.Modified, existing.Modified, entry.ModifiedTime == 0);
        switch (ChooseZipWrite(Rules, existing.Exists, newer)) {
            case EZipWriteChoice::Write: break;
            case EZipWriteChoice::SkipExisting:
                Reporter.Message(0, "Skipped " + entry.Name + ": the file exists");
                return;
            case EZipWriteChoice::SkipMissing:
            case EZipWriteChoice::SkipNotNewer: return;
        }
        if (!Reporter.FileBegins(entry.Name, entry.UncompressedSize)) return;
        std::string error;
        if (IsSet(Block.FolderNames) && !Folder.MakeFolders(name.Components, name.Components.size() - 1, error)) {
            Reporter.Message(UnzipError::kFileSystem, "File " + entry.Name + " not extracted: " + error);
            return;
        }
        TPendingFile file;
        if (!file.Create(target, AttributesOfEntry(entry), error)) {
            Reporter.Message(UnzipError::kFileSystem, "File " + entry.Name + " cannot be created: " + error);
            return;
        }
        const TZipExtractResult result = Extract(archive, entry, file);
        if (result.Outcome == EZipExtractOutcome::WriteFailed) {
            const DWORD code = file.WriteError() ? file.WriteError() : DWORD(ERROR_WRITE_FAULT);
            const bool full = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL;
            Reporter.Message(full ? UnzipError::kDiskFull : UnzipError::kFileSystem,
                             "File " + entry.Name + " could not be written: " + ErrorText(code));
            return;
        }
        if (result.Outcome != EZipExtractOutcome::Ok) {
            Report(result, entry);
            return;
        }
        if (!file.Commit(times, AttributesOfEntry(entry), existing, error)) {
            Reporter.Message(UnzipError::kFileSystem, "File " + entry.Name + " could not be written: " + error);
            return;
        }
        ++Done;
        if (IsSet(Block.Verbose)) Reporter.Message(0, "Extracted " + entry.Name);
    }

    // Folder times last, as writing their files changed them; deepest first.
    void FinishFolders() {
        for (auto it = FoldersToFinish.rbegin(); it != FoldersToFinish.rend(); ++it)
            ApplyFolderDetails(it->Path, it->Times, it->Attributes);
    }

    const TUnzipBlock& Block;
    TUnzipReporter Reporter;
    TUnzipPassword Passwords;
    TZipWriteRules Rules;
    std::vector<std::string> Specs;
    TExtractFolder Folder;
    std::vector<TFolderToFinish> FoldersToFinish;
    int32_t Done = 0;
    bool PasswordRefused = false;
};

}  // namespace

int32_t RunUnzipJob(const TUnzipBlock& block) { return TUnzipJob(block).Run(); }
