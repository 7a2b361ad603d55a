#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "cleanup/ZipMaster.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/FakeDynamicLibraries.h"
#include "platform/memory/MemoryByteStream.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "zipdll/ZipDllInterface.h"

namespace {

// What the stand-in libraries saw and what they do when called.
struct TLibraryScript {
    int AddCalls = 0;
    int ExtractCalls = 0;
    TZipAddBlock Add{};
    std::vector<std::string> AddSpecs;
    std::string AddZipName, AddPassword;
    bool SpecsWereCopies = true;
    TUnzipBlock Extract{};
    std::string ExtractZipName;
    // Callbacks the library makes before returning `Result`.
    struct TCall {
        int32_t Action;
        int32_t ErrorCode;
        uint32_t FileSize;
        std::string Text;
    };
    std::vector<TCall> Calls;
    std::vector<int32_t> CallbackAnswers;
    int32_t Result = 0;
    std::function<void()> DuringCall;
    // Whether the fault guard was armed when each callback had returned.
    TFakeDynamicLibraries* Libraries = nullptr;
    std::vector<bool> ArmedAfterCallbacks;
};
TLibraryScript* Script = nullptr;
const std::vector<std::string>* CallerSpecs = nullptr;

void RunCallbacks(TZipCallback callback, void* caller) {
    for (const TLibraryScript::TCall& call : Script->Calls) {
        TZipCallbackRecord record{};
        record.Caller = caller;
        record.Action = call.Action;
        record.ErrorCode = call.ErrorCode;
        record.FileSize = call.FileSize;
        std::strncpy(record.Text, call.Text.c_str(), sizeof record.Text - 1);
        const int32_t answer = callback(&record);
        Script->CallbackAnswers.push_back(answer);
        if (Script->Libraries) Script->ArmedAfterCallbacks.push_back(Script->Libraries->Armed);
        if (answer == kZipCallbackStop) break;
    }
}

int32_t QM_ZIPAPI FakeZipDllExec(TZipAddBlock* block) {
    ++Script->AddCalls;
    Script->Add = *block;
    Script->AddZipName = block->ZipName;
    Script->AddPassword = block->Password;
    Script->AddSpecs.clear();
    for (int i = 0; i < block->SpecCount; ++i) {
        Script->AddSpecs.push_back(block->Specs[i]);
        if (CallerSpecs && i < int(CallerSpecs->size()) && block->Specs[i] == (*CallerSpecs)[i].c_str())
            Script->SpecsWereCopies = false;
    }
    if (Script->DuringCall) Script->DuringCall();
    RunCallbacks(block->Callback, block->Caller);
    return Script->Result;
}

int32_t QM_ZIPAPI FakeUnzDllExec(TUnzipBlock* block) {
    ++Script->ExtractCalls;
    Script->Extract = *block;
    Script->ExtractZipName = block->ZipName;
    if (Script->DuringCall) Script->DuringCall();
    RunCallbacks(block->Callback, block->Caller);
    return Script->Result;
}

int32_t QM_ZIPAPI FakeVersion() { return kZipDllVersion; }

std::string Le16(unsigned value) { return std::string{char(value & 0xFF), char(value >> 8 & 0xFF)}; }
std::string Le32(uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }
std::string StoredEntry(const std::string& name, const std::string& data) {
    return "PK\x03\x04" + Le16(20) + Le16(0) + Le16(0) + Le16(0) + Le16(0) + Le32(0) + Le32(uint32_t(data.size())) +
           Le32(uint32_t(data.size())) + Le16(unsigned(name.size())) + Le16(0) + name + data;
}
std::string Tail() { return "PK\x01\x02" + std::string(42, '\0') + "PK\x05\x06" + std::string(18, '\0'); }

const std::string kProgramFolder = "C:\\Program Files\\Quarrymap";
const std::string kZipDll = kProgramFolder + "\\ZIPDLL.DLL";
const std::string kUnzDll = kProgramFolder + "\\UNZDLL.DLL";

class ZipMasterTest : public testing::Test {
protected:
    ZipMasterTest() {
        Script = &TheScript;
        TheScript.Libraries = &Libraries;
        Libraries.Libraries[kZipDll] = {{"ZipDllExec", reinterpret_cast<void*>(&FakeZipDllExec)},
                                        {"GetZipDllVersion", reinterpret_cast<void*>(&FakeVersion)}};
        Libraries.Libraries[kUnzDll] = {{"UnzDllExec", reinterpret_cast<void*>(&FakeUnzDllExec)},
                                        {"GetUnzDllVersion", reinterpret_cast<void*>(&FakeVersion)}};
        Zip.SetDLLDirectory(kProgramFolder);
        Zip.OnProgress = [this](TZipMaster&, TZipProgressKind kind, uint32_t size, const std::string& name) {
            Events.push_back("progress " + std::to_string(int(kind)) + " " + std::to_string(size) + " " + name);
        };
        Zip.OnMessage = [this](TZipMaster&, int32_t code, const std::string& text) {
            Events.push_back("message " + std::to_string(code) + " [" + text + "]");
        };
    }
    ~ZipMasterTest() override {
        Script = nullptr;
        CallerSpecs = nullptr;
    }

