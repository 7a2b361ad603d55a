#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Options.h"
#include "config/OptionsRules.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

// ---------------------------------------------------------------- percent texts

TEST(OptionsThresholdTextTest, AnglesShowAsPercentWithThreeDecimals) {
    EXPECT_EQ("0.556", AngleToPercentText(2.0, "."));
    EXPECT_EQ("0.278", AngleToPercentText(1.0, "."));
    EXPECT_EQ("1.389", AngleToPercentText(5.0, "."));
    EXPECT_EQ("100.000", AngleToPercentText(360.0, "."));
    EXPECT_EQ("0.000", AngleToPercentText(0.0, "."));
    EXPECT_EQ("50.000", AngleToPercentText(180.0, "."));
}

TEST(OptionsThresholdTextTest, PercentTextsUseTheUsersDecimalSeparator) {
    EXPECT_EQ("0,556", AngleToPercentText(2.0, ","));
    EXPECT_EQ(
        "1\xC2\xB7"
        "389",
        AngleToPercentText(5.0, "\xC2\xB7"));  // a separator of two UTF-8 bytes
    const TThresholdTexts texts = ThresholdTextsOf(kDefaultThresholdAngles, ",");
    EXPECT_EQ((TThresholdTexts{"0,556", "0,278", "1,389"}), texts);
}

TEST(OptionsThresholdTextTest, PercentTextsReadBackAsDegrees) {
    double degrees = -1;
    ASSERT_TRUE(PercentTextToAngle("0.556", ".", degrees));
    EXPECT_NEAR(2.0016, degrees, 1e-12);  // 2 degrees come back through the rounded text
    ASSERT_TRUE(PercentTextToAngle("100", ".", degrees));
    EXPECT_EQ(360.0, degrees);
    ASSERT_TRUE(PercentTextToAngle("0", ".", degrees));
    EXPECT_EQ(0.0, degrees);
    ASSERT_TRUE(PercentTextToAngle("  1.389\t", ".", degrees));
    EXPECT_NEAR(5.0004, degrees, 1e-12);
    ASSERT_TRUE(PercentTextToAngle("1e1", ".", degrees));
    EXPECT_NEAR(36.0, degrees, 1e-12);
    ASSERT_TRUE(PercentTextToAngle(".5", ".", degrees));
    EXPECT_NEAR(1.8, degrees, 1e-12);
    ASSERT_TRUE(PercentTextToAngle("+5.", ".", degrees));
    EXPECT_NEAR(18.0, degrees, 1e-12);
    ASSERT_TRUE(PercentTextToAngle("-1", ".", degrees));
    EXPECT_NEAR(-3.6, degrees, 1e-12);
}

TEST(OptionsThresholdTextTest, TheUsersSeparatorAndAPointAreBothRead) {
    double degrees = -1;
    ASSERT_TRUE(PercentTextToAngle("0,556", ",", degrees));
    EXPECT_NEAR(2.0016, degrees, 1e-12);
    ASSERT_TRUE(PercentTextToAngle("0.556", ",", degrees));
    EXPECT_NEAR(2.0016, degrees, 1e-12);
    ASSERT_TRUE(
        PercentTextToAngle("1\xC2\xB7"
                           "5",
                           "\xC2\xB7", degrees));
    EXPECT_NEAR(5.4, degrees, 1e-12);
    // A comma is no decimal separator for a user who writes a point.
    EXPECT_FALSE(PercentTextToAngle("0,556", ".", degrees));
    // Only one separator, whichever is used.
    EXPECT_FALSE(PercentTextToAngle("1,5.3", ",", degrees));
}

TEST(OptionsThresholdTextTest, TextsThatAreNoNumbersAreRefusedAndLeaveTheAngle) {
    for (const char* text : {"", " ", "abc", "1.2.3", "1e", "e5", "--1", "1 2", "0x10", "nan", "inf", "5%", "."}) {
        double degrees = 42;
        EXPECT_FALSE(PercentTextToAngle(text, ".", degrees)) << text;
        EXPECT_EQ(42, degrees) << text;
    }
}

