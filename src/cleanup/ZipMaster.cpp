#include "cleanup/ZipMaster.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "platform/ByteStream.h"
#include "platform/CurrentDirectory.h"
#include "platform/DynamicLibraries.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "zipdll/ZipDllInterface.h"

namespace {

int32_t Flag(bool on) { return on ? kZipFlagTrue : kZipFlagFalse; }

// The library hands back the adapter it was given in the block.
int32_t QM_ZIPAPI ZipMasterCallback(TZipCallbackRecord* record) {
    if (!record || !record->Caller) return 0;
    return static_cast<TZipMaster*>(record->Caller)->HandleCallback(*record);
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    return std::equal(tail.begin(), tail.end(), text.end() - tail.size(),
                      [](char a, char b) { return std::toupper((unsigned char)a) == std::toupper((unsigned char)b); });
}

// The first `limit` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, size_t limit) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == limit) return text.substr(0, i);
    }
    return text;
}

// Copies of the texts a block points at, alive for the call.
struct TBlockTexts {
    std::string ZipName;
    std::string Password;
    std::vector<std::string> Specs;

    TBlockTexts(const std::string& zipName, const std::string& password, const std::vector<std::string>& specs)
        : ZipName(zipName),
          Password(password),
          Specs(specs.begin(), specs.begin() + std::min<size_t>(specs.size(), kZipMaxSpecs)) {}

    template <typename TBlock>
    void PointInto(TBlock& block) const {
        block.ZipName = ZipName.c_str();
        block.Password = Password.c_str();
        block.SpecCount = int32_t(Specs.size());
        for (size_t i = 0; i < Specs.size(); ++i) block.Specs[i] = Specs[i].c_str();
    }
};

// Marks a call as running; however it ends, the mark goes and the file
// specifications are cleared.
class TRunningCall {
public:
    TRunningCall(bool& running, std::vector<std::string>& specs) : Running(running), Specs(specs) { Running = true; }
    ~TRunningCall() {
        Specs.clear();
        Running = false;
    }
    TRunningCall(const TRunningCall&) = delete;
    TRunningCall& operator=(const TRunningCall&) = delete;

private:
    bool& Running;
    std::vector<std::string>& Specs;
};

// A block with the fields both libraries share: who calls, how to call back,
// the tracing flags, the fixed values, and the texts.
template <typename TBlock>
std::unique_ptr<TBlock> NewBlock(TZipMaster& zip, const TBlockTexts& texts) {
    auto block = std::make_unique<TBlock>();
    block->OwnerWindow = zip.OwnerWindow;
    block->Caller = &zip;
    block->Version = kZipDllVersion;
    block->Callback = ZipMasterCallback;
    block->Trace = Flag(zip.Trace);
    block->Fixed1 = kZipFlagTrue;
    block->Verbose = Flag(zip.Verbose || zip.Trace);
    block->Seven = kZipBlockSeven;
    texts.PointInto(*block);
    return block;
}

}  // namespace

void TZipMaster::SetPassword(const std::string& password) { ThePassword = FirstChars(password, kZipPasswordMaxChars); }

void TZipMaster::SetDLLDirectory(const std::string& folder) {
    LibraryFolder = folder;
    if (!LibraryFolder.empty() && LibraryFolder.back() == '\\') LibraryFolder.pop_back();
}

bool TZipMaster::SetZipFilename(const std::string& name) {
    ZipName = name;
    ReadEntryList();
    return ListProblem.empty();
}

void TZipMaster::ReadEntryList() {
    Entries.clear();
    ListProblem.clear();
    if (ZipName.empty() || !Services.Files.PathExists(ZipName)) return;
    std::unique_ptr<IByteStream> archive = Services.Streams.OpenForReading(ZipName);
    if (!archive) {
        ListProblem = "Error reading Zip File";
        return;
    }
    TZipEntryList list = ReadZipEntryList(*archive, EndsWithNoCase(ZipName, ".EXE"));
    Entries = std::move(list.Entries);
    if (list.Message == kNoValidZipEntries)
        ShowMessage(list.Message);
    else
        ListProblem = std::move(list.Message);
}

void TZipMaster::ShowMessage(const std::string& text) {
    Services.Messages.Show(kProductName, text, TMsgButtons::Ok, TMsgIcon::Error);
}

bool TZipMaster::LoadAndCall(const char* libraryName, const char* execName, const char* versionName,
                             const std::function<int32_t(void* exec)>& call) {
    // Only the copy in the libraries' folder, by its full path: the current
    // folder may be the user's folder being archived, and a library of that
    // name there must never be loaded.
    const std::string path = LibraryFolder.empty() ? libraryName : LibraryFolder + "\\" + libraryName;
    std::unique_ptr<ILoadedLibrary> library = LibraryFolder.empty() ? nullptr : Services.Libraries.Load(path);
    if (!library) {
        ShowMessage(path + " not found");
        return false;
    }
    void* exec = library->Find(execName);
    if (!exec) {
        ShowMessage(std::string(execName) + " function not found in " + libraryName);
        return false;
    }
    if (!library->Find(versionName)) {
        ShowMessage(std::string(versionName) + " function not found in " + libraryName);
        return false;
    }

    std::exception_ptr eventFault;
    CallbackFault = &eventFault;
    int32_t processed = 0;
    const bool returned = Services.Libraries.CallGuarded([&] { processed = call(exec); });
    CallbackFault = nullptr;
    Successes = returned ? processed : 0;
    if (!returned) {
        ShowMessage("Fatal DLL Error: abort exception");
        // Threads the library started may still be running its code.
        library->KeepLoaded();
    }
    // The library is unloaded (library goes out of scope) before an event's
    // exception travels on to the caller.
    library.reset();
    if (eventFault) std::rethrow_exception(eventFault);
    return returned;
}