    // An archive both on the fake disk and readable as bytes.
    void PutArchive(const std::string& path, const std::string& bytes) {
        Files.AddFile(path, int64_t(bytes.size()));
        Streams.Files[path] = bytes;
    }
    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : Boxes.Shown) texts.push_back(shown.Text);
        return texts;
    }

    TLibraryScript TheScript;
    TFakeDynamicLibraries Libraries;
    TMemoryFileSystem Files;
    TMemoryByteStreamFiles Streams;
    TFakeCurrentDirectory CurrentDirectory;
    TScriptedMessageBoxes Boxes;
    TZipMaster Zip{TZipMasterServices{Libraries, Files, Streams, CurrentDirectory, Boxes}};
    std::vector<std::string> Events;
};

}  // namespace

TEST_F(ZipMasterTest, AnAddNeedsFileSpecificationsAndAZipFileName) {
    Zip.SetZipFilename("C:\\Archives Bin\\C1234567.ZIP");
    Zip.Add();
    Zip.FSpecArgs = {"Data\\*.*"};
    Zip.SetZipFilename("");
    Zip.Add();
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"Error - no files to zip", "Error - no zip file specified"}));
    EXPECT_TRUE(Libraries.LoadAttempts.empty());
    EXPECT_EQ(Boxes.Shown[0].Caption, kProductName);
}

