// ZIPDLL.DLL called the way the adapter calls it, on real folders; its
// archives are judged by Linux's unzip and Python's zipfile.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ZipDllAddSupport.h"

namespace {

std::string TextOf(size_t size, unsigned seed = 1) {
    static const char* const kWords[] = {"quarry ", "map ", "folder ", "drive\r\n", "size ", "2000 ", "archive "};
    std::string out;
    uint32_t state = seed * 2654435761u + 7;
    while (out.size() < size) {
        state = state * 1103515245u + 12345u;
        out += kWords[(state >> 16) % 7];
    }
    out.resize(size);
    return out;
}

std::string RandomOf(size_t size, unsigned seed = 3) {
    std::string out(size, '\0');
    uint32_t state = seed | 1;
    for (char& c : out) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = char(state >> 8);
    }
    return out;
}

std::string HexPrefix(const std::string& bytes) {
    static const char* const kDigits = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < bytes.size() && i < 32; ++i) {
        hex.push_back(kDigits[(unsigned char)bytes[i] >> 4]);
        hex.push_back(kDigits[(unsigned char)bytes[i] & 15]);
    }
    return hex;
}

FILETIME TimeOf(int year) {
    SYSTEMTIME parts = {};
    parts.wYear = WORD(year);
    parts.wMonth = 6;
    parts.wDay = 1;
    parts.wHour = 12;
    FILETIME time;
    SystemTimeToFileTime(&parts, &time);
    return time;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

class ZipDllAddTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        Root = std::wstring(temp) + L"ZipDllAdd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
        RemoveTree(Root);
        ASSERT_TRUE(CreateDirectoryW(Root.c_str(), nullptr));
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        Saved = current;
        ASSERT_TRUE(SetCurrentDirectoryW(Root.c_str()));
        ASSERT_NE(nullptr, Dll.Module) << "ZIPDLL.DLL beside the program";
        ASSERT_NE(nullptr, Dll.Exec);
    }
    void TearDown() override {
        SetCurrentDirectoryW(Saved.c_str());
        RemoveTree(Root);
    }

    std::wstring At(const std::string& relative) const { return Root + L"\\" + Widen(relative); }
    void Folder(const std::string& relative, DWORD attributes = 0) {
        ASSERT_TRUE(CreateDirectoryW(At(relative).c_str(), nullptr)) << relative;
        if (attributes) SetFileAttributesW(At(relative).c_str(), attributes);
    }
    void File(const std::string& relative, const std::string& contents, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        HANDLE file = CreateFileW(At(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << relative;
        DWORD written = 0;
        ASSERT_TRUE(contents.empty() || WriteFile(file, contents.data(), DWORD(contents.size()), &written, nullptr));
        CloseHandle(file);
        Contents[relative] = contents;
    }
    void SetTime(const std::string& relative, const FILETIME& time) {
        HANDLE file = CreateFileW(At(relative).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
    }
    bool Exists(const std::string& relative) const {
        return GetFileAttributesW(At(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    int32_t Add(TZipAddCall& call) { return Dll.Exec(call.Get()); }

    // The tree of the round trips: text, random and empty files, empty
    // folders, a long and a non-ASCII name, hidden and system entries.
    void MakeTree() {
        Folder("Data");
        File("Data\\readme.txt", TextOf(100000));
        File("Data\\empty.txt", "");
        Folder("Data\\Sub");
        File("Data\\Sub\\noise.bin", RandomOf(300000));
        Folder("Data\\Sub\\Deeper");
        File("Data\\Sub\\Deeper\\" + LongName(), TextOf(5000, 2));
        Folder(u8"Data\\Ünïcödé Ordner ✓");
        File(u8"Data\\Ünïcödé Ordner ✓\\Жёлтый файл.txt", TextOf(70000, 3));
        Folder("Data\\Empty folder");
        Folder("Data\\Sub\\Empty too");
        File("Data\\hidden.txt", TextOf(1000, 4), FILE_ATTRIBUTE_HIDDEN);
        File("Data\\system.dat", "0123456789", FILE_ATTRIBUTE_SYSTEM);
        Folder("Data\\Hidden folder", FILE_ATTRIBUTE_HIDDEN);
        File("Data\\Hidden folder\\inside.txt", "inside");
    }
    static std::string LongName() { return std::string(110, 'L') + " a rather long file name.txt"; }
    static std::vector<std::string> VisibleFiles() {
        return {"Data/readme.txt", "Data/empty.txt", "Data/Sub/noise.bin", "Data/Sub/Deeper/" + LongName(),
                u8"Data/Ünïcödé Ordner ✓/Жёлтый файл.txt"};
    }

    // unzip -t passes, and Python reads every entry whole with the sizes
    // and first bytes of the files; returns the names Python saw.
    std::set<std::string> CheckWithTools(const std::string& zip, const std::string& password = "") {
        std::set<std::string> names;
        const std::string unixZip = UnixPathOf(At(zip));
        EXPECT_FALSE(unixZip.empty()) << "the Linux tools are reached through Wine";
        if (unixZip.empty()) return names;
        const std::string pass = password.empty() ? "" : " -P '" + password + "'";
        const TUnixRun unzip = RunUnixShell("/usr/bin/unzip -t" + pass + " '" + unixZip + "'", At("tool"));
        EXPECT_TRUE(unzip.Ran);
        EXPECT_EQ(0, unzip.ExitCode) << unzip.Output;
        EXPECT_NE(std::string::npos, unzip.Output.find("No errors detected")) << unzip.Output;
        const TPythonListing listing = ListWithPython(At(zip), At("tool"), password);
        EXPECT_TRUE(listing.Ran);
        EXPECT_TRUE(listing.Complete) << listing.Output;
        for (const TPythonEntry& entry : listing.Entries) {
            names.insert(entry.Name);
            EXPECT_EQ(entry.Size, entry.ReadSize) << entry.Name;
            std::string relative = entry.Name;
            std::replace(relative.begin(), relative.end(), '/', '\\');
            const auto known = Contents.find(relative);
            if (known == Contents.end()) continue;
            EXPECT_EQ(known->second.size(), entry.Size) << entry.Name;
            EXPECT_EQ(HexPrefix(known->second), entry.Contents) << entry.Name;
        }
        return names;
    }

    TZipDllLibrary Dll;
    TZipCallbackLog Log;
    std::wstring Root, Saved;
    std::map<std::string, std::string> Contents;  // what each file made here holds
};

class ZipDllAddTree : public ZipDllAddTest {};
class ZipDllAddStop : public ZipDllAddTest {};
class ZipDllAddMove : public ZipDllAddTest {};
class ZipDllAddExisting : public ZipDllAddTest {};
class ZipDllAddPassword : public ZipDllAddTest {};
class ZipDllAddOptions : public ZipDllAddTest {};

TEST_F(ZipDllAddTree, AddsTheVisibleTreeWithEmptyFoldersAndReportsEachFile) {
    MakeTree();
    TZipAddCall call("Tree.zip", {"Data\\*.*"}, Log);
    EXPECT_EQ(5, Add(call)) << Log.FailureTexts();
    EXPECT_TRUE(Log.Failures().empty()) << Log.FailureTexts();

    std::vector<std::string> begun = Log.FilesBegun(), expected = VisibleFiles();
    std::sort(begun.begin(), begun.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, begun);
    // Each file: action 1 with its size, then one step per 32 KB; one end of batch last.
    std::string current;
    int steps = 0;
    auto checkSteps = [&] {
        if (current.empty()) return;
        std::string relative = current;
        std::replace(relative.begin(), relative.end(), '/', '\\');
        EXPECT_EQ(int(Contents[relative].size() / kZipStepBytes), steps) << current;
    };
    for (const TZipCall& c : Log.Calls) {
        if (c.Action == kZipActionFileBegins) {
            checkSteps();
            current = c.Text;
            steps = 0;
            std::string relative = current;
            std::replace(relative.begin(), relative.end(), '/', '\\');
            EXPECT_EQ(Contents[relative].size(), c.FileSize) << current;
        } else if (c.Action == kZipActionStep) {
            ++steps;
        }
    }
    checkSteps();
    ASSERT_FALSE(Log.Calls.empty());
    EXPECT_EQ(kZipActionEndOfBatch, Log.Calls.back().Action);
    EXPECT_EQ(1, std::count_if(Log.Calls.begin(), Log.Calls.end(),
                               [](const TZipCall& c) { return c.Action == kZipActionEndOfBatch; }));

    const std::set<std::string> names = CheckWithTools("Tree.zip");
    std::set<std::string> wanted(expected.begin(), expected.end());
    wanted.insert("Data/Empty folder/");
    wanted.insert("Data/Sub/Empty too/");
    EXPECT_EQ(wanted, names);
}

TEST_F(ZipDllAddTree, HiddenAndSystemFilesOnlyWhenAsked) {
    MakeTree();
    TZipAddCall call("Tree.zip", {"Data\\*.*"}, Log);
    call.Block->HiddenFiles = kZipFlagTrue;
    EXPECT_EQ(8, Add(call)) << Log.FailureTexts();
    const std::set<std::string> names = CheckWithTools("Tree.zip");
    EXPECT_EQ(1u, names.count("Data/hidden.txt"));
    EXPECT_EQ(1u, names.count("Data/system.dat"));
    EXPECT_EQ(1u, names.count("Data/Hidden folder/inside.txt"));
}

TEST_F(ZipDllAddTree, WithoutFolderNamesOnlyTheFileNamesAreStored) {
    MakeTree();
    TZipAddCall call("Flat.zip", {"Data\\*.*"}, Log);
    call.Block->NoFolderNames = kZipFlagTrue;
    EXPECT_EQ(5, Add(call)) << Log.FailureTexts();
    for (const std::string& name : Log.FilesBegun()) EXPECT_EQ(std::string::npos, name.find('/')) << name;
    const std::set<std::string> names = CheckWithTools("Flat.zip");
    EXPECT_EQ(5u, names.size()) << "no folder entries";
}

TEST_F(ZipDllAddTree, PatternsLevelZeroAndNoRecursion) {
    MakeTree();
    TZipAddCall call("Txt.zip", {"Data\\*.TXT"}, Log);
    call.Block->Recurse = kZipFlagFalse;
    call.Block->Level = 0;
    EXPECT_EQ(2, Add(call)) << Log.FailureTexts();
    std::vector<std::string> begun = Log.FilesBegun();
    std::sort(begun.begin(), begun.end());
    EXPECT_EQ((std::vector<std::string>{"Data/empty.txt", "Data/readme.txt"}), begun);
    // Stored: the archive holds the text as it is.
    EXPECT_NE(std::string::npos, ReadWholeFile(At("Txt.zip")).find(Contents["Data\\readme.txt"].substr(0, 5000)));
    CheckWithTools("Txt.zip");
}

TEST_F(ZipDllAddTree, EightDotThreeNamesWhenAsked) {
    MakeTree();
    TZipAddCall call("Dos.zip", {"Data\\Sub\\*.*"}, Log);
    call.Block->DosNames = kZipFlagTrue;
    EXPECT_EQ(2, Add(call)) << Log.FailureTexts();
    bool shortened = false;
    for (const std::string& name : Log.FilesBegun()) {
        size_t start = 0;
        while (start <= name.size()) {
            size_t end = name.find('/', start);
            if (end == std::string::npos) end = name.size();
            EXPECT_LE(end - start, 12u) << name;
            start = end + 1;
        }
        shortened = shortened || name.find('~') != std::string::npos;
    }
    EXPECT_TRUE(shortened) << "the long name has a short form";
    CheckWithTools("Dos.zip");
}

TEST_F(ZipDllAddStop, StoppingInTheMiddleLeavesNoArchiveAndDeletesNothing) {
    MakeTree();
    File("Data\\big.bin", RandomOf(3 << 20, 11));
    TZipAddCall call("Stopped.zip", {"Data\\*.*"}, Log);
    call.Block->Move = kZipFlagTrue;
    Log.StopAtStep = 20;
    EXPECT_EQ(0, Add(call));
    EXPECT_FALSE(Exists("Stopped.zip"));
    for (const auto& file : Contents) EXPECT_TRUE(Exists(file.first)) << file.first;
    EXPECT_TRUE(Exists("Data\\Empty folder"));
    // No temporary file is left in the target folder.
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Root + L"\\*.tmp").c_str(), &data);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    const auto failures = Log.Failures();
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(int32_t(ERROR_CANCELLED), failures.back().ErrorCode);
    for (const TZipCall& c : Log.Calls) EXPECT_NE(kZipActionEndOfBatch, c.Action);
}

TEST_F(ZipDllAddStop, StoppingAnUpdateLeavesTheArchiveAsItWas) {
    MakeTree();
    TZipAddCall first("Kept.zip", {"Data\\*.*"}, Log);
    ASSERT_EQ(5, Add(first));
    const std::string before = ReadWholeFile(At("Kept.zip"));
    File("Data\\more.bin", RandomOf(500000, 5));
    TZipCallbackLog stopping;
    stopping.StopAtStep = 2;
    TZipAddCall second("Kept.zip", {"Data\\*.*"}, stopping);
    second.Block->Update = kZipFlagTrue;
    EXPECT_EQ(0, Add(second));
    EXPECT_EQ(before, ReadWholeFile(At("Kept.zip")));
}

TEST_F(ZipDllAddMove, MovedFilesAreDeletedOnlyOnceTheArchiveIsComplete) {
    MakeTree();
    TZipAddCall call("Moved.zip", {"Data\\*.*"}, Log);
    call.Block->Move = kZipFlagTrue;
    EXPECT_EQ(5, Add(call)) << Log.FailureTexts();
    EXPECT_TRUE(Log.Failures().empty()) << Log.FailureTexts();
    CheckWithTools("Moved.zip");
    for (const std::string& name : VisibleFiles()) {
        std::string relative = name;
        std::replace(relative.begin(), relative.end(), '/', '\\');
        EXPECT_FALSE(Exists(relative)) << relative;
    }
    EXPECT_FALSE(Exists("Data\\Sub")) << "emptied folders go too";
    EXPECT_FALSE(Exists("Data\\Empty folder")) << "it is in the archive";
    EXPECT_FALSE(Exists(u8"Data\\Ünïcödé Ordner ✓"));
    // What was not added stays, and so does the folder holding it.
    EXPECT_TRUE(Exists("Data\\hidden.txt"));
    EXPECT_TRUE(Exists("Data\\Hidden folder\\inside.txt"));
    EXPECT_TRUE(Exists("Data"));
}

TEST_F(ZipDllAddMove, AMovedFolderGoesWholeButNeverItsParent) {
    Folder("Data");
    Folder("Data\\A");
    File("Data\\A\\one.txt", TextOf(2000));
    Folder("Data\\B");
    TZipAddCall call("Whole.zip", {"Data\\*.*"}, Log);
    call.Block->Move = kZipFlagTrue;
    EXPECT_EQ(1, Add(call)) << Log.FailureTexts();
    EXPECT_FALSE(Exists("Data"));
    EXPECT_TRUE(Exists("Whole.zip"));
    const std::set<std::string> names = CheckWithTools("Whole.zip");
    EXPECT_EQ((std::set<std::string>{"Data/A/one.txt", "Data/B/"}), names);
}

TEST_F(ZipDllAddMove, UnreadableAndChangingFilesAreReportedAndKept) {
    Folder("Data");
    File("Data\\fine.txt", TextOf(3000));
    File("Data\\locked.txt", TextOf(3000, 2));
    // Larger than what the library reads whole, so it is read while the steps are reported.
    File("Data\\growing.bin", RandomOf(9 << 20, 8));
    // Held open without sharing: the library cannot read it.
    HANDLE locked = CreateFileW(At("Data\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    Log.OnStep = [&](int) {
        if (Log.FilesBegun().back() != "Data/growing.bin") return;
        HANDLE file =
            CreateFileW(At("Data\\growing.bin").c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, "more", 4, &written, nullptr);
            CloseHandle(file);
        }
    };
    TZipAddCall call("Partial.zip", {"Data\\*.*"}, Log);
    call.Block->Move = kZipFlagTrue;
    call.Block->Level = 1;
    EXPECT_EQ(2, Add(call)) << Log.FailureTexts();
    CloseHandle(locked);
    const auto failures = Log.Failures();
    ASSERT_EQ(2u, failures.size()) << Log.FailureTexts();
    const std::string texts = Log.FailureTexts();
    EXPECT_NE(std::string::npos, texts.find("locked.txt"));
    EXPECT_NE(std::string::npos, texts.find("growing.bin"));
    EXPECT_FALSE(Exists("Data\\fine.txt"));
    EXPECT_TRUE(Exists("Data\\locked.txt"));
    EXPECT_TRUE(Exists("Data\\growing.bin")) << "changed while read: not deleted";
    Contents.erase("Data\\growing.bin");
    const std::set<std::string> names = CheckWithTools("Partial.zip");
    EXPECT_EQ((std::set<std::string>{"Data/fine.txt", "Data/growing.bin"}), names);
}

TEST_F(ZipDllAddExisting, FreshenReplacesNewerFilesAndUpdateAddsNewOnes) {
    Folder("Data");
    File("Data\\a.txt", "one");
    File("Data\\b.txt", "bee");
    SetTime("Data\\a.txt", TimeOf(2020));
    SetTime("Data\\b.txt", TimeOf(2020));
    TZipAddCall first("Kept.zip", {"Data\\*.*"}, Log);
    ASSERT_EQ(2, Add(first));

    File("Data\\a.txt", "changed");
    SetTime("Data\\a.txt", TimeOf(2021));
    File("Data\\c.txt", "sea");
    TZipCallbackLog freshenLog;
    TZipAddCall freshen("Kept.zip", {"Data\\*.*"}, freshenLog);
    freshen.Block->Freshen = kZipFlagTrue;
    EXPECT_EQ(1, Add(freshen)) << freshenLog.FailureTexts();
    EXPECT_EQ(std::vector<std::string>{"Data/a.txt"}, freshenLog.FilesBegun());
    std::set<std::string> names = CheckWithTools("Kept.zip");
    EXPECT_EQ((std::set<std::string>{"Data/a.txt", "Data/b.txt"}), names);

    TZipCallbackLog updateLog;
    TZipAddCall update("Kept.zip", {"Data\\*.*"}, updateLog);
    update.Block->Update = kZipFlagTrue;
    EXPECT_EQ(1, Add(update)) << updateLog.FailureTexts();
    EXPECT_EQ(std::vector<std::string>{"Data/c.txt"}, updateLog.FilesBegun());
    names = CheckWithTools("Kept.zip");
    EXPECT_EQ((std::set<std::string>{"Data/a.txt", "Data/b.txt", "Data/c.txt"}), names);

    TZipCallbackLog againLog;
    TZipAddCall again("Kept.zip", {"Data\\*.*"}, againLog);
    EXPECT_EQ(3, Add(again)) << "a plain add replaces every entry";
    names = CheckWithTools("Kept.zip");
    EXPECT_EQ(3u, names.size()) << "replaced, not doubled";
}

TEST_F(ZipDllAddExisting, AnArchiveThatCannotBeReadIsLeftAlone) {
    Folder("Data");
    File("Data\\a.txt", "one");
    File("Broken.zip", "this is not an archive at all, and it has no end record");
    TZipAddCall call("Broken.zip", {"Data\\*.*"}, Log);
    EXPECT_EQ(0, Add(call));
    EXPECT_EQ(Contents["Broken.zip"], ReadWholeFile(At("Broken.zip")));
    ASSERT_FALSE(Log.Failures().empty());
    EXPECT_EQ(int32_t(ERROR_FILE_CORRUPT), Log.Failures().back().ErrorCode);
}

TEST_F(ZipDllAddExisting, AnArchiveWhoseEntriesShareBytesIsLeftAlone) {
    Folder("Data");
    File("Data\\a.txt", TextOf(5000));
    File("Data\\b.txt", TextOf(5000));
    SetTime("Data\\a.txt", TimeOf(2020));
    SetTime("Data\\b.txt", TimeOf(2020));
    TZipAddCall first("Shared.zip", {"Data\\*.*"}, Log);
    ASSERT_EQ(2, Add(first));
    // b's central header is made to name a's local header (the same bytes).
    std::string bytes = ReadWholeFile(At("Shared.zip"));
    const size_t firstHeader = bytes.find("PK\x01\x02");
    const size_t secondHeader = bytes.find("PK\x01\x02", firstHeader + 4);
    ASSERT_NE(std::string::npos, secondHeader);
    bytes.replace(secondHeader + 42, 4, bytes.substr(firstHeader + 42, 4));
    File("Shared.zip", bytes);

    File("Data\\c.txt", "new");
    TZipCallbackLog updateLog;
    TZipAddCall update("Shared.zip", {"Data\\*.*"}, updateLog);
    update.Block->Update = kZipFlagTrue;
    EXPECT_EQ(0, Add(update));
    EXPECT_TRUE(bytes == ReadWholeFile(At("Shared.zip")));
    ASSERT_EQ(1u, updateLog.Failures().size()) << updateLog.FailureTexts();
    EXPECT_EQ(int32_t(ERROR_FILE_CORRUPT), updateLog.Failures()[0].ErrorCode);
    EXPECT_NE(std::string::npos, updateLog.Failures()[0].Text.find("its entries Data/a.txt and Data/b.txt share bytes"))
        << updateLog.Failures()[0].Text;
}

TEST_F(ZipDllAddExisting, TheArchiveIsNeverAddedToItself) {
    Folder("Data");
    File("Data\\a.txt", TextOf(1000));
    TZipAddCall first("Data\\self.zip", {"Data\\*.*"}, Log);
    EXPECT_EQ(1, Add(first));
    TZipCallbackLog again;
    TZipAddCall second("Data\\self.zip", {"Data\\*.*"}, again);
    EXPECT_EQ(1, Add(second)) << again.FailureTexts();
    const std::set<std::string> names = CheckWithTools("Data\\self.zip");
    EXPECT_EQ(std::set<std::string>{"Data/a.txt"}, names);
}

TEST_F(ZipDllAddPassword, APasswordFromTheBlockEncryptsEveryFile) {
    MakeTree();
    TZipAddCall call("Secret.zip", {"Data\\*.*"}, Log);
    call.Block->Encrypt = kZipFlagTrue;
    call.Password = "geheim";
    EXPECT_EQ(5, Add(call)) << Log.FailureTexts();
    CheckWithTools("Secret.zip", "geheim");
    const TUnixRun wrong =
        RunUnixShell("/usr/bin/unzip -t -P wrong '" + UnixPathOf(At("Secret.zip")) + "'", At("tool"));
    EXPECT_TRUE(wrong.Ran);
    EXPECT_NE(0, wrong.ExitCode) << wrong.Output;
    // No plain text of the files in the archive.
    EXPECT_EQ(std::string::npos, ReadWholeFile(At("Secret.zip")).find(Contents["Data\\readme.txt"].substr(0, 200)));
}

TEST_F(ZipDllAddPassword, WithoutAPasswordTheLibraryAsksTwiceAndTheTwoMustMatch) {
    Folder("Data");
    File("Data\\a.txt", TextOf(50000));
    TZipAddCall call("Asked.zip", {"Data\\*.*"}, Log);
    call.Block->Encrypt = kZipFlagTrue;
    TPasswordAnswerer answerer({{L"first", L"other"}, {L"dialogpw", L"dialogpw"}}, false);
    const int32_t result = Add(call);
    answerer.Finish();
    EXPECT_TRUE(answerer.Found);
    ASSERT_EQ(1u, answerer.Notices.size());
    EXPECT_NE(std::wstring::npos, answerer.Notices[0].find(L"do not match"));
    EXPECT_EQ(1, result) << Log.FailureTexts();
    CheckWithTools("Asked.zip", "dialogpw");
}

TEST_F(ZipDllAddPassword, CancellingTheQuestionStopsTheAddWithAMessage) {
    Folder("Data");
    File("Data\\a.txt", "one");
    TZipAddCall call("Cancelled.zip", {"Data\\*.*"}, Log);
    call.Block->Encrypt = kZipFlagTrue;
    TPasswordAnswerer answerer({}, true);
    const int32_t result = Add(call);
    answerer.Finish();
    EXPECT_TRUE(answerer.Found);
    EXPECT_EQ(0, result);
    EXPECT_FALSE(Exists("Cancelled.zip"));
    ASSERT_EQ(1u, Log.Failures().size());
    EXPECT_EQ(int32_t(ERROR_CANCELLED), Log.Failures()[0].ErrorCode);
}

TEST_F(ZipDllAddOptions, MissingNamesAndSpecificationsAreReported) {
    TZipAddCall noSpecs("None.zip", {}, Log);
    EXPECT_EQ(0, Add(noSpecs));
    TZipAddCall noZip("", {"*.*"}, Log);
    EXPECT_EQ(0, Add(noZip));
    TZipAddCall nothing("None.zip", {"Nowhere\\*.txt"}, Log);
    EXPECT_EQ(0, Add(nothing));
    EXPECT_FALSE(Exists("None.zip"));
    const auto failures = Log.Failures();
    ASSERT_GE(failures.size(), 3u);
    EXPECT_EQ("Error - no files to zip", failures[0].Text);
    EXPECT_EQ("Error - no zip file specified", failures[1].Text);
    EXPECT_NE(std::string::npos, failures[2].Text.find("Nowhere")) << failures[2].Text;
}

TEST_F(ZipDllAddOptions, TheArchiveCanTakeTheNewestFilesTime) {
    Folder("Data");
    File("Data\\old.txt", "old");
    File("Data\\new.txt", "new");
    SetTime("Data\\old.txt", TimeOf(2001));
    SetTime("Data\\new.txt", TimeOf(2015));
    TZipAddCall call("Timed.zip", {"Data\\*.*"}, Log);
    call.Block->TimeFromNewest = kZipFlagTrue;
    ASSERT_EQ(2, Add(call));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(At("Timed.zip").c_str(), GetFileExInfoStandard, &data));
    const FILETIME expected = TimeOf(2015);
    EXPECT_EQ(expected.dwLowDateTime, data.ftLastWriteTime.dwLowDateTime);
    EXPECT_EQ(expected.dwHighDateTime, data.ftLastWriteTime.dwHighDateTime);
}

TEST_F(ZipDllAddOptions, AFolderByNameAndASingleFile) {
    MakeTree();
    TZipAddCall folder("Folder.zip", {"Data\\Sub"}, Log);
    EXPECT_EQ(2, Add(folder)) << Log.FailureTexts();
    std::vector<std::string> begun = Log.FilesBegun();
    std::sort(begun.begin(), begun.end());
    EXPECT_EQ((std::vector<std::string>{"Data/Sub/Deeper/" + LongName(), "Data/Sub/noise.bin"}), begun);
    EXPECT_EQ((std::set<std::string>{"Data/Sub/Deeper/" + LongName(), "Data/Sub/noise.bin", "Data/Sub/Empty too/"}),
              CheckWithTools("Folder.zip"));

    TZipCallbackLog single;
    TZipAddCall file("File.zip", {"Data\\Sub\\noise.bin"}, single);
    file.Block->NoFolderNames = kZipFlagTrue;
    EXPECT_EQ(1, Add(file)) << single.FailureTexts();
    EXPECT_EQ(std::vector<std::string>{"noise.bin"}, single.FilesBegun());
}

TEST_F(ZipDllAddOptions, TheVersionFunctionIsExported) {
    ASSERT_NE(nullptr, Dll.Version);
    EXPECT_EQ(kZipDllVersion, Dll.Version());
}

}  // namespace
