// UNZDLL.DLL on archives that must not do harm: names that reach outside,
// damaged data, wrong passwords, and a Stop in the middle. Nothing partial
// or wrong may be left, and no existing file may be lost.
#include "UnzDllTestSupport.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "zipdll/win32/common/PasswordPrompt.h"

namespace {

class UnzDllSafetyTest : public UnzDllFixture {
protected:
    // No temporary file is left anywhere under out\.
    void ExpectNoLeftovers() const {
        for (const std::string& name : OutItems()) {
            const std::string leaf = name.substr(name.find_last_of('\\') + 1);
            EXPECT_FALSE(leaf.rfind("~qm", 0) == 0) << name;
        }
    }

    static size_t FileCount(const TTree& tree) {
        return size_t(std::count_if(tree.begin(), tree.end(), [](const auto& item) { return !item.second.Folder; }));
    }
};

TEST_F(UnzDllSafetyTest, ZipSlipNamesWriteNothingOutside) {
    const DWORD driveItemBefore = GetFileAttributesW(L"C:\\x");
    ASSERT_EQ(0, Python(R"(
with zipfile.ZipFile('slip.zip', 'w') as z:
    for name in ['../evil', 'C:/x', 'CON', 'a/../../b', '/abs', '..\\win', 'sub/nul.txt', 'ok/fine.txt']:
        z.writestr(name, 'payload ' + name)
)"));
    const TTree workBefore = Snapshot(Work);
    EXPECT_EQ(1, Unzip("slip.zip"));
    EXPECT_EQ((std::vector<std::string>{"ok", "ok\\fine.txt"}), OutItems());
    EXPECT_EQ("payload ok/fine.txt", ReadBytes(Out + "\\ok\\fine.txt"));

    const std::vector<std::string> failures = Recorder.Failures();
    ASSERT_EQ(7u, failures.size());
    for (const std::string& text : failures) EXPECT_EQ(0u, text.find("Skipped ")) << text;
    EXPECT_EQ("Skipped ../evil: the name climbs out of the extraction folder with \"..\"", failures[0]);
    EXPECT_EQ("Skipped C:/x: the name carries a drive letter", failures[1]);
    EXPECT_EQ("Skipped CON: the name is a Windows device name", failures[2]);
    // Outside out\: nothing new in the work folder, on drive C: or above.
    TTree workAfter = Snapshot(Work);
    for (auto it = workAfter.begin(); it != workAfter.end();)
        it = it->first.rfind("out\\", 0) == 0 ? workAfter.erase(it) : std::next(it);
    for (auto it = workBefore.begin(); it != workBefore.end(); ++it) EXPECT_TRUE(workAfter.count(it->first));
    EXPECT_EQ(workBefore.size(), workAfter.size());
    EXPECT_EQ(driveItemBefore, GetFileAttributesW(L"C:\\x"));
    EXPECT_FALSE(PathIsThere(Work + "\\..\\evil"));
    EXPECT_FALSE(PathIsThere(Work + "\\b"));
}

TEST_F(UnzDllSafetyTest, CorruptedByteIsReportedAndNothingWrongIsLeft) {
    ASSERT_TRUE(WriteBytes(Source + "\\a.txt", std::string(3000, 'A') + "MARK" + std::string(3000, 'A')));
    ASSERT_TRUE(WriteBytes(Source + "\\b.txt", "b is fine"));
    ASSERT_TRUE(WriteBytes(Source + "\\c.bin", Noisy(50000)));
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -0 ../stored.zip a.txt b.txt && "
                       "/usr/bin/zip -q -9 ../deflated.zip c.bin b.txt"));
    // One byte of a.txt's stored data, and one in the middle of c.bin's deflate stream.
    ASSERT_EQ(0, Python(R"(
data = bytearray(open('stored.zip', 'rb').read())
data[data.index(b'MARK')] ^= 0x01
open('stored.zip', 'wb').write(data)
data = bytearray(open('deflated.zip', 'rb').read())
data[30 + len('c.bin') + 28 + 20000] ^= 0x55
open('deflated.zip', 'wb').write(data)
)"));
    // An older a.txt is in the way and may be overwritten: it must survive the failure.
    ASSERT_TRUE(WriteBytes(Out + "\\a.txt", "the previous a"));
    TUnzOptions options;
    options.Overwrite = true;
    EXPECT_EQ(1, Unzip("stored.zip", options));
    EXPECT_EQ("the previous a", ReadBytes(Out + "\\a.txt"));
    EXPECT_EQ("b is fine", ReadBytes(Out + "\\b.txt"));
    ASSERT_EQ(1u, Recorder.Failures().size());
    EXPECT_EQ("CRC error in file a.txt", Recorder.Failures()[0]);
    for (const TUnzEvent& e : Recorder.Of(kZipActionMessage))
        if (e.ErrorCode != 0) {
            EXPECT_EQ(2, e.ErrorCode);
        }

    Recorder = TUnzRecorder{};
    EXPECT_EQ(1, Unzip("deflated.zip", options));
    EXPECT_FALSE(PathIsThere(Out + "\\c.bin"));
    ASSERT_EQ(1u, Recorder.Failures().size());
    EXPECT_NE(std::string::npos, Recorder.Failures()[0].find("c.bin")) << Recorder.Failures()[0];
    ExpectNoLeftovers();

    // Testing finds the same faults and writes nothing.
    RemoveTree(Out);
    ASSERT_TRUE(MakeFolder(Out));
    Recorder = TUnzRecorder{};
    options.TestOnly = true;
    EXPECT_EQ(1, Unzip("stored.zip", options));
    EXPECT_EQ((std::vector<std::string>{"CRC error in file a.txt"}), Recorder.Failures());
    EXPECT_TRUE(OutItems().empty());
}

TEST_F(UnzDllSafetyTest, EncryptedArchivesNeedTheirPassword) {
    ASSERT_TRUE(WriteBytes(Source + "\\a.txt", "secret text"));
    ASSERT_TRUE(MakeFolder(Source + "\\sub"));
    ASSERT_TRUE(WriteBytes(Source + "\\sub\\big.bin", Noisy(100000)));
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(WriteBytes(Source + "\\sub\\f" + std::to_string(i), "more"));
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -r -P 'pass word' ../enc.zip a.txt sub && "
                       "/usr/bin/zip -q -P 'pass word' - a.txt | cat > ../enc-streamed.zip"));
    TUnzOptions options;
    options.Password = "wrong";
    EXPECT_EQ(0, Unzip("enc.zip", options));
    // A wrong password is said once and ends the run. (One wrong password in
    // 256 passes an entry's check byte, as zip's header is random; that
    // entry's data then fails its check instead, and the next one stops.)
    const std::vector<std::string> failures = Recorder.Failures();
    ASSERT_GE(failures.size(), 1u);
    EXPECT_LE(failures.size(), 3u);
    std::vector<std::string> passwordFailures;
    for (const TUnzEvent& e : Recorder.Of(kZipActionMessage)) {
        EXPECT_TRUE(e.ErrorCode == 82 || e.ErrorCode == 2) << e.Text;
        if (e.ErrorCode == 82) passwordFailures.push_back(e.Text);
    }
    ASSERT_EQ(1u, passwordFailures.size());
    EXPECT_EQ(0u, passwordFailures[0].find("Wrong password for file ")) << passwordFailures[0];
    EXPECT_NE(std::string::npos, passwordFailures[0].find("; nothing more was extracted")) << passwordFailures[0];
    EXPECT_EQ(passwordFailures[0], failures.back());
    EXPECT_EQ(failures.size(), Recorder.FilesBegun().size());
    EXPECT_EQ(0u, FileCount(Snapshot(Out)));
    ExpectNoLeftovers();

    Recorder = TUnzRecorder{};
    options.Password = "pass word";
    EXPECT_EQ(32, Unzip("enc.zip", options));
    EXPECT_EQ("secret text", ReadBytes(Out + "\\a.txt"));
    EXPECT_TRUE(ReadBytes(Source + "\\sub\\big.bin") == ReadBytes(Out + "\\sub\\big.bin"));
    EXPECT_TRUE(Recorder.Failures().empty());

    // Streamed, the check byte comes from the time instead of the CRC.
    RemoveTree(Out);
    ASSERT_TRUE(MakeFolder(Out));
    EXPECT_EQ(1, Unzip("enc-streamed.zip", options));
    EXPECT_EQ("secret text", ReadBytes(Out + "\\a.txt"));
}

