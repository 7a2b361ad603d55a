// Quarrymap.exe /report, /csv and /? run as a child process on drive T:
// (prepared by scripts/test), checked against the scanner's own records.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ProgramRun.h"
#include "Win32TestFiles.h"
#include "main/CommandLineJob.h"
#include "main/CommandLineScan.h"
#include "main/win32/CommandLineRun.h"
#include "main/win32/SystemServices.h"
#include "platform/UnattendedMessageBoxes.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"
#include "scan/FolderTree.h"

namespace {

const char kRoot[] = "T:\\cli";

std::string ReadBytes(const std::string& path) {
    TWin32Handle file(
        CreateFileW(Win32PathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (file.IsValid() && ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    TWin32Handle file(CreateFileW(Win32PathOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file.IsValid() && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Splits CR LF rows into RFC 4180 fields.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                rows.back().back() += text[++i];
            else if (c == '"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back().size() == 1 && rows.back().front().empty()) rows.pop_back();
    return rows;
}

// Names with what trips up CSV and code pages; a Windows name cannot hold
// a double quote, so quoting of quotes is left to the writer's own tests.
class CommandLineJobsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string r = kRoot;
        Ready = MakeFolder(r) && MakeFolder(r + "\\Plain") && MakeFile(r + "\\Plain\\one.txt", 100) &&
                MakeFolder(r + "\\Smith, John") && MakeFile(r + "\\Smith, John\\cv.doc", 70000) &&
                MakeFolder(r + "\\Smith, John\\Zo\xC3\xAB's files") &&
                MakeFile(r + "\\Smith, John\\Zo\xC3\xAB's files\\a b.txt", 1) && MakeFolder(r + "\\Out");
    }
    void SetUp() override { ASSERT_TRUE(Ready) << "drive T: is prepared by scripts/test"; }

    static bool Ready;
};

bool CommandLineJobsTest::Ready = false;

}  // namespace

TEST_F(CommandLineJobsTest, CsvHasARowPerFolderMatchingTheScannersRecords) {
    const std::string target = std::string(kRoot) + "\\Out\\tree.csv";
    // Quoted with its trailing backslash, the path reaches the program as
    // T:\cli\Smith, John" (the backslash escapes the quote).
    const TRun run = RunProgram({"/csv", target, std::string(kRoot) + "\\Smith, John\\"});
    ASSERT_EQ(run.ExitCode, 0u) << run.Errors;
    EXPECT_EQ(run.Errors, "");

    const std::string text = ReadBytes(target);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto rows = ParseCsv(text.substr(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "Path");
    EXPECT_EQ(rows[0].size(), 29u);

    TSystemServices system;
    TUnattendedMessageBoxes boxes;
    TCommandLineScan scan(
        {system.FileSystem, system.DriveInfo, system.ShellInfo, system.CurrentDirectory, boxes, system.NameOrder, {}});
    const TFolderNode* top = scan.Scan(std::string(kRoot) + "\\Smith, John");
    ASSERT_NE(top, nullptr) << scan.Problem();
    ASSERT_EQ(top->Children.size(), 1u);
    const TFolderNode* expected[] = {top, top->Children[0].get()};
    for (size_t i = 0; i < 2; ++i) {
        const std::vector<std::string>& row = rows[i + 1];
        ASSERT_EQ(row.size(), 29u);
        const TFolderSize& record = *expected[i]->Record;
        EXPECT_EQ(row[0], NodePath(expected[i]));
        EXPECT_EQ(row[1], std::to_string(record.TreeSize));
        EXPECT_EQ(row[3], std::to_string(record.TreeWasted));
        EXPECT_EQ(row[4], std::to_string(record.TreeFiles));
        EXPECT_EQ(row[6], std::to_string(record.OwnSize));
        EXPECT_EQ(row[14], std::to_string(scan.ClusterSize()));
    }
    EXPECT_EQ(rows[1][0], "T:\\cli\\Smith, John");
    EXPECT_EQ(rows[2][0], "T:\\cli\\Smith, John\\Zo\xC3\xAB's files");
    EXPECT_EQ(rows[1][1], "70001");
    // The raw line of a name with a comma is quoted.
    EXPECT_NE(text.find("\r\n\"T:\\cli\\Smith, John\",70001,"), std::string::npos);
}

TEST_F(CommandLineJobsTest, ReportIsTheFolderReportInTheAnsiCodePage) {
    const std::string target = std::string(kRoot) + "\\Out\\report.txt";
    const TRun run = RunProgram({"/REPORT", target, std::string(kRoot) + "\\smith, john\\zo\xC3\xAB's files"});
    ASSERT_EQ(run.ExitCode, 0u) << run.Errors;
    const std::string text = ReadBytes(target);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    ASSERT_EQ(lines.size(), 48u) << text;
    EXPECT_EQ(lines[0], "Report generated by Quarrymap 2000 Version 2.1");
    EXPECT_EQ(lines[7], "Location: T:\\cli\\Smith, John\\Zo\xEB's files");  // Windows-1252, as the tree spells it
    EXPECT_EQ(lines[10], "-> Size: 1 bytes(1 byte)");
}

TEST_F(CommandLineJobsTest, AReportWhoseNamesTheCodePageLacksIsUtf8WithAByteOrderMark) {
    const std::string greek = "\xCE\x91\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xB1";  // not in Windows-1252
    ASSERT_TRUE(MakeFolder(std::string(kRoot) + "\\" + greek));
    ASSERT_TRUE(MakeFile(std::string(kRoot) + "\\" + greek + "\\a.txt", 1));
    const std::string target = std::string(kRoot) + "\\Out\\greek.txt";
    const TRun run = RunProgram({"/report", target, std::string(kRoot) + "\\" + greek});
    ASSERT_EQ(run.ExitCode, 0u) << run.Errors;
    const std::string text = ReadBytes(target);
    EXPECT_EQ(0u, text.find("\xEF\xBB\xBFReport generated by Quarrymap 2000")) << text.substr(0, 40);
    EXPECT_NE(std::string::npos, text.find("Location: T:\\cli\\" + greek + "\r\n")) << text;
}

TEST_F(CommandLineJobsTest, FailuresSayWhichAndLeaveTheTargetAlone) {
    const std::string target = std::string(kRoot) + "\\Out\\kept.csv";
    ASSERT_TRUE(WriteBytes(target, "a good file"));

    TRun run = RunProgram({"/csv", target, std::string(kRoot) + "\\No such folder"});
    EXPECT_EQ(run.ExitCode, 1u);
    EXPECT_EQ(run.Errors, "Quarrymap: cannot scan \"T:\\cli\\No such folder\": no such folder\r\n");
    EXPECT_EQ(ReadBytes(target), "a good file");

    run = RunProgram({"/report", std::string(kRoot) + "\\Out\\missing\\r.txt", kRoot});
    EXPECT_EQ(run.ExitCode, 1u);
    EXPECT_EQ(run.Errors.rfind("Quarrymap: cannot write \"T:\\cli\\Out\\missing\\r.txt\": ", 0), 0u) << run.Errors;

    run = RunProgram({"/csv", std::string(kRoot) + "\\Out", kRoot});  // a folder is no file
    EXPECT_EQ(run.ExitCode, 1u);
    EXPECT_EQ(run.Errors, "Quarrymap: cannot write \"T:\\cli\\Out\": it is a folder\r\n");

    // Nothing half-written is left behind under a temporary name.
    WIN32_FIND_DATAW found;
    TFindHandle search(FindFirstFileW(L"T:\\cli\\Out\\qm~*", &found));
    EXPECT_FALSE(search.IsValid());
}

TEST_F(CommandLineJobsTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    TRun run = RunProgram({"/bogus"});
    EXPECT_EQ(run.ExitCode, 2u);
    EXPECT_EQ(run.Errors, "Quarrymap: unknown switch /bogus. Quarrymap.exe /? lists the switches.\r\n");
    run = RunProgram({"/csv", "only-a-file.csv"});
    EXPECT_EQ(run.ExitCode, 2u);
    run = RunProgram({"/?"});
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_NE(run.Errors.find("Quarrymap.exe /report FILE PATH"), std::string::npos) << run.Errors;
}

// Explorer's entry runs "<program>" "%1": for a drive %1 is C:\, and the
// backslash before the closing quote escapes it in the standard split.
TEST(CommandLineArguments, ExplorersEntryOnADriveOrAFolderOpensThatPath) {
    const auto paths = [](const wchar_t* commandLine) {
        return ParseCommandLineJob(CommandLineArguments(commandLine)).Paths;
    };
    const wchar_t* program = L"\"C:\\Program Files\\Quarrymap 2000\\Quarrymap.exe\" ";
    EXPECT_EQ(paths((std::wstring(program) + L"\"C:\\\"").c_str()), std::vector<std::string>{"C:\\"});
    EXPECT_EQ(paths((std::wstring(program) + L"\"D:\\My Data\\\"").c_str()), std::vector<std::string>{"D:\\My Data\\"});
    EXPECT_EQ(paths((std::wstring(program) + L"\"D:\\My Data\"").c_str()), std::vector<std::string>{"D:\\My Data"});
    EXPECT_EQ(paths((std::wstring(program) + L"C:\\ D:").c_str()), (std::vector<std::string>{"C:\\", "D:"}));
}