TEST(OptionsThresholdTextTest, HugeExponentsReadAsOutOfRange) {
    double degrees = 0;
    ASSERT_TRUE(PercentTextToAngle("1e999", ".", degrees));
    EXPECT_FALSE(IsAngleInRange(degrees));
    ASSERT_TRUE(PercentTextToAngle("-1e999", ".", degrees));
    EXPECT_FALSE(IsAngleInRange(degrees));
}

// ---------------------------------------------------------------- checking the three texts

TEST(OptionsThresholdCheckTest, TheRangeIsZeroToThreeHundredSixtyDegrees) {
    EXPECT_TRUE(IsAngleInRange(0));
    EXPECT_TRUE(IsAngleInRange(360));
    EXPECT_FALSE(IsAngleInRange(-0.0001));
    EXPECT_FALSE(IsAngleInRange(360.0001));
    EXPECT_EQ("abc is not a valid positive value between 0 and 360", InvalidThresholdMessage("abc"));
    EXPECT_EQ("101 is not a valid positive value between 0 and 360", InvalidThresholdMessage("101"));
}

TEST(OptionsThresholdCheckTest, DefaultTextsComeBackRoundedThroughThreeDecimals) {
    const TThresholdCheck check = CheckThresholdTexts(ThresholdTextsOf(kDefaultThresholdAngles, "."), ".");
    ASSERT_EQ(-1, check.Rejected);
    EXPECT_NEAR(2.0016, check.Angles[kFileThreshold], 1e-12);
    EXPECT_NEAR(1.0008, check.Angles[kFolderThreshold], 1e-12);
    EXPECT_NEAR(5.0004, check.Angles[kTextThreshold], 1e-12);
}

TEST(OptionsThresholdCheckTest, OneHundredPercentIsAcceptedAndTheWholeCircle) {
    const TThresholdCheck check = CheckThresholdTexts({"100", "0", "100.000"}, ".");
    ASSERT_EQ(-1, check.Rejected);
    EXPECT_EQ((TThresholdAngles{360.0, 0.0, 360.0}), check.Angles);
}

TEST(OptionsThresholdCheckTest, TheFirstBadTextIsNamedAndNoAngleIsTaken) {
    struct TCase {
        TThresholdTexts Texts;
        int Rejected;
    };
    const std::vector<TCase> cases = {
        {{"101", "0.278", "1.389"}, kFileThreshold},
        {{"0.556", "-1", "1.389"}, kFolderThreshold},
        {{"0.556", "0.278", "text"}, kTextThreshold},
        {{"0.556", "100.001", "x"}, kFolderThreshold},
        {{"", "", ""}, kFileThreshold},
    };
    for (const TCase& c : cases) {
        const TThresholdCheck check = CheckThresholdTexts(c.Texts, ".");
        EXPECT_EQ(c.Rejected, check.Rejected) << c.Texts[0] << "|" << c.Texts[1] << "|" << c.Texts[2];
        EXPECT_EQ((TThresholdAngles{0, 0, 0}), check.Angles);
    }
}

// ---------------------------------------------------------------- the dialog's choice in the store