// Answers the library's password dialog from a second thread, every time it
// appears, until destroyed: with a password, or with Cancel when it has none.
class TPasswordAnswerer {
public:
    explicit TPasswordAnswerer(std::wstring password) : Password(std::move(password)), Worker([this] { Run(); }) {}
    ~TPasswordAnswerer() {
        Done = true;
        Worker.join();
    }
    std::atomic<int> Shown{0};

private:
    void Run() {
        while (!Done) {
            Sleep(50);
            HWND dialog = FindWindowW(L"#32770", kZipPasswordCaption);
            DWORD process = 0;
            if (dialog) GetWindowThreadProcessId(dialog, &process);
            if (!dialog || process != GetCurrentProcessId() || !IsWindowVisible(dialog)) continue;
            ++Shown;
            if (Password.empty()) {
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            } else {
                SetDlgItemTextW(dialog, kZipPasswordFirstEdit, Password.c_str());
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            while (!Done && IsWindow(dialog)) Sleep(20);
        }
    }

    std::wstring Password;
    std::atomic<bool> Done{false};
    std::thread Worker;
};

TEST_F(UnzDllSafetyTest, WithoutAPasswordTheLibraryAsksOnce) {
    ASSERT_TRUE(WriteBytes(Source + "\\a.txt", "secret text"));
    ASSERT_TRUE(WriteBytes(Source + "\\b.txt", "more secret text"));
    ASSERT_TRUE(WriteBytes(Source + "\\plain.txt", "not secret"));
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q -P typed ../enc.zip a.txt b.txt && "
                       "/usr/bin/zip -q ../enc.zip plain.txt"));
    int shown = 0;
    int32_t result = 0;
    {
        TPasswordAnswerer answerer(L"typed");
        result = Unzip("enc.zip");
        shown = answerer.Shown;
    }
    EXPECT_EQ(3, result);
    EXPECT_EQ(1, shown);
    EXPECT_EQ("more secret text", ReadBytes(Out + "\\b.txt"));
    EXPECT_TRUE(Recorder.Failures().empty());

    RemoveTree(Out);
    ASSERT_TRUE(MakeFolder(Out));
    Recorder = TUnzRecorder{};
    {
        TPasswordAnswerer canceller(L"");
        result = Unzip("enc.zip");
        shown = canceller.Shown;
    }
    // Cancelled, the question is not asked again: the run ends with one message.
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, shown);
    EXPECT_TRUE(OutItems().empty());
    EXPECT_EQ((std::vector<std::string>{"No password given for the encrypted file a.txt; nothing more was extracted"}),
              Recorder.Failures());
    EXPECT_EQ(kZipActionEndOfBatch, Recorder.Events.back().Action);
}