void TZipMaster::Add() {
    if (Adding) return;
    if (FSpecArgs.empty()) {
        ShowMessage("Error - no files to zip");
        return;
    }
    if (ZipName.empty()) {
        ShowMessage("Error - no zip file specified");
        return;
    }
    const TRunningCall running(Adding, FSpecArgs);
    Cancel = false;
    Successes = 0;

    const TBlockTexts texts(ZipName, ThePassword, FSpecArgs);
    const auto block = NewBlock<TZipAddBlock>(*this, texts);
    block->Encrypt = Flag(AddOptions & AddEncrypt);
    block->HiddenFiles = Flag(AddOptions & AddHiddenFiles);
    block->Fixed2 = kZipFlagTrue;
    block->Level = std::clamp(AddCompLevel, 0, 9);
    block->NoFolderNames = Flag(!(AddOptions & AddDirNames));
    block->Recurse = Flag(AddOptions & AddRecurseDirs);
    block->Fixed3 = kZipFlagTrue;
    block->DosNames = Flag(AddOptions & AddForceDOS);
    block->Move = Flag(AddOptions & AddMove);
    block->Update = Flag(AddOptions & AddUpdate);
    block->Freshen = Flag((AddOptions & AddFreshen) && !(AddOptions & AddUpdate));
    block->TimeFromNewest = Flag(AddOptions & AddZipTime);

    LoadAndCall(kZipLibraryName, "ZipDllExec", "GetZipDllVersion",
                [&](void* exec) { return reinterpret_cast<TZipDllExec>(exec)(block.get()); });
    if (Successes > 0) ReadEntryList();
}

void TZipMaster::Extract() {
    if (Extracting) return;
    if (ZipName.empty() || !Services.Files.PathExists(ZipName)) {
        ShowMessage("Error - no zip file specified");
        return;
    }
    const TRunningCall running(Extracting, FSpecArgs);
    Cancel = false;
    Successes = 0;

    // The library writes into the current directory: a base folder that
    // cannot be entered must not leave it somewhere else.
    if (!ExtrBaseDir.empty() && !Services.CurrentDirectory.Change(ExtrBaseDir)) {
        ShowMessage("Error - the folder " + ExtrBaseDir + " cannot be opened; nothing was extracted");
        return;
    }

    const TBlockTexts texts(ZipName, ThePassword, FSpecArgs);
    const auto block = NewBlock<TUnzipBlock>(*this, texts);
    block->TestOnly = Flag(ExtrOptions & ExtrTest);
    block->Update = Flag(ExtrOptions & ExtrUpdate);
    block->Freshen = Flag((ExtrOptions & ExtrFreshen) && !(ExtrOptions & ExtrUpdate));
    block->FolderNames = Flag(ExtrOptions & ExtrDirNames);
    block->Overwrite = Flag(ExtrOptions & ExtrOverWrite);

    LoadAndCall(kUnzipLibraryName, "UnzDllExec", "GetUnzDllVersion",
                [&](void* exec) { return reinterpret_cast<TUnzDllExec>(exec)(block.get()); });
}

int32_t TZipMaster::HandleCallback(const TZipCallbackRecord& record) {
    // From here on the program's own code runs (events, message pumping,
    // painting): its faults are not the library's.
    const TUnguardedScope programCode(Services.Libraries);
    if (CallbackFault && *CallbackFault) return kZipCallbackStop;
    try {
        const std::string text(record.Text, strnlen(record.Text, sizeof record.Text));
        switch (record.Action) {
            case kZipActionFileBegins:
                if (OnProgress) OnProgress(*this, TZipProgressKind::NewFile, record.FileSize, text);
                break;
            case kZipActionStep:
                if (OnProgress) OnProgress(*this, TZipProgressKind::Step, record.FileSize, text);
                break;
            case kZipActionEndOfBatch:
                if (OnProgress) OnProgress(*this, TZipProgressKind::EndOfBatch, record.FileSize, text);
                break;
            default:
                if (record.Action >= kZipActionMessage && OnMessage) {
                    std::string message = text;
                    for (int i = 0; i < 2 && !message.empty() && (message.back() == '\r' || message.back() == '\n');
                         ++i)
                        message.pop_back();
                    OnMessage(*this, record.ErrorCode, message);
                }
                break;
        }
    } catch (...) {
        // An event handler failed inside the library's call: stop the library
        // and let the failure go on to our caller once the library has returned.
        if (CallbackFault) {
            *CallbackFault = std::current_exception();
            return kZipCallbackStop;
        }
        throw;
    }
    return Cancel ? kZipCallbackStop : 0;
}
