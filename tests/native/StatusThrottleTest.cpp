#include <gtest/gtest.h>

#include "main/StatusThrottle.h"

namespace {

TEST(StatusThrottle, LetsTheFirstTextThroughAndThenOneAnInterval) {
    TStatusThrottle throttle(50);
    EXPECT_TRUE(throttle.Due(1000));
    EXPECT_FALSE(throttle.Due(1000));
    EXPECT_FALSE(throttle.Due(1049));
    EXPECT_TRUE(throttle.Due(1050));
    EXPECT_FALSE(throttle.Due(1060));
    EXPECT_TRUE(throttle.Due(5000));
}

TEST(StatusThrottle, ResetAndABackwardClockShowTheNextText) {
    TStatusThrottle throttle(50);
    EXPECT_TRUE(throttle.Due(1000));
    throttle.Reset();
    EXPECT_TRUE(throttle.Due(1001));
    EXPECT_TRUE(throttle.Due(10));  // the clock was set back
    EXPECT_FALSE(throttle.Due(20));
}

}  // namespace