TEST_F(UnzDllSafetyTest, AnArchiveWhoseEntriesShareBytesExtractsNothing) {
    // Two central headers name the same local header, as archives built to
    // expand far beyond their size do (here only twice, with equal data).
    ASSERT_EQ(0, Python(R"(
with zipfile.ZipFile('shared.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('a.txt', 'same payload ' * 1000)
    z.writestr('b.txt', 'same payload ' * 1000)
data = bytearray(open('shared.zip', 'rb').read())
first = data.index(b'PK\x01\x02')
second = data.index(b'PK\x01\x02', first + 4)
data[second + 42:second + 46] = data[first + 42:first + 46]
open('shared.zip', 'wb').write(data)
)"));
    EXPECT_EQ(0, Unzip("shared.zip"));
    EXPECT_TRUE(OutItems().empty());
    ASSERT_EQ(1u, Recorder.Failures().size());
    EXPECT_NE(std::string::npos, Recorder.Failures()[0].find(": its entries a.txt and b.txt share bytes"))
        << Recorder.Failures()[0];
    EXPECT_TRUE(Recorder.FilesBegun().empty());
}

TEST_F(UnzDllSafetyTest, NoEntryWritesMoreThanItsHeadersDeclare) {
    // One megabyte of zeros, whose local header then states a thousand bytes:
    // a program that totals the local headers would count only those.
    ASSERT_EQ(0, Python(R"(
with zipfile.ZipFile('local.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('big.bin', bytes(1000000))
data = bytearray(open('local.zip', 'rb').read())
data[22:26] = (1000).to_bytes(4, 'little')
open('local.zip', 'wb').write(data)
with zipfile.ZipFile('both.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('big.bin', bytes(1000000))
data = bytearray(open('both.zip', 'rb').read())
data[22:26] = (1000).to_bytes(4, 'little')
central = data.index(b'PK\x01\x02')
data[central + 24:central + 28] = (1000).to_bytes(4, 'little')
open('both.zip', 'wb').write(data)
)"));
    ASSERT_TRUE(WriteBytes(Out + "\\big.bin", "the previous big.bin"));
    TUnzOptions options;
    options.Overwrite = true;
    for (const char* archive : {"local.zip", "both.zip"}) {
        Recorder = TUnzRecorder{};
        EXPECT_EQ(0, Unzip(archive, options)) << archive;
        EXPECT_EQ((std::vector<std::string>{"The size of file big.bin does not match the archive's record"}),
                  Recorder.Failures())
            << archive;
        EXPECT_EQ("the previous big.bin", ReadBytes(Out + "\\big.bin")) << archive;
        ExpectNoLeftovers();
    }
}

TEST_F(UnzDllSafetyTest, StopInTheMiddleLeavesNoPartialFile) {
    ASSERT_TRUE(WriteBytes(Source + "\\first.txt", "first"));
    ASSERT_TRUE(WriteBytes(Source + "\\big.bin", Noisy(1000000)));
    ASSERT_TRUE(WriteBytes(Source + "\\last.txt", "last"));
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q ../big.zip first.txt big.bin last.txt"));
    ASSERT_TRUE(WriteBytes(Out + "\\big.bin", "the previous big.bin"));
    Recorder.StopAtStep = 3;
    TUnzOptions options;
    options.Overwrite = true;
    EXPECT_EQ(1, Unzip("big.zip", options));
    EXPECT_EQ("first", ReadBytes(Out + "\\first.txt"));
    EXPECT_EQ("the previous big.bin", ReadBytes(Out + "\\big.bin"));
    EXPECT_FALSE(PathIsThere(Out + "\\last.txt"));
    EXPECT_EQ(3u, Recorder.Of(kZipActionStep).size());
    EXPECT_EQ((std::vector<std::string>{"first.txt", "big.bin"}), Recorder.FilesBegun());
    EXPECT_EQ(kZipActionEndOfBatch, Recorder.Events.back().Action);
    ExpectNoLeftovers();
}

TEST_F(UnzDllSafetyTest, DamagedArchivesAreReported) {
    ASSERT_TRUE(WriteBytes(Work + "\\garbage.zip", Noisy(5000)));
    EXPECT_EQ(0, Unzip("garbage.zip"));
    ASSERT_EQ(1u, Recorder.Failures().size());
    EXPECT_EQ(0u, Recorder.Failures()[0].find("The file is not a zip archive"));
    EXPECT_TRUE(OutItems().empty());

    ASSERT_TRUE(WriteBytes(Source + "\\a.txt", "abc"));
    ASSERT_EQ(0, Shell("cd source && /usr/bin/zip -q ../cut.zip a.txt && truncate -s 40 ../cut.zip"));
    Recorder = TUnzRecorder{};
    EXPECT_EQ(0, Unzip("cut.zip"));
    EXPECT_EQ(1u, Recorder.Failures().size());
    EXPECT_TRUE(OutItems().empty());
}

}  // namespace