TEST(OptionsChoiceTest, TheChoiceReadsAndStoresEveryEditedOption) {
    TProgramOptions options;
    TOptionsChoice choice = OptionsChoiceOf(options);
    EXPECT_TRUE(choice.IncludeWasted);
    EXPECT_TRUE(choice.ShowFileNames);
    EXPECT_TRUE(choice.AutoExpand);
    EXPECT_TRUE(choice.AutoCollapse);
    EXPECT_EQ("", choice.DrivesToAutoScan);
    EXPECT_EQ(kDefaultThresholdAngles, choice.Angles);
    EXPECT_EQ(DefaultColors, choice.Colors);

    choice.IncludeWasted = false;
    choice.ShowFileNames = false;
    choice.AutoExpand = false;
    choice.AutoCollapse = false;
    choice.DrivesToAutoScan = "CE";
    choice.Angles = {10, 20, 30};
    choice.Colors[kColorFile] = 0x123456;
    options.SortAscending = true;
    StoreOptionsChoice(choice, options);

    EXPECT_FALSE(options.IncludeWastedInformation);
    EXPECT_FALSE(options.ShowFileNames);
    EXPECT_FALSE(options.AutoExpand);
    EXPECT_FALSE(options.AutoCollapse);
    EXPECT_EQ("CE", options.DrivesToAutoScan);
    EXPECT_EQ(10, options.MinFileSectionAngle);
    EXPECT_EQ(20, options.MinFolderSectionAngle);
    EXPECT_EQ(30, options.MinTextSectionAngle);
    EXPECT_EQ(0x123456u, options.Colors[kColorFile]);
    EXPECT_EQ(DefaultColors[kColorPieLines], options.Colors[kColorPieLines]);
    EXPECT_TRUE(options.SortAscending);  // not the dialog's
    EXPECT_EQ(choice.Angles, OptionsChoiceOf(options).Angles);
}

// ---------------------------------------------------------------- the Explorer entry

const char kProgram[] = "C:\\Program Files\\Quarrymap\\Quarrymap.exe";

TEST(OptionsExplorerEntryTest, TheCommandQuotesTheProgramAndTheFolder) {
    EXPECT_EQ("\"C:\\Program Files\\Quarrymap\\Quarrymap.exe\" \"%1\"", ExplorerCommand(kProgram));
    EXPECT_EQ("Analyze with Quarrymap 2000", std::string(kExplorerVerb));
}

TEST(OptionsExplorerEntryTest, WritingPutsBothDefaultValuesInTheUsersClassesVerbFirst) {
    TMemoryRegistry registry;
    ASSERT_TRUE(WriteExplorerEntry(registry, kProgram));
    const TRegValue* verb = registry.Find("Software\\Classes\\Folder\\shell\\Quarrymap", "");
    const TRegValue* command = registry.Find("Software\\Classes\\Folder\\shell\\Quarrymap\\Command", "");
    ASSERT_NE(nullptr, verb);
    ASSERT_NE(nullptr, command);
    EXPECT_EQ(TRegType::String, verb->Type);
    EXPECT_EQ("Analyze with Quarrymap 2000", verb->Text);
    EXPECT_EQ(TRegType::String, command->Type);
    EXPECT_EQ(ExplorerCommand(kProgram), command->Text);
    ASSERT_EQ(2u, registry.Writes().size());
    EXPECT_EQ(kExplorerVerbKey, registry.Writes()[0].Path);
    EXPECT_EQ(kExplorerCommandKey, registry.Writes()[1].Path);
    EXPECT_EQ(1u, registry.ValueCount(kExplorerVerbKey));
    EXPECT_TRUE(ExplorerEntryTicked(registry, false));
}

TEST(OptionsExplorerEntryTest, WritingAgainOverwritesWithTheCurrentPath) {
    TMemoryRegistry registry;
    registry.PlantString(kExplorerCommandKey, "", "\"D:\\Old\\Quarrymap.exe\" \"%1\"");
    ASSERT_TRUE(WriteExplorerEntry(registry, kProgram));
    EXPECT_EQ(ExplorerCommand(kProgram), registry.Find(kExplorerCommandKey, "")->Text);
}

TEST(OptionsExplorerEntryTest, AFailedWriteIsReported) {
    TMemoryRegistry blockedKey;
    blockedKey.FailKeyCreation("Software\\Classes\\Folder");
    EXPECT_FALSE(WriteExplorerEntry(blockedKey, kProgram));
    EXPECT_TRUE(blockedKey.Writes().empty());

    TMemoryRegistry blockedValue;
    blockedValue.FailWritesOf("");
    EXPECT_FALSE(WriteExplorerEntry(blockedValue, kProgram));

    TMemoryRegistry blockedCommand;
    blockedCommand.FailKeyCreation(kExplorerCommandKey);
    EXPECT_FALSE(WriteExplorerEntry(blockedCommand, kProgram));
    EXPECT_EQ(1u, blockedCommand.Writes().size());  // the verb went in first
}

