#include <gtest/gtest.h>

#include <string>

#include "cleanup/DriveAccess.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/ScriptedMessageBoxes.h"

namespace {

const std::string kSentence =
    ": is not accessible. The drive door may not be closed or the network connection may be down. "
    "Please try to correct this error and retry.";

class DriveAccessTest : public ::testing::Test {
protected:
    TFakeCurrentDirectory Directory;
    TScriptedMessageBoxes Boxes;
};

TEST_F(DriveAccessTest, ReadyDriveIsEnteredWithoutAnyBox) {
    Directory.AddFolder("D:\\");
    EXPECT_TRUE(CheckDriveAccessible('D', Directory, Boxes));
    EXPECT_EQ("D:\\", Directory.Current);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(DriveAccessTest, CancelOnTheFirstBoxGivesUpAtOnce) {
    Directory.AddFolder("A:\\", 1);  // would be ready on a second try
    Boxes.Answer(TMsgResult::Cancel);
    EXPECT_FALSE(CheckDriveAccessible('A', Directory, Boxes));
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
    EXPECT_EQ("A" + kSentence, Boxes.Shown[0].Text);
    EXPECT_EQ(TMsgButtons::RetryCancel, Boxes.Shown[0].Buttons);
    EXPECT_EQ(TMsgIcon::Error, Boxes.Shown[0].Icon);
    EXPECT_EQ(1u, Directory.Attempts.size());
    EXPECT_EQ("", Directory.Current);
}

TEST_F(DriveAccessTest, RetryAfterTheMediumIsInsertedSucceeds) {
    Directory.AddFolder("E:\\", 2);
    Boxes.Answer(TMsgResult::Retry);
    Boxes.Answer(TMsgResult::Retry);
    EXPECT_TRUE(CheckDriveAccessible('E', Directory, Boxes));
    EXPECT_EQ(2u, Boxes.Shown.size());
    EXPECT_EQ(3u, Directory.Attempts.size());
    EXPECT_EQ("E:\\", Directory.Current);
    EXPECT_EQ(0, Boxes.Unanswered);
}

TEST_F(DriveAccessTest, LetterKeepsItsCaseInThePathAndTheText) {
    Directory.AddFolder("f:\\", 1);
    Boxes.Answer(TMsgResult::Retry);
    EXPECT_TRUE(CheckDriveAccessible('f', Directory, Boxes));
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("f" + kSentence, Boxes.Shown[0].Text);
    EXPECT_EQ("f:\\", Directory.Attempts.front());
    EXPECT_EQ("g" + kSentence, DriveNotAccessibleText('g'));
}

}  // namespace
