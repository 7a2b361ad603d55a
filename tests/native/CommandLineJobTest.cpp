#include <gtest/gtest.h>

#include "main/CommandLineJob.h"
#include "main/ConsoleProgress.h"
#include "platform/UnattendedMessageBoxes.h"

namespace {

TCommandLineJob Parse(std::vector<std::string> arguments) { return ParseCommandLineJob(arguments); }

}  // namespace

TEST(CommandLineJob, DrivesAndFoldersOpenTheWindow) {
    EXPECT_EQ(Parse({}).Action, TCommandLineAction::OpenWindow);
    EXPECT_EQ(Parse({"D:", "C:\\Windows"}).Action, TCommandLineAction::OpenWindow);
}

TEST(CommandLineJob, ReportAndCsvTakeFileThenPathWhateverTheSwitchCase) {
    const TCommandLineJob report = Parse({"/REPORT", "out.txt", "C:\\Data"});
    EXPECT_EQ(report.Action, TCommandLineAction::Report);
    EXPECT_EQ(report.OutputFile, "out.txt");
    EXPECT_EQ(report.Path, "C:\\Data");
    const TCommandLineJob csv = Parse({"/csv", "C:\\out dir\\tree.csv", "D:\\"});
    EXPECT_EQ(csv.Action, TCommandLineAction::Csv);
    EXPECT_EQ(csv.OutputFile, "C:\\out dir\\tree.csv");
    EXPECT_EQ(csv.Path, "D:\\");
}

TEST(CommandLineJob, AQuotedPathEndingInABackslashKeepsItsBackslash) {
    EXPECT_EQ(Parse({"/csv", "out.csv", "C:\\Program Files\""}).Path, "C:\\Program Files\\");
    EXPECT_EQ(Parse({"/csv", "out.csv", "D:\""}).Path, "D:\\");
    // The window's own paths are repaired the same way.
    EXPECT_EQ(Parse({"C:\"", "D:\\Data\""}).Paths, (std::vector<std::string>{"C:\\", "D:\\Data\\"}));
}

TEST(CommandLineJob, HelpStandsAlone) {
    EXPECT_EQ(Parse({"/?"}).Action, TCommandLineAction::Help);
    EXPECT_EQ(Parse({"/Help"}).Action, TCommandLineAction::Help);
    EXPECT_EQ(Parse({"/?", "C:\\"}).Action, TCommandLineAction::UsageError);
}

TEST(CommandLineJob, WrongUseIsAUsageErrorThatSaysWhat) {
    struct TCase {
        std::vector<std::string> Arguments;
        const char* Problem;
    };
    const TCase cases[] = {
        {{"/report"}, "/report needs FILE and PATH"},
        {{"/csv", "out.csv"}, "/csv needs FILE and PATH"},
        {{"/csv", "out.csv", "C:\\", "D:\\"}, "/csv needs FILE and PATH"},
        {{"/csv", "", "C:\\"}, "/csv needs FILE and PATH"},
        {{"/list", "x", "C:\\"}, "unknown switch /list"},
        {{"C:\\", "/csv", "out.csv", "C:\\"}, "/csv must come first, and alone"},
        {{"/report", "/csv", "C:\\"}, "only one switch at a time: /csv"},
    };
    for (const TCase& c : cases) {
        const TCommandLineJob job = ParseCommandLineJob(c.Arguments);
        EXPECT_EQ(job.Action, TCommandLineAction::UsageError) << c.Problem;
        EXPECT_EQ(job.Problem, c.Problem);
    }
}

TEST(ConsoleProgress, QuietForTheFirstSecondThenAtMostOnceASecond) {
    TConsoleProgress progress(10000);
    EXPECT_EQ(progress.Update(10999, 5, 50, "C:\\A\\"), "");
    EXPECT_EQ(progress.Update(11000, 6, 60, "C:\\A\\"), "\rScanning: 6 folders, 60 files  C:\\A\\");
    EXPECT_EQ(progress.Update(11999, 7, 70, "C:\\B\\"), "");
    EXPECT_EQ(progress.Update(12000, 8, 80, "C:\\B\\"), "\rScanning: 8 folders, 80 files  C:\\B\\");
}

TEST(ConsoleProgress, AShorterLineCoversTheLongerOneAndEraseBlanksIt) {
    TConsoleProgress progress(0);
    const std::string first = progress.Update(1000, 1, 1, "C:\\A long folder name\\");
    const std::string second = progress.Update(2000, 1, 1, "C:\\B\\");
    EXPECT_EQ(second.size(), first.size());
    const std::string text = "\rScanning: 1 folders, 1 files  C:\\B\\";
    EXPECT_EQ(second.substr(0, text.size()), text);
    EXPECT_EQ(second.find_first_not_of(' ', text.size()), std::string::npos);
    // What is left on screen past the shorter text is blank already.
    EXPECT_EQ(progress.Erase(), "\r" + std::string(text.size() - 1, ' ') + "\r");
    EXPECT_EQ(progress.Erase(), "");
}

TEST(ConsoleProgress, NothingShownMeansNothingToErase) {
    TConsoleProgress progress(0);
    EXPECT_EQ(progress.Update(500, 1, 1, "C:\\"), "");
    EXPECT_EQ(progress.Erase(), "");
}

TEST(ConsoleProgress, LongPathsAreShortenedToTheWidthCountingCharactersNotBytes) {
    TConsoleProgress progress(0, 60);
    const std::string path = "C:\\Users\\Zo\xC3\xAB\\Documents\\Projects\\Quarterly reports\\2026\\Drafts\\";
    const std::string line = progress.Update(1000, 123, 4567, path);
    EXPECT_LE(Utf8Length(line) - 1, 60u);
    EXPECT_NE(line.find("\\...\\"), std::string::npos) << line;
    EXPECT_NE(line.find("Drafts"), std::string::npos) << line;
    EXPECT_EQ(Utf8Length("Zo\xC3\xAB"), 3u);
}

TEST(UnattendedMessageBoxes, AnswersWhatChangesNothingAndKeepsTheFirstText) {
    TUnattendedMessageBoxes boxes;
    EXPECT_EQ(boxes.FirstText(), "");
    EXPECT_EQ(boxes.Show("c", "first", TMsgButtons::RetryCancel, TMsgIcon::Error), TMsgResult::Cancel);
    EXPECT_EQ(boxes.Show("c", "second", TMsgButtons::YesNo, TMsgIcon::Question), TMsgResult::No);
    EXPECT_EQ(boxes.Show("c", "third", TMsgButtons::Ok, TMsgIcon::Error), TMsgResult::Ok);
    EXPECT_EQ(boxes.Show("c", "fourth", TMsgButtons::YesNoCancel, TMsgIcon::Question), TMsgResult::Cancel);
    EXPECT_EQ(boxes.Show("c", "fifth", TMsgButtons::AbortRetryIgnore, TMsgIcon::Error), TMsgResult::Abort);
    EXPECT_EQ(boxes.FirstText(), "first");
}
