#pragma once
// TZipMaster drives the two ZIP libraries, ZIPDLL.DLL (add) and UNZDLL.DLL
// (extract), loaded for each call, and reads an archive's entry list itself.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cleanup/ZipEntryList.h"

class IByteStreamFiles;
class ICurrentDirectory;
class IDynamicLibraries;
class IFileSystem;
class IMessageBoxes;
struct TZipCallbackRecord;

enum TZipAddOption : uint32_t {
    AddDirNames = 1u << 0,
    AddRecurseDirs = 1u << 1,
    AddMove = 1u << 2,
    AddFreshen = 1u << 3,
    AddUpdate = 1u << 4,
    AddZipTime = 1u << 5,
    AddForceDOS = 1u << 6,
    AddHiddenFiles = 1u << 7,
    AddEncrypt = 1u << 8,
};
enum TZipExtrOption : uint32_t {
    ExtrDirNames = 1u << 0,
    ExtrOverWrite = 1u << 1,
    ExtrFreshen = 1u << 2,
    ExtrUpdate = 1u << 3,
    ExtrTest = 1u << 4,
};

enum class TZipProgressKind { NewFile = 0, Step = 1, EndOfBatch = 2 };

struct TZipMasterServices {
    IDynamicLibraries& Libraries;
    IFileSystem& Files;
    IByteStreamFiles& Streams;
    ICurrentDirectory& CurrentDirectory;
    IMessageBoxes& Messages;
};

constexpr const char* kZipLibraryName = "ZIPDLL.DLL";
constexpr const char* kUnzipLibraryName = "UNZDLL.DLL";
constexpr size_t kZipPasswordMaxChars = 80;

class TZipMaster {
public:
    using TProgressEvent =
        std::function<void(TZipMaster& sender, TZipProgressKind kind, uint32_t fileSize, const std::string& fileName)>;
    using TMessageEvent = std::function<void(TZipMaster& sender, int32_t errorCode, const std::string& message)>;

    explicit TZipMaster(TZipMasterServices services) : Services(services) {}
    TZipMaster(const TZipMaster&) = delete;
    TZipMaster& operator=(const TZipMaster&) = delete;

    // Adds the files of FSpecArgs (relative to the current directory) to ZipFilename.
    void Add();
    // Extracts ZipFilename's entries, those of FSpecArgs or all, into
    // ExtrBaseDir; nothing when that folder cannot be entered.
    void Extract();

    // Setting the name re-reads the entry list. False when the archive is
    // broken; ListError() then says how, and the entries read so far stay.
    bool SetZipFilename(const std::string& name);
    const std::string& ZipFilename() const { return ZipName; }
    const std::vector<TZipEntry>& ZipContents() const { return Entries; }
    const std::string& ListError() const { return ListProblem; }

    void SetPassword(const std::string& password);
    const std::string& Password() const { return ThePassword; }
    // The folder the libraries are loaded from, by their full path there:
    // the program's own. Without one no library is loaded.
    void SetDLLDirectory(const std::string& folder);
    const std::string& DLLDirectory() const { return LibraryFolder; }
    int32_t SuccessCnt() const { return Successes; }

    std::vector<std::string> FSpecArgs;
    uint32_t AddOptions = 0;
    int AddCompLevel = 9;
    std::string ExtrBaseDir;
    uint32_t ExtrOptions = 0;
    bool Verbose = false;
    bool Trace = false;
    // Set while a call runs (Stop); the library stops at its next callback.
    bool Cancel = false;
    void* OwnerWindow = nullptr;

    TProgressEvent OnProgress;
    TMessageEvent OnMessage;

    // The libraries call this with every progress step and message. The
    // fault guard of the library's call is off while it runs.
    int32_t HandleCallback(const TZipCallbackRecord& record);

private:
    bool LoadAndCall(const char* libraryName, const char* execName, const char* versionName,
                     const std::function<int32_t(void* exec)>& call);
    void ReadEntryList();
    void ShowMessage(const std::string& text);

    TZipMasterServices Services;
    std::string ZipName;
    std::vector<TZipEntry> Entries;
    std::string ListProblem;
    std::string ThePassword;
    std::string LibraryFolder;
    int32_t Successes = 0;
    std::exception_ptr* CallbackFault = nullptr;  // set while a library runs
    bool Adding = false;
    bool Extracting = false;
};
