#include <gtest/gtest.h>

#include "cleanup/ArchiveProgress.h"

TEST(ArchiveProgress, FilesAndStepsAddUpToTruncatedPercentages) {
    TArchiveProgress progress(200000);
    EXPECT_FALSE(progress.FileBegins(100000));  // nothing done yet
    EXPECT_TRUE(progress.Step());
    EXPECT_EQ(progress.Percent(), 16);  // 32768 * 100 / 200000 = 16.384
    progress.Step();
    progress.Step();
    EXPECT_EQ(progress.Done(), 3 * 32768);
    EXPECT_EQ(progress.Percent(), 49);
    // The next file starts from the first one's whole size.
    EXPECT_TRUE(progress.FileBegins(100000));
    EXPECT_EQ(progress.Done(), 100000);
    EXPECT_EQ(progress.Percent(), 50);
}

TEST(ArchiveProgress, TheBarNeverMovesBackNorPastOneHundred) {
    TArchiveProgress progress(100000);
    progress.FileBegins(40000);
    progress.Step();
    progress.Step();  // 65536: 65 %, more than the file's real size
    EXPECT_EQ(progress.Percent(), 65);
    EXPECT_FALSE(progress.FileBegins(10));  // back to 40000 done: 40 % is not shown
    EXPECT_EQ(progress.Percent(), 65);
    EXPECT_EQ(progress.Done(), 40000);
    EXPECT_TRUE(progress.Step());  // 72768
    EXPECT_EQ(progress.Percent(), 72);
    EXPECT_FALSE(progress.Step());  // 105536: past 100 % is not shown
    EXPECT_EQ(progress.Percent(), 72);
    TArchiveProgress exact(65536);
    exact.FileBegins(65536);
    exact.Step();
    EXPECT_TRUE(exact.Step());
    EXPECT_EQ(exact.Percent(), 100);
}

TEST(ArchiveProgress, AnEmptyFolderLeavesTheBarAlone) {
    TArchiveProgress progress(0);
    EXPECT_FALSE(progress.FileBegins(0));
    EXPECT_FALSE(progress.Step());
    EXPECT_EQ(progress.Percent(), 0);
}
