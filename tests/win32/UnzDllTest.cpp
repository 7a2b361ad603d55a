// UNZDLL.DLL on archives made by Linux zip and by Python: what it writes,
// what it reports, and the options that choose entries and replace files.
#include "UnzDllTestSupport.h"

#include <algorithm>

namespace {

class UnzDllExtractTest : public UnzDllFixture {
protected:
    // source\: a.txt, empty.txt, a non-ASCII name, sub\big.bin (200,000
    // bytes) and the empty folder sub\empty.
    void MakeSourceTree() {
        ASSERT_TRUE(WriteBytes(Source + "\\a.txt", "hello, archive\r\n"));
        ASSERT_TRUE(WriteBytes(Source + "\\empty.txt", ""));
        ASSERT_TRUE(WriteBytes(Source + "\\" + kAccented, "caf\xC3\xA9 au lait"));
        ASSERT_TRUE(MakeFolder(Source + "\\sub"));
        ASSERT_TRUE(MakeFolder(Source + "\\sub\\empty"));
        ASSERT_TRUE(WriteBytes(Source + "\\sub\\big.bin", Noisy(200000)));
    }

    static void ExpectSameTree(const TTree& expected, const TTree& got) {
        ASSERT_EQ(expected.size(), got.size());
        for (const auto& item : expected) {
            const auto found = got.find(item.first);
            ASSERT_NE(got.end(), found) << item.first;
            EXPECT_EQ(item.second.Folder, found->second.Folder) << item.first;
            EXPECT_TRUE(item.second.Contents == found->second.Contents) << item.first;
            if (!item.second.Folder) {
                // Linux zip keeps whole seconds.
                const uint64_t a = item.second.WriteTime, b = found->second.WriteTime;
                EXPECT_LT(a > b ? a - b : b - a, 10000000u) << item.first;
            }
        }
    }

    const std::string kAccented = "caf\xC3\xA9 \xE2\x82\xAC.txt";
};

TEST_F(UnzDllExtractTest, ExportsItsVersionAndRefusesNoBlock) {
    const auto version =
        reinterpret_cast<TZipDllVersionFunction>(reinterpret_cast<void*>(GetProcAddress(Library, "GetUnzDllVersion")));
    ASSERT_NE(nullptr, version);
    EXPECT_EQ(kZipDllVersion, version());
    EXPECT_EQ(0, Exec(nullptr));
}

TEST_F(UnzDllExtractTest, ExtractsWhatLinuxZipMade) {
    MakeSourceTree();
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -r ../plain.zip ."));
    EXPECT_EQ(4, Unzip("plain.zip"));
    ExpectSameTree(Snapshot(Source), Snapshot(Out));
    EXPECT_TRUE(Recorder.Failures().empty());

    std::vector<std::string> begun = Recorder.FilesBegun();
    std::sort(begun.begin(), begun.end());
    EXPECT_EQ((std::vector<std::string>{"a.txt", kAccented, "empty.txt", "sub/big.bin"}), begun);
    // The big file's begin, then one step per 32 KB: 200,000 bytes make 6.
    const auto& events = Recorder.Events;
    const auto big = std::find_if(events.begin(), events.end(), [](const TUnzEvent& e) {
        return e.Action == kZipActionFileBegins && e.Text == "sub/big.bin";
    });
    ASSERT_NE(events.end(), big);
    EXPECT_EQ(200000u, big->FileSize);
    int steps = 0;
    for (auto it = big + 1; it != events.end() && it->Action == kZipActionStep; ++it) ++steps;
    EXPECT_EQ(6, steps);
    EXPECT_EQ(6u, Recorder.Of(kZipActionStep).size());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(kZipActionEndOfBatch, events.back().Action);
    EXPECT_EQ(1u, Recorder.Of(kZipActionEndOfBatch).size());
}

TEST_F(UnzDllExtractTest, ExtractsStreamedArchivesWithDataDescriptors) {
    MakeSourceTree();
    // Written to a pipe, zip cannot go back to the headers: sizes and CRCs
    // follow the data, and stdin's data has a ZIP64 header.
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q - a.txt sub/big.bin | cat > ../streamed.zip"));
    ASSERT_EQ(0, Shell("/usr/bin/zip -q - - < source/sub/big.bin | cat > stdin.zip"));
    EXPECT_EQ(2, Unzip("streamed.zip"));
    EXPECT_EQ(ReadBytes(Source + "\\a.txt"), ReadBytes(Out + "\\a.txt"));
    EXPECT_TRUE(ReadBytes(Source + "\\sub\\big.bin") == ReadBytes(Out + "\\sub\\big.bin"));
    EXPECT_EQ(1, Unzip("stdin.zip"));
    EXPECT_TRUE(ReadBytes(Source + "\\sub\\big.bin") == ReadBytes(Out + "\\-"));
    EXPECT_TRUE(Recorder.Failures().empty());
}

TEST_F(UnzDllExtractTest, DropsFolderNamesWhenAsked) {
    MakeSourceTree();
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -r ../plain.zip ."));
    TUnzOptions options;
    options.FolderNames = false;
    EXPECT_EQ(4, Unzip("plain.zip", options));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "big.bin", kAccented, "empty.txt"}), OutItems());
}

