#include "main/StartupSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Options.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

const std::string kVersionKey = std::string(kRegistryRoot) + "\\Version";

class StartupSequenceTest : public ::testing::Test {
protected:
    StartupSequenceTest() {
        Steps.ShowIntroLetter = [this] { Log.push_back("letter"); };
        Steps.ShowAbout = [this] { Log.push_back("about"); };
        Steps.AutoScanDrives = [this](const std::string& letters) {
            Log.push_back("auto " + letters);
            if (!letters.empty()) Scanned = true;
        };
        Steps.ScanCommandLine = [this] { Log.push_back("command line"); };
        Steps.NothingScanned = [this] { return !Scanned; };
        Steps.ScanDrives = [this] { Log.push_back("ask"); };
    }

    TMemoryRegistry Registry;
    TStartupSteps Steps;
    std::vector<std::string> Log;
    bool Scanned = false;
};

TEST_F(StartupSequenceTest, FreshRegistryAsksForDrivesAfterTheStartUpScans) {
    RunDeferredStartup(Registry, "", Steps);
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line", "ask"}), Log);
    // Nothing was written: the flag is only cleared when it was set.
    EXPECT_TRUE(Registry.Writes().empty());
}

TEST_F(StartupSequenceTest, AutoScanLettersAreUpperCasedAndSpareTheQuestion) {
    RunDeferredStartup(Registry, "cd", Steps);
    EXPECT_EQ((std::vector<std::string>{"auto CD", "command line"}), Log);
}

TEST_F(StartupSequenceTest, FirstRunShowsLetterThenAboutOnceAndClearsTheFlag) {
    Registry.PlantString(kVersionKey, "ShowIntroLetter", "1");
    RunDeferredStartup(Registry, "", Steps);
    EXPECT_EQ((std::vector<std::string>{"letter", "about", "auto ", "command line", "ask"}), Log);
    ASSERT_NE(nullptr, Registry.Find(kVersionKey, "ShowIntroLetter"));
    EXPECT_EQ("0", Registry.Find(kVersionKey, "ShowIntroLetter")->Text);

    Log.clear();
    RunDeferredStartup(Registry, "", Steps);
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line", "ask"}), Log);
}

TEST_F(StartupSequenceTest, OnlyTheExactTextOneCounts) {
    for (const char* flag : {"0", "2", " 1", "1 ", "true", ""}) {
        Registry.PlantString(kVersionKey, "ShowIntroLetter", flag);
        EXPECT_FALSE(TakeIntroLetterFlag(Registry)) << '"' << flag << '"';
        EXPECT_EQ(flag, Registry.Find(kVersionKey, "ShowIntroLetter")->Text);
    }
}

TEST_F(StartupSequenceTest, FlagThatCannotBeClearedShowsNothing) {
    Registry.PlantString(kVersionKey, "ShowIntroLetter", "1");
    Registry.FailWritesOf("ShowIntroLetter");
    RunDeferredStartup(Registry, "", Steps);
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line", "ask"}), Log);
}

TEST_F(StartupSequenceTest, FlagStoredAsBinaryIsIgnored) {
    Registry.PlantBinary(kVersionKey, "ShowIntroLetter", {'1'});
    EXPECT_FALSE(TakeIntroLetterFlag(Registry));
}

TEST_F(StartupSequenceTest, EmptyStepsAreSkipped) {
    Registry.PlantString(kVersionKey, "ShowIntroLetter", "1");
    TStartupSteps onlyAsk;
    onlyAsk.NothingScanned = [] { return true; };
    onlyAsk.ScanDrives = [this] { Log.push_back("ask"); };
    RunDeferredStartup(Registry, "C", onlyAsk);
    EXPECT_EQ((std::vector<std::string>{"ask"}), Log);
    EXPECT_EQ("0", Registry.Find(kVersionKey, "ShowIntroLetter")->Text);
}

}  // namespace
