#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zipdll/core/ZipExtractRules.h"

namespace {

TEST(ZipExtractRulesTest, WildcardsMatchWholeNames) {
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "docs/report.txt"));
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "DOCS\\Report.TXT"));
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "*.txt"));
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "docs/*"));
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "*"));
    EXPECT_TRUE(ZipNameMatchesSpec("docs/report.txt", "d?cs/r*t.t?t"));
    EXPECT_TRUE(ZipNameMatchesSpec("a/b/c/d.txt", "a*d.txt"));
    EXPECT_TRUE(ZipNameMatchesSpec("aaa", "*a"));
    EXPECT_TRUE(ZipNameMatchesSpec("", "*"));
    EXPECT_FALSE(ZipNameMatchesSpec("docs/report.txt", "report.txt"));
    EXPECT_FALSE(ZipNameMatchesSpec("docs/report.txt", "*.doc"));
    EXPECT_FALSE(ZipNameMatchesSpec("docs/report.txt", "docs/report.tx"));
    EXPECT_FALSE(ZipNameMatchesSpec("docs/report.txt", "docs/report.txt?"));
    EXPECT_FALSE(ZipNameMatchesSpec("ab", "a?b"));
    EXPECT_FALSE(ZipNameMatchesSpec("", "?"));
}

TEST(ZipExtractRulesTest, QuestionMarkTakesOneWholeCharacter) {
    EXPECT_TRUE(ZipNameMatchesSpec("caf\xC3\xA9", "caf?"));
    EXPECT_TRUE(ZipNameMatchesSpec("\xE6\x97\xA5.txt", "?.txt"));
    EXPECT_FALSE(ZipNameMatchesSpec("caf\xC3\xA9", "caf??"));
    // "*" never ends inside a character, and a byte that starts no character is one.
    EXPECT_FALSE(ZipNameMatchesSpec("\xC3\xA9", "*\xA9"));
    EXPECT_TRUE(ZipNameMatchesSpec("a\xC3\xA9z", "a*z"));
    EXPECT_TRUE(ZipNameMatchesSpec("x\xC3", "x?"));
    EXPECT_TRUE(
        ZipNameMatchesSpec("\xF0"
                           "ab",
                           "?ab"));
}

TEST(ZipExtractRulesTest, NoSpecificationSelectsAll) {
    EXPECT_TRUE(ZipNameSelected("x", {}));
    EXPECT_TRUE(ZipNameSelected("a/x.bin", {"*.txt", "a/*"}));
    EXPECT_FALSE(ZipNameSelected("b/x.bin", {"*.txt", "a/*"}));
}

TEST(ZipExtractRulesTest, WriteChoices) {
    struct TCase {
        bool Freshen, Update, Overwrite, Exists, Newer;
        EZipWriteChoice Choice;
    };
    using C = EZipWriteChoice;
    const TCase cases[] = {
        {false, false, false, false, false, C::Write},      {false, false, false, true, true, C::SkipExisting},
        {false, false, true, true, false, C::Write},        {true, false, false, false, true, C::SkipMissing},
        {true, false, false, true, false, C::SkipNotNewer}, {true, false, false, true, true, C::Write},
        {true, false, true, true, false, C::SkipNotNewer},  {false, true, false, false, false, C::Write},
        {false, true, false, true, false, C::SkipNotNewer}, {false, true, false, true, true, C::Write},
        {true, true, false, false, true, C::Write},
    };
    for (const TCase& c : cases) {
        TZipWriteRules rules;
        rules.Freshen = c.Freshen;
        rules.Update = c.Update;
        rules.Overwrite = c.Overwrite;
        EXPECT_EQ(c.Choice, ChooseZipWrite(rules, c.Exists, c.Newer))
            << c.Freshen << c.Update << c.Overwrite << c.Exists << c.Newer;
    }
}

TEST(ZipExtractRulesTest, NewerAllowsForDosTimeSteps) {
    const uint64_t second = 10000000;
    const uint64_t t = 133000000000000000ull;
    EXPECT_FALSE(ZipEntryIsNewer(t, t, false));
    EXPECT_TRUE(ZipEntryIsNewer(t + 1, t, false));
    EXPECT_FALSE(ZipEntryIsNewer(t - 1, t, false));
    EXPECT_FALSE(ZipEntryIsNewer(t + 2 * second, t, true));
    EXPECT_TRUE(ZipEntryIsNewer(t + 2 * second + 1, t, true));
    EXPECT_FALSE(ZipEntryIsNewer(0, t, true));
}

TEST(ZipExtractRulesTest, UnixTimes) {
    EXPECT_EQ(116444736000000000ull, UnixTimeToFiletime(0));
    EXPECT_EQ(116444736000000000ull + 10000000ull * 1700000000ull, UnixTimeToFiletime(1700000000));
    EXPECT_EQ(116444736000000000ull - 10000000ull, UnixTimeToFiletime(-1));
    EXPECT_EQ(0u, UnixTimeToFiletime(-20000000000ll));
}

}  // namespace