TEST_F(ZipMasterTest, TheAddBlockCarriesTheOptionsAsFlagsAndCopiesOfTheTexts) {
    Zip.FSpecArgs = {"Data\\*.*", "Other\\a?.txt"};
    CallerSpecs = &Zip.FSpecArgs;
    Zip.SetZipFilename("C:\\Archives Bin\\C00ABCDEF.ZIP");
    Zip.AddOptions = AddRecurseDirs | AddMove | AddFreshen | AddUpdate | AddHiddenFiles | AddEncrypt;
    Zip.AddCompLevel = 6;
    Zip.Trace = true;
    int owner = 0;
    Zip.OwnerWindow = &owner;
    Zip.Add();

    ASSERT_EQ(TheScript.AddCalls, 1);
    const TZipAddBlock& b = TheScript.Add;
    EXPECT_EQ(b.OwnerWindow, &owner);
    EXPECT_EQ(b.Caller, &Zip);
    EXPECT_EQ(b.Version, 140);
    EXPECT_NE(b.Callback, nullptr);
    EXPECT_EQ(b.Trace, -1);
    EXPECT_EQ(b.Verbose, -1);  // trace turns verbose on
    EXPECT_EQ(b.Encrypt, -1);
    EXPECT_EQ(b.HiddenFiles, -1);
    EXPECT_EQ(b.Level, 6);
    EXPECT_EQ(b.NoFolderNames, -1);  // AddDirNames not set
    EXPECT_EQ(b.Recurse, -1);
    EXPECT_EQ(b.DosNames, 0);
    EXPECT_EQ(b.Move, -1);
    EXPECT_EQ(b.Update, -1);
    EXPECT_EQ(b.Freshen, 0);  // update wins over freshen
    EXPECT_EQ(b.TimeFromNewest, 0);
    EXPECT_EQ(b.Fixed1, -1);
    EXPECT_EQ(b.Fixed2, -1);
    EXPECT_EQ(b.Fixed3, -1);
    EXPECT_EQ(b.Unused1 | b.Unused2 | b.Unused3 | b.Unused4 | b.Unused5 | b.Unused6 | b.Unused7 | b.Unused8, 0);
    EXPECT_EQ(b.Zero[0] | b.Zero[1], 0);
    EXPECT_EQ(b.Seven, 7);
    EXPECT_EQ(b.SpecCount, 2);
    EXPECT_EQ(TheScript.AddSpecs, (std::vector<std::string>{"Data\\*.*", "Other\\a?.txt"}));
    EXPECT_TRUE(TheScript.SpecsWereCopies);
    EXPECT_EQ(TheScript.AddZipName, "C:\\Archives Bin\\C00ABCDEF.ZIP");
    EXPECT_EQ(TheScript.AddPassword, "");  // the library asks for one itself
    // After the call: specifications cleared, library unloaded.
    EXPECT_TRUE(Zip.FSpecArgs.empty());
    EXPECT_EQ(Libraries.Loaded, 0);
}

TEST_F(ZipMasterTest, FolderNamesDosNamesAndZipTimeAreFlagsToo) {
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    Zip.AddOptions = AddDirNames | AddForceDOS | AddZipTime | AddFreshen;
    Zip.SetPassword("secret");
    Zip.Add();
    EXPECT_EQ(TheScript.Add.NoFolderNames, 0);
    EXPECT_EQ(TheScript.Add.DosNames, -1);
    EXPECT_EQ(TheScript.Add.TimeFromNewest, -1);
    EXPECT_EQ(TheScript.Add.Freshen, -1);
    EXPECT_EQ(TheScript.Add.Verbose, 0);
    EXPECT_EQ(TheScript.Add.Level, 9);
    EXPECT_EQ(TheScript.AddPassword, "secret");
}

TEST_F(ZipMasterTest, OnlyTheFirst4097SpecificationsFitTheBlock) {
    for (int i = 0; i < 5000; ++i) Zip.FSpecArgs.push_back("f" + std::to_string(i));
    Zip.SetZipFilename("C:\\a.zip");
    Zip.Add();
    ASSERT_EQ(TheScript.AddSpecs.size(), 4097u);
    EXPECT_EQ(TheScript.AddSpecs.back(), "f4096");
}

TEST_F(ZipMasterTest, TheLibrariesAreLoadedOnlyByTheirFullPathInDllDirectory) {
    // A library of the same name that a search would find is never asked for.
    Libraries.Libraries["ZIPDLL.DLL"] = Libraries.Libraries[kZipDll];
    Zip.SetDLLDirectory("D:\\Tools\\");
    EXPECT_EQ(Zip.DLLDirectory(), "D:\\Tools");
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    Zip.Add();
    Libraries.Libraries["D:\\Tools\\ZIPDLL.DLL"] = Libraries.Libraries[kZipDll];
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    Zip.SetDLLDirectory("");
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    EXPECT_EQ(Libraries.LoadAttempts, (std::vector<std::string>{"D:\\Tools\\ZIPDLL.DLL", "D:\\Tools\\ZIPDLL.DLL"}));
    EXPECT_EQ(TheScript.AddCalls, 1);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"D:\\Tools\\ZIPDLL.DLL not found", "ZIPDLL.DLL not found"}));
}