TEST_F(UnzDllExtractTest, SpecificationsChooseTheEntries) {
    MakeSourceTree();
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -r ../plain.zip ."));
    TUnzOptions options;
    options.Specs = {"*.TXT"};
    EXPECT_EQ(3, Unzip("plain.zip", options));
    EXPECT_FALSE(PathIsThere(Out + "\\sub\\big.bin"));
    EXPECT_TRUE(PathIsThere(Out + "\\empty.txt"));

    options.Specs = {"sub\\b?g.*", "nothing*"};
    EXPECT_EQ(1, Unzip("plain.zip", options));
    EXPECT_TRUE(PathIsThere(Out + "\\sub\\big.bin"));

    Recorder = TUnzRecorder{};
    options.Specs = {"nothing*"};
    EXPECT_EQ(0, Unzip("plain.zip", options));
    ASSERT_EQ(1u, Recorder.Failures().size());
    EXPECT_EQ(0u, Recorder.Failures()[0].find("No files matched"));
}

TEST_F(UnzDllExtractTest, NamesTimesAndAttributesFromPython) {
    ASSERT_EQ(0, Python(R"(
import struct
def entry(name, data, attributes, when=(2001, 2, 3, 4, 5, 6), extra=b''):
    info = zipfile.ZipInfo(name, when)
    info.external_attr = attributes
    info.extra = extra
    info.compress_type = zipfile.ZIP_DEFLATED
    z.writestr(info, data)
ntfs = struct.pack('<HHIHHQQQ', 0x000A, 32, 0, 1, 24, 130000000000000000, 130000000100000000, 120000000000000000)
with zipfile.ZipFile('python.zip', 'w') as z:
    entry('d\u00e9j\u00e0/vu.txt', 'seen it', 0x20)
    entry('readonly.txt', 'keep me', 0x21)
    entry('hidden.txt', 'psst', 0x22)
    entry('ntfs.txt', 'precise', 0x20, extra=ntfs)
    entry('folder/', '', 0x10)
)"));
    EXPECT_EQ(4, Unzip("python.zip"));
    EXPECT_TRUE(Recorder.Failures().empty());
    EXPECT_EQ("seen it", ReadBytes(Out + "\\d\xC3\xA9j\xC3\xA0\\vu.txt"));
    EXPECT_TRUE(PathIsThere(Out + "\\folder"));

    const TTree tree = Snapshot(Out);
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_READONLY), tree.at("readonly.txt").Attributes);
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_HIDDEN), tree.at("hidden.txt").Attributes);
    EXPECT_EQ(0u, tree.at("ntfs.txt").Attributes);
    EXPECT_EQ(130000000000000000u, tree.at("ntfs.txt").WriteTime);

    // The DOS time is local time.
    SYSTEMTIME local = {2001, 2, 0, 3, 4, 5, 6, 0}, utc{};
    FILETIME expected{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &expected));
    EXPECT_EQ(uint64_t(expected.dwHighDateTime) << 32 | expected.dwLowDateTime, tree.at("readonly.txt").WriteTime);
}

