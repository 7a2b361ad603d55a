#include <gtest/gtest.h>

#include "main/StatusThrottle.h"

namespace {

TEST(StatusThrottle, LetsTheFirstTextThroughAndThenOneAnInterval) {
    TStatusThrottle throttle(50);
    EXPECT_TRUE(throttle.Offer(1000, "a"));
    EXPECT_FALSE(throttle.Offer(1000, "b"));
    EXPECT_FALSE(throttle.Offer(1049, "c"));
    EXPECT_TRUE(throttle.Offer(1050, "d"));
    EXPECT_FALSE(throttle.Offer(1060, "e"));
    EXPECT_TRUE(throttle.Offer(5000, "f"));
}

TEST(StatusThrottle, ResetAndABackwardClockShowTheNextText) {
    TStatusThrottle throttle(50);
    EXPECT_TRUE(throttle.Offer(1000, "a"));
    throttle.Reset();
    EXPECT_TRUE(throttle.Offer(1001, "b"));
    EXPECT_TRUE(throttle.Offer(10, "c"));  // the clock was set back
    EXPECT_FALSE(throttle.Offer(20, "d"));
}

TEST(StatusThrottle, TheLatestHeldBackTextComesOutOnceItIsDue) {
    TStatusThrottle throttle(100);
    std::string text;
    EXPECT_FALSE(throttle.TakeDue(0, text));  // nothing offered yet
    ASSERT_TRUE(throttle.Offer(1000, "C:\\A\\"));
    EXPECT_FALSE(throttle.TakeDue(2000, text));  // A was shown: nothing held back

    EXPECT_FALSE(throttle.Offer(1030, "C:\\B\\"));
    EXPECT_FALSE(throttle.Offer(1050, "C:\\Big\\"));
    EXPECT_FALSE(throttle.TakeDue(1099, text));
    ASSERT_TRUE(throttle.TakeDue(1100, text));
    EXPECT_EQ(text, "C:\\Big\\");
    EXPECT_FALSE(throttle.TakeDue(1300, text));  // given out once only

    // Taking it counted as showing it: the next offer waits its interval.
    EXPECT_FALSE(throttle.Offer(1150, "C:\\Next\\"));
    EXPECT_TRUE(throttle.Offer(1200, "C:\\Later\\"));
    EXPECT_FALSE(throttle.TakeDue(5000, text));  // shown directly, so nothing is held back
}

TEST(StatusThrottle, ResetDropsTheHeldBackText) {
    TStatusThrottle throttle(100);
    std::string text;
    ASSERT_TRUE(throttle.Offer(1000, "C:\\A\\"));
    EXPECT_FALSE(throttle.Offer(1010, "C:\\B\\"));
    throttle.Reset();  // the scan ended and "Done." stands
    EXPECT_FALSE(throttle.TakeDue(5000, text));
}

}  // namespace
