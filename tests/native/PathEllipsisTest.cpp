#include "controls/PathEllipsis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A fixed-pitch font: 7 pixels a character.
int Monospace(const std::string& text) { return 7 * int(text.size()); }

std::string Fit(const std::string& path, int characters) { return MinimizePath(path, 7 * characters, Monospace); }

TEST(MinimizePath, FoldersGiveWayFromTheLeftThenTheDrive) {
    const std::string path = "C:\\Windows\\System\\Drivers";
    EXPECT_EQ(Fit(path, 25), path);
    EXPECT_EQ(Fit(path, 24), "C:\\...\\System\\Drivers");
    EXPECT_EQ(Fit(path, 21), "C:\\...\\System\\Drivers");
    EXPECT_EQ(Fit(path, 20), "C:\\...\\Drivers");
    EXPECT_EQ(Fit(path, 14), "C:\\...\\Drivers");
    EXPECT_EQ(Fit(path, 13), "...\\Drivers");
    EXPECT_EQ(Fit(path, 11), "...\\Drivers");
    // Too narrow even for that: the folder's own name, which the label clips.
    EXPECT_EQ(Fit(path, 10), "Drivers");
    EXPECT_EQ(MinimizePath(path, 0, Monospace), "Drivers");
    EXPECT_EQ(MinimizePath(path, -5, Monospace), "Drivers");
    // A width between whole characters rounds nothing up.
    EXPECT_EQ(MinimizePath(path, 7 * 21 - 1, Monospace), "C:\\...\\Drivers");
}

TEST(MinimizePath, EveryWidthGivesTheLongestFormThatFits) {
    const std::string path = "D:\\a\\bb\\ccc\\dddd\\Last folder";
    const char* forms[] = {"D:\\...\\bb\\ccc\\dddd\\Last folder", "D:\\...\\ccc\\dddd\\Last folder",
                           "D:\\...\\dddd\\Last folder", "D:\\...\\Last folder", "...\\Last folder"};
    for (int characters = int(path.size()) + 3; characters >= 0; --characters) {
        std::string expected = "Last folder";
        if (int(path.size()) <= characters) {
            expected = path;
        } else {
            for (const char* form : forms) {
                if (int(std::string(form).size()) <= characters) {
                    expected = form;
                    break;
                }
            }
        }
        EXPECT_EQ(Fit(path, characters), expected) << characters;
    }
}

TEST(MinimizePath, SharesRelativePathsAndPathsWithNothingToLeaveOut) {
    const std::string share = "\\\\server\\share\\directory\\sub\\file";
    EXPECT_EQ(Fit(share, 33), share);
    EXPECT_EQ(Fit(share, 32), "\\\\server\\share\\...\\sub\\file");
    EXPECT_EQ(Fit(share, 26), "\\\\server\\share\\...\\file");
    EXPECT_EQ(Fit(share, 22), "...\\file");
    EXPECT_EQ(Fit(share, 3), "file");
    EXPECT_EQ(Fit("\\\\server\\share\\only", 12), "...\\only");

    // No drive to drop: the "..." stands at the front.
    EXPECT_EQ(Fit("aaaa\\bbb\\ccc", 11), "...\\bbb\\ccc");
    EXPECT_EQ(Fit("aaaa\\bbb\\ccc", 10), "...\\ccc");
    EXPECT_EQ(Fit("aaaa\\bbb\\ccc", 6), "ccc");
    EXPECT_EQ(Fit("\\Windows\\System", 14), "...\\System");

    // Directly below a drive letter, "...\" would be longer than "C:\":
    // only the name alone is shorter.
    EXPECT_EQ(Fit("C:\\Windows", 9), "Windows");
    EXPECT_EQ(Fit("C:\\Windows\\", 10), "Windows");
    EXPECT_EQ(Fit("C:\\Windows\\", 11), "C:\\Windows\\");

    // Nothing to leave out: the text comes back whole, however wide.
    for (const char* odd : {"", "C:", "C:\\", "\\", "\\\\", "\\\\server", "\\\\server\\share\\", "Windows"})
        EXPECT_EQ(MinimizePath(odd, 0, Monospace), odd) << odd;
}

}  // namespace