TEST_F(ZipMasterTest, AMissingLibraryOrEntryPointIsReportedAndNothingIsCalled) {
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    PutArchive("C:\\a.zip", StoredEntry("a", "1") + Tail());
    Libraries.Libraries.erase(kZipDll);
    Zip.Add();
    Libraries.Libraries[kZipDll] = {{"GetZipDllVersion", reinterpret_cast<void*>(&FakeVersion)}};
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    Libraries.Libraries[kZipDll] = {{"ZipDllExec", reinterpret_cast<void*>(&FakeZipDllExec)}};
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    Libraries.Libraries.erase(kUnzDll);
    Zip.Extract();
    Libraries.Libraries[kUnzDll] = {{"GetUnzDllVersion", reinterpret_cast<void*>(&FakeVersion)}};
    Zip.Extract();
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"C:\\Program Files\\Quarrymap\\ZIPDLL.DLL not found",
                                                      "ZipDllExec function not found in ZIPDLL.DLL",
                                                      "GetZipDllVersion function not found in ZIPDLL.DLL",
                                                      "C:\\Program Files\\Quarrymap\\UNZDLL.DLL not found",
                                                      "UnzDllExec function not found in UNZDLL.DLL"}));
    EXPECT_EQ(TheScript.AddCalls + TheScript.ExtractCalls, 0);
    EXPECT_EQ(Libraries.Loaded, 0);
    EXPECT_TRUE(Zip.FSpecArgs.empty());
}

TEST_F(ZipMasterTest, AFaultInsideTheLibraryBecomesAMessageAndTheLibraryStaysLoaded) {
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    TheScript.Result = 5;
    Zip.Add();
    EXPECT_EQ(Zip.SuccessCnt(), 5);
    EXPECT_EQ(Libraries.Loaded, 0);
    Libraries.FaultCalls = true;
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Fatal DLL Error: abort exception"});
    EXPECT_EQ(Zip.SuccessCnt(), 0);
    EXPECT_TRUE(Zip.FSpecArgs.empty());
    // Its threads may still run its code: it is never unloaded.
    EXPECT_EQ(Libraries.Loaded, 1);
    EXPECT_EQ(Libraries.Kept, 1);
    // The adapter is usable again afterwards, and unloads what did not fault.
    Libraries.FaultCalls = false;
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    EXPECT_EQ(Zip.SuccessCnt(), 5);
    EXPECT_EQ(Libraries.Loaded, 1);
    EXPECT_EQ(Libraries.Kept, 1);
}