class UnzDllReplaceTest : public UnzDllFixture {
protected:
    // The archive holds a.txt, b.txt and c.txt from today. In out\, a.txt is
    // older (2000), b.txt newer (2100), c.txt missing.
    void SetUp() override {
        UnzDllFixture::SetUp();
        ASSERT_TRUE(WriteBytes(Source + "\\a.txt", "archived a"));
        ASSERT_TRUE(WriteBytes(Source + "\\b.txt", "archived b"));
        ASSERT_TRUE(WriteBytes(Source + "\\c.txt", "archived c"));
        ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q ../abc.zip a.txt b.txt c.txt"));
        ASSERT_TRUE(WriteBytes(Out + "\\a.txt", "old a"));
        ASSERT_TRUE(WriteBytes(Out + "\\b.txt", "new b"));
        SetWriteTime(Out + "\\a.txt", 2000);
        SetWriteTime(Out + "\\b.txt", 2100);
    }

    static void SetWriteTime(const std::string& path, WORD year) {
        SYSTEMTIME when = {year, 6, 0, 1, 12, 0, 0, 0};
        FILETIME time{};
        SystemTimeToFileTime(&when, &time);
        TWin32Handle file(
            CreateFileW(Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file.IsValid());
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
    }

    std::string A() const { return ReadBytes(Out + "\\a.txt"); }
    std::string B() const { return ReadBytes(Out + "\\b.txt"); }
    std::string C() const { return ReadBytes(Out + "\\c.txt"); }
};

TEST_F(UnzDllReplaceTest, ExistingFilesStayWithoutOverwrite) {
    EXPECT_EQ(1, Unzip("abc.zip"));
    EXPECT_EQ("old a", A());
    EXPECT_EQ("new b", B());
    EXPECT_EQ("archived c", C());
    EXPECT_TRUE(Recorder.Failures().empty());
    EXPECT_EQ((std::vector<std::string>{"c.txt"}), Recorder.FilesBegun());
}

TEST_F(UnzDllReplaceTest, OverwriteReplacesEveryFile) {
    TUnzOptions options;
    options.Overwrite = true;
    EXPECT_EQ(3, Unzip("abc.zip", options));
    EXPECT_EQ("archived a", A());
    EXPECT_EQ("archived b", B());
    EXPECT_EQ("archived c", C());
}

TEST_F(UnzDllReplaceTest, FreshenReplacesOnlyOlderExistingFiles) {
    TUnzOptions options;
    options.Freshen = true;
    EXPECT_EQ(1, Unzip("abc.zip", options));
    EXPECT_EQ("archived a", A());
    EXPECT_EQ("new b", B());
    EXPECT_FALSE(PathIsThere(Out + "\\c.txt"));
}

TEST_F(UnzDllReplaceTest, UpdateAddsNewFilesAndReplacesOlderOnes) {
    TUnzOptions options;
    options.Update = true;
    EXPECT_EQ(2, Unzip("abc.zip", options));
    EXPECT_EQ("archived a", A());
    EXPECT_EQ("new b", B());
    EXPECT_EQ("archived c", C());
}

TEST_F(UnzDllReplaceTest, ReadOnlyAndHiddenFilesAreReplacedWhenOverwriting) {
    SetFileAttributesW(Widen(Out + "\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Widen(Out + "\\b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    TUnzOptions options;
    options.Overwrite = true;
    EXPECT_EQ(3, Unzip("abc.zip", options));
    EXPECT_EQ("archived a", A());
    EXPECT_EQ("archived b", B());
    const TTree tree = Snapshot(Out);
    EXPECT_EQ(0u, tree.at("a.txt").Attributes);  // the archive's attributes, not the replaced file's
    EXPECT_EQ(0u, tree.at("b.txt").Attributes);
}

TEST_F(UnzDllReplaceTest, TestOnlyWritesNothing) {
    TUnzOptions options;
    options.TestOnly = true;
    const TTree before = Snapshot(Out);
    EXPECT_EQ(3, Unzip("abc.zip", options));
    const TTree after = Snapshot(Out);
    ASSERT_EQ(before.size(), after.size());
    for (const auto& item : before) {
        EXPECT_EQ(item.second.Contents, after.at(item.first).Contents);
        EXPECT_EQ(item.second.WriteTime, after.at(item.first).WriteTime);
    }
    EXPECT_EQ(3u, Recorder.FilesBegun().size());
}

TEST_F(UnzDllReplaceTest, MissingArchiveIsReported) {
    EXPECT_EQ(0, Unzip("no such.zip"));
    const auto failures = Recorder.Of(kZipActionMessage);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(9, failures[0].ErrorCode);
    EXPECT_EQ(0u, failures[0].Text.find("Cannot open zip file "));
    EXPECT_EQ(kZipActionEndOfBatch, Recorder.Events.back().Action);
}

}  // namespace
