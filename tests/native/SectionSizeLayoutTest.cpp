#include <gtest/gtest.h>

#include <utility>

#include "pie/SectionSizeLayout.h"

namespace {

TEST(SectionSizeLayoutTest, DriveTextsCarryTheLetterAndTheSuffix) {
    EXPECT_EQ("Drive ?:", SectionDriveCaption('?'));
    EXPECT_EQ("Drive C:", SectionDriveCaption('C'));
    EXPECT_EQ(" out of", SectionFreeSpaceCaption(""));
    EXPECT_EQ("123 MB out of", SectionFreeSpaceCaption("123 MB"));
}

TEST(SectionSizeLayoutTest, GaugeLeftIsHalfTheSpareWidthTruncated) {
    EXPECT_EQ(33, CenteredGaugeLeft(98, 32));
    EXPECT_EQ(33, CenteredGaugeLeft(99, 32));
    EXPECT_EQ(0, CenteredGaugeLeft(32, 32));
    EXPECT_EQ(-5, CenteredGaugeLeft(22, 32));  // truncated towards zero, as integer division
    EXPECT_EQ(-5, CenteredGaugeLeft(21, 32));
}

TEST(SectionSizeLayoutTest, PartsStackFromTopToBottomAtTheirHeights) {
    const TSectionSizeLayout layout = LayOutSectionSizeBox(90, 210);
    EXPECT_EQ(0, layout.WastedPanel.Top);
    EXPECT_EQ(97, layout.WastedPanel.Bottom);
    EXPECT_EQ(0, layout.WastedTitle.Top);
    EXPECT_EQ(17, layout.WastedSize.Top);
    EXPECT_EQ(34, layout.WastedSize.Bottom);
    EXPECT_EQ(38, layout.WastedGauge.Top);
    EXPECT_EQ(70, layout.WastedGauge.Bottom);
    // The footer and the bevel sit on the panel's bottom, bevel lowest.
    EXPECT_EQ(74, layout.WastedFooter.Top);
    EXPECT_EQ(89, layout.WastedFooter.Bottom);
    EXPECT_EQ(89, layout.Bevel.Top);
    EXPECT_EQ(97, layout.Bevel.Bottom);

    EXPECT_EQ(97, layout.DrivePanel.Top);
    EXPECT_EQ(210, layout.DrivePanel.Bottom);
    EXPECT_EQ(97, layout.DriveTitle.Top);
    EXPECT_EQ(122, layout.DriveTitle.Bottom);
    EXPECT_EQ(122, layout.FreeSpaceTitle.Top);
    EXPECT_EQ(137, layout.FreeSpacePanel.Top);
    EXPECT_EQ(180, layout.FreeSpacePanel.Bottom);
    EXPECT_EQ(143, layout.FreeSpaceGauge.Top);
    EXPECT_EQ(175, layout.FreeSpaceGauge.Bottom);
    EXPECT_EQ(180, layout.FreeSpace.Top);
    EXPECT_EQ(195, layout.Capacity.Top);
    EXPECT_EQ(210, layout.Capacity.Bottom);
}

TEST(SectionSizeLayoutTest, EveryBandSpansTheClientWidthAndTheGaugesStayCentred) {
    for (int width : {90, 91, 200, 20}) {
        const TSectionSizeLayout layout = LayOutSectionSizeBox(width, 210);
        for (const TRect& band : {layout.WastedPanel, layout.WastedTitle, layout.WastedSize, layout.WastedFooter,
                                  layout.Bevel, layout.DrivePanel, layout.DriveTitle, layout.FreeSpaceTitle,
                                  layout.FreeSpacePanel, layout.FreeSpace, layout.Capacity}) {
            EXPECT_EQ(0, band.Left) << width;
            EXPECT_EQ(width, band.Right) << width;
        }
        for (const TRect& gauge : {layout.WastedGauge, layout.FreeSpaceGauge}) {
            EXPECT_EQ((width - 32) / 2, gauge.Left) << width;
            EXPECT_EQ(32, gauge.Right - gauge.Left) << width;
        }
    }
}

TEST(SectionSizeLayoutTest, At150PercentEveryPartIsHalfAsLargeAgain) {
    const TSectionSizeLayout at96 = LayOutSectionSizeBox(98, 238);
    const TSectionSizeLayout at144 = LayOutSectionSizeBox(147, 357, TPixelScale(144));
    const std::pair<TRect, TRect> parts[] = {{at96.WastedPanel, at144.WastedPanel},
                                             {at96.WastedTitle, at144.WastedTitle},
                                             {at96.WastedSize, at144.WastedSize},
                                             {at96.WastedGauge, at144.WastedGauge},
                                             {at96.WastedFooter, at144.WastedFooter},
                                             {at96.Bevel, at144.Bevel},
                                             {at96.DrivePanel, at144.DrivePanel},
                                             {at96.DriveTitle, at144.DriveTitle},
                                             {at96.FreeSpaceTitle, at144.FreeSpaceTitle},
                                             {at96.FreeSpacePanel, at144.FreeSpacePanel},
                                             {at96.FreeSpaceGauge, at144.FreeSpaceGauge},
                                             {at96.FreeSpace, at144.FreeSpace},
                                             {at96.Capacity, at144.Capacity}};
    for (const auto& [small, large] : parts) {
        // Each edge within a pixel of the exact 1.5 times: heights are
        // rounded one by one as they stack.
        EXPECT_NEAR(small.Left * 1.5, large.Left, 1.0);
        EXPECT_NEAR(small.Top * 1.5, large.Top, 1.0);
        EXPECT_NEAR(small.Right * 1.5, large.Right, 1.0);
        EXPECT_NEAR(small.Bottom * 1.5, large.Bottom, 1.0);
    }
    EXPECT_EQ(48, at144.WastedGauge.Right - at144.WastedGauge.Left);
    EXPECT_EQ(48, at144.FreeSpaceGauge.Bottom - at144.FreeSpaceGauge.Top);
    // Neighbours still meet: no gap and no overlap from the rounding.
    EXPECT_EQ(at144.WastedTitle.Bottom, at144.WastedSize.Top);
    EXPECT_EQ(at144.WastedFooter.Bottom, at144.Bevel.Top);
    EXPECT_EQ(at144.FreeSpacePanel.Bottom, at144.FreeSpace.Top);
    EXPECT_EQ(at144.FreeSpace.Bottom, at144.Capacity.Top);
}

TEST(SectionSizeLayoutTest, AShortWindowLeavesTheDrivePanelEmptyNotInverted) {
    const TSectionSizeLayout layout = LayOutSectionSizeBox(90, 50);
    EXPECT_EQ(97, layout.DrivePanel.Top);
    EXPECT_EQ(97, layout.DrivePanel.Bottom);
    const TSectionSizeLayout negative = LayOutSectionSizeBox(-4, -4);
    EXPECT_EQ(0, negative.WastedPanel.Right);
    EXPECT_EQ(-16, negative.WastedGauge.Left);
}

}  // namespace