TEST(OptionsExplorerEntryTest, RemovingDeletesTheCommandThenTheVerb) {
    TMemoryRegistry registry;
    ASSERT_TRUE(WriteExplorerEntry(registry, kProgram));
    registry.PlantString("Software\\Classes\\Folder\\shell\\open", "", "Open");
    RemoveExplorerEntry(registry);
    EXPECT_FALSE(registry.KeyExists(kExplorerCommandKey));
    EXPECT_FALSE(registry.KeyExists(kExplorerVerbKey));
    EXPECT_TRUE(registry.KeyExists("Software\\Classes\\Folder\\shell\\open"));  // its neighbours stay
    EXPECT_FALSE(ExplorerEntryTicked(registry, true));
    RemoveExplorerEntry(registry);  // nothing there any more: no harm
    EXPECT_FALSE(registry.KeyExists("Software\\Classes\\Folder\\shell\\Quarrymap"));
}

TEST(OptionsExplorerEntryTest, TheTickFollowsTheMergedClassesView) {
    TMemoryRegistry registry;
    EXPECT_FALSE(ExplorerEntryTicked(registry, true));
    registry.PlantMachineClassesKey("Folder\\shell\\QUARRYMAP");
    EXPECT_TRUE(ExplorerEntryTicked(registry, false));

    TMemoryRegistry unreadable;
    unreadable.FailClassesReads();
    EXPECT_TRUE(ExplorerEntryTicked(unreadable, true));  // the designed state stays
    EXPECT_FALSE(ExplorerEntryTicked(unreadable, false));
}

// ---------------------------------------------------------------- key deletion in the memory registry

TEST(MemoryRegistryDeleteKeyTest, OnlyKeysWithoutSubkeysAreDeleted) {
    TMemoryRegistry registry;
    registry.PlantString("A\\B\\C", "x", "1");
    registry.PlantString("A\\B C", "y", "2");  // sorts between "A\B" and "A\B\C"
    EXPECT_FALSE(registry.DeleteKey("A\\B"));
    EXPECT_TRUE(registry.KeyExists("A\\B"));
    EXPECT_TRUE(registry.DeleteKey("a\\b\\c"));
    EXPECT_EQ(nullptr, registry.Find("A\\B\\C", "x"));
    EXPECT_TRUE(registry.DeleteKey("A\\B"));
    EXPECT_TRUE(registry.KeyExists("A\\B C"));
    EXPECT_FALSE(registry.DeleteKey("A\\B"));  // gone already
    EXPECT_FALSE(registry.DeleteKey(""));      // never the root

    registry.FailKeyDeletion("A\\B C");
    EXPECT_FALSE(registry.DeleteKey("A\\B C"));
    EXPECT_TRUE(registry.KeyExists("A\\B C"));
}

TEST(MemoryRegistryDeleteKeyTest, TheClassesViewSeesTheUsersClasses) {
    TMemoryRegistry registry;
    EXPECT_EQ(TRegRead::Missing, registry.ClassesKeyState("Folder"));
    registry.CreateKey("Software\\Classes\\Folder\\shell");
    EXPECT_EQ(TRegRead::Found, registry.ClassesKeyState("folder\\SHELL"));
    EXPECT_EQ(TRegRead::Missing, registry.ClassesKeyState("Folder\\shell\\Quarrymap"));
    registry.PlantMachineClassesKey("Directory\\shell\\x");
    EXPECT_EQ(TRegRead::Found, registry.ClassesKeyState("Directory"));
    EXPECT_FALSE(registry.KeyExists("Directory"));  // not in the user's own keys
}

}  // namespace