TEST_F(ZipMasterTest, TheFaultGuardIsOffWhileTheLibraryCallsBackIntoTheProgram) {
    TheScript.Calls = {{1, 0, 10, "a"}, {2, 0, 0, ""}, {4, 0, 0, "done"}};
    std::vector<bool> armedInEvents;
    Zip.OnProgress = [&](TZipMaster&, TZipProgressKind, uint32_t, const std::string&) {
        armedInEvents.push_back(Libraries.Armed);
    };
    Zip.OnMessage = [&](TZipMaster&, int32_t, const std::string&) { armedInEvents.push_back(Libraries.Armed); };
    TheScript.DuringCall = [&] { armedInEvents.push_back(Libraries.Armed); };
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    Zip.Add();
    // Armed while the library's own code runs, off in each event, armed again after each.
    EXPECT_EQ(armedInEvents, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(TheScript.ArmedAfterCallbacks, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(Libraries.Armed);
}

TEST_F(ZipMasterTest, CallbacksBecomeProgressAndMessageEvents) {
    TheScript.Calls = {{1, 0, 70000, "Data/a.txt"},
                       {2, 0, 0, ""},
                       {3, 0, 0, ""},
                       {4, 0, 0, "  adding: a.txt\r\n"},
                       {5, 11, 0, "Could not read b.txt\n\r\n"},
                       {0, 0, 0, "ignored"}};
    TheScript.Result = 1;
    Zip.FSpecArgs = {"Data\\*.*"};
    Zip.SetZipFilename("C:\\a.zip");
    Zip.Add();
    EXPECT_EQ(Events, (std::vector<std::string>{"progress 0 70000 Data/a.txt", "progress 1 0 ", "progress 2 0 ",
                                                "message 0 [  adding: a.txt]", "message 11 [Could not read b.txt\n]"}));
    EXPECT_EQ(TheScript.CallbackAnswers, (std::vector<int32_t>(6, 0)));
}

TEST_F(ZipMasterTest, TheCancelFlagStopsTheLibraryAtItsNextCallback) {
    TheScript.Calls = {{1, 0, 10, "a"}, {2, 0, 0, ""}, {1, 0, 10, "b"}};
    Zip.OnProgress = [](TZipMaster& zip, TZipProgressKind kind, uint32_t, const std::string&) {
        if (kind == TZipProgressKind::Step) zip.Cancel = true;
    };
    Zip.Cancel = true;  // left from an earlier call: a new call starts afresh
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    Zip.Add();
    EXPECT_EQ(TheScript.CallbackAnswers, (std::vector<int32_t>{0, kZipCallbackStop}));
}

TEST_F(ZipMasterTest, ASecondCallWhileOneRunsIsIgnored) {
    TheScript.DuringCall = [this] {
        Zip.FSpecArgs = {"again"};
        Zip.Add();
        Zip.Extract();
    };
    PutArchive("C:\\a.zip", StoredEntry("a", "1") + Tail());
    Zip.SetZipFilename("C:\\a.zip");
    Zip.FSpecArgs = {"x"};
    Zip.Add();
    EXPECT_EQ(TheScript.AddCalls, 1);
    EXPECT_EQ(TheScript.ExtractCalls, 1);  // an extract may run inside an add, not a second add
}

TEST_F(ZipMasterTest, AnEventsExceptionStopsTheLibraryAndReachesTheCallerAfterCleanUp) {
    TheScript.Calls = {{1, 0, 1, "a"}, {1, 0, 1, "b"}};
    Zip.OnProgress = [](TZipMaster&, TZipProgressKind, uint32_t, const std::string&) {
        throw std::runtime_error("dialog gone");
    };
    Zip.FSpecArgs = {"x"};
    Zip.SetZipFilename("C:\\a.zip");
    EXPECT_THROW(Zip.Add(), std::runtime_error);
    EXPECT_EQ(TheScript.CallbackAnswers, std::vector<int32_t>{kZipCallbackStop});
    EXPECT_EQ(Libraries.Loaded, 0);
    EXPECT_TRUE(Zip.FSpecArgs.empty());
    Zip.FSpecArgs = {"x"};
    Zip.OnProgress = nullptr;
    Zip.Add();
    EXPECT_EQ(TheScript.AddCalls, 2);
}

TEST_F(ZipMasterTest, ASuccessfulAddReadsTheNewArchivesEntries) {
    Zip.SetZipFilename("C:\\new.zip");
    EXPECT_TRUE(Zip.ZipContents().empty());
    TheScript.DuringCall = [this] {
        PutArchive("C:\\new.zip", StoredEntry("d/a", "12") + StoredEntry("d/b", "") + Tail());
    };
    TheScript.Result = 2;
    Zip.FSpecArgs = {"d\\*.*"};
    Zip.Add();
    ASSERT_EQ(Zip.ZipContents().size(), 2u);
    EXPECT_EQ(Zip.ZipContents()[0].Name, "d/a");
    EXPECT_EQ(Zip.ZipContents()[0].UncompressedSize, 2u);
}

TEST_F(ZipMasterTest, TheExtractBlockAndTheBaseFolder) {
    Zip.SetZipFilename("C:\\gone.zip");
    Zip.Extract();
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Error - no zip file specified"});

    PutArchive("C:\\Archives Bin\\C1.ZIP", StoredEntry("Docs/a", "1") + Tail());
    CurrentDirectory.AddFolder("D:\\Restore");
    Zip.SetZipFilename("C:\\Archives Bin\\C1.ZIP");
    Zip.ExtrBaseDir = "D:\\Restore";
    Zip.ExtrOptions = ExtrDirNames | ExtrOverWrite | ExtrFreshen;
    Zip.Extract();
    ASSERT_EQ(TheScript.ExtractCalls, 1);
    EXPECT_EQ(CurrentDirectory.Current, "D:\\Restore");
    const TUnzipBlock& b = TheScript.Extract;
    EXPECT_EQ(b.Caller, &Zip);
    EXPECT_EQ(b.Version, 140);
    EXPECT_EQ(b.TestOnly, 0);
    EXPECT_EQ(b.Fixed1, -1);
    EXPECT_EQ(b.Update, 0);
    EXPECT_EQ(b.Freshen, -1);
    EXPECT_EQ(b.FolderNames, -1);
    EXPECT_EQ(b.Overwrite, -1);
    EXPECT_EQ(b.SpecCount, 0);  // all entries
    EXPECT_EQ(b.Seven, 7);
    EXPECT_EQ(b.Unused1 | b.Unused2 | b.Unused3, 0);
    EXPECT_EQ(TheScript.ExtractZipName, "C:\\Archives Bin\\C1.ZIP");

    // A base folder that cannot be entered stops the extract: the library
    // would write into whatever folder is current.
    Zip.ExtrBaseDir = "D:\\Missing";
    Zip.Extract();
    EXPECT_EQ(TheScript.ExtractCalls, 1);
    EXPECT_EQ(CurrentDirectory.Current, "D:\\Restore");
    EXPECT_EQ(ShownTexts().back(), "Error - the folder D:\\Missing cannot be opened; nothing was extracted");

    Zip.ExtrOptions = ExtrTest | ExtrUpdate | ExtrFreshen;
    Zip.ExtrBaseDir = "D:\\Restore";
    Zip.Extract();
    EXPECT_EQ(TheScript.ExtractCalls, 2);
    EXPECT_EQ(TheScript.Extract.TestOnly, -1);
    EXPECT_EQ(TheScript.Extract.Update, -1);
    EXPECT_EQ(TheScript.Extract.Freshen, 0);
}

TEST_F(ZipMasterTest, ReadingTheEntryListShowsOrKeepsItsProblems) {
    PutArchive("C:\\junk.zip", std::string(100, 'z'));
    EXPECT_TRUE(Zip.SetZipFilename("C:\\junk.zip"));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"No valid zip entries found"});

    PutArchive("C:\\cut.zip", StoredEntry("a", "1") + StoredEntry("b", std::string(50, 'x')).substr(0, 40));
    EXPECT_FALSE(Zip.SetZipFilename("C:\\cut.zip"));
    EXPECT_EQ(Zip.ListError(), "Error 3 reading Zip file");
    ASSERT_EQ(Zip.ZipContents().size(), 1u);

    // A self-extractor is searched from byte 14000 on, whatever the letter case.
    const std::string archive = StoredEntry("early", "1") + std::string(14000, 'z') + StoredEntry("late", "2") + Tail();
    PutArchive("C:\\setup.Exe", archive);
    EXPECT_TRUE(Zip.SetZipFilename("C:\\setup.Exe"));
    ASSERT_EQ(Zip.ZipContents().size(), 1u);
    EXPECT_EQ(Zip.ZipContents()[0].Name, "late");
    EXPECT_TRUE(Zip.ListError().empty());

    EXPECT_TRUE(Zip.SetZipFilename("C:\\not-there.zip"));
    EXPECT_TRUE(Zip.ZipContents().empty());
    EXPECT_EQ(Boxes.Shown.size(), 1u);
}

TEST_F(ZipMasterTest, ThePasswordKeepsAtMostEightyCharacters) {
    Zip.SetPassword(std::string(100, 'p'));
    EXPECT_EQ(Zip.Password(), std::string(80, 'p'));
    std::string accented;
    for (int i = 0; i < 90; ++i) accented += "\xC3\xA9";  // é
    Zip.SetPassword(accented);
    EXPECT_EQ(Zip.Password(), accented.substr(0, 160));
}
