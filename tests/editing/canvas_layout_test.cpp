#include "editing/canvas_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

CanvasLayout laidOut(std::int32_t zoomSetting, std::int32_t width, std::int32_t height, std::int32_t clientWidth,
                     std::int32_t clientHeight)
{
    CanvasLayout layout;
    layout.setZoom(zoomSetting);
    layout.layout(width, height, clientWidth, clientHeight);
    return layout;
}

TEST(CanvasLayout, AutoZoomFitsTheImageInsideTheMarginsAndNeverDropsBelowOne)
{
    EXPECT_EQ(laidOut(0, 16, 16, 300, 200).zoom(), 10); // min(268 / 16, 168 / 16)
    EXPECT_EQ(laidOut(0, 16, 16, 300, 20).zoom(), 1);
    EXPECT_EQ(laidOut(0, 256, 256, 100, 100).zoom(), 1);
    EXPECT_EQ(laidOut(0, 32, 16, 1000, 1000).zoom(), 30); // the wider side decides
}

TEST(CanvasLayout, SmallImagesGetAWindowOfRoomAndLargeOnesScrollToTheMiddle)
{
    // 16 x 16 at zoom 10 in 300 x 200: 160 drawn is more than half of 300 and of 200.
    const CanvasLayout large = laidOut(0, 16, 16, 300, 200);
    EXPECT_EQ(large.extent(), (ClientPoint{460, 360}));
    EXPECT_EQ(large.origin(), (ClientPoint{150, 100}));
    EXPECT_EQ(large.homePosition(), (ClientPoint{134, 84}));
    // 16 x 16 at zoom 1: a window's width around the 16 pixels.
    const CanvasLayout small = laidOut(1, 16, 16, 300, 200);
    EXPECT_EQ(small.extent(), (ClientPoint{584, 384}));
    EXPECT_EQ(small.origin(), (ClientPoint{284, 184}));
    EXPECT_EQ(laidOut(1, 0, 0, 300, 200).extent(), (ClientPoint{0, 0}));
    EXPECT_EQ(laidOut(1, 0, 0, 300, 200).origin(), (ClientPoint{0, 0}));
}

TEST(CanvasLayout, ZoomSettingsChangeOnlyToKnownNewValues)
{
    CanvasLayout layout;
    EXPECT_EQ(layout.currentZoomSetting(), 0);
    EXPECT_FALSE(layout.setZoom(0)); // already automatic
    EXPECT_FALSE(layout.setZoom(3));
    EXPECT_FALSE(layout.setZoom(-4));
    EXPECT_TRUE(layout.setZoom(12));
    EXPECT_EQ(layout.currentZoomSetting(), 12);
    EXPECT_FALSE(layout.setZoom(12));
    layout.layout(16, 16, 1000, 1000);
    EXPECT_EQ(layout.zoom(), 12); // a fixed zoom is kept by layout
    EXPECT_TRUE(layout.setZoom(0));
    layout.layout(16, 16, 1000, 1000);
    EXPECT_EQ(layout.zoom(), 60);
    EXPECT_EQ(layout.currentZoomSetting(), 0);
}

TEST(CanvasLayout, WindowPointsLeftOfOrAboveTheImageMapToNegativePixels)
{
    const CanvasLayout layout = laidOut(8, 16, 16, 300, 200);
    const ClientPoint scroll{40, 30};
    const ClientPoint corner = layout.pixelToWindow({0, 0}, scroll);
    EXPECT_EQ(corner, (ClientPoint{layout.origin().x - 40, layout.origin().y - 30}));
    EXPECT_EQ(layout.windowToPixel(corner, scroll), (PixelPoint{0, 0}));
    EXPECT_EQ(layout.windowToPixel({corner.x + 7, corner.y + 7}, scroll), (PixelPoint{0, 0}));
    EXPECT_EQ(layout.windowToPixel({corner.x + 8, corner.y + 15}, scroll), (PixelPoint{1, 1}));
    EXPECT_EQ(layout.windowToPixel({corner.x - 1, corner.y}, scroll), (PixelPoint{0, -1}));
    EXPECT_EQ(layout.windowToPixel({corner.x - 8, corner.y - 1}, scroll), (PixelPoint{-1, -2}));
    EXPECT_EQ(layout.windowToPixel({corner.x - 9, corner.y - 8}, scroll), (PixelPoint{-2, -2}));
    for (std::int32_t row = 0; row < 20; ++row)
        for (std::int32_t column = 0; column < 20; ++column)
            ASSERT_EQ(layout.windowToPixel(layout.pixelToWindow({row, column}, scroll), scroll),
                      (PixelPoint{row, column}));
}

TEST(CanvasLayout, DeltasTruncateTowardZeroAndVisiblePixelsAreWholeAndInside)
{
    const CanvasLayout layout = laidOut(8, 64, 64, 200, 100);
    EXPECT_EQ(layout.deltaToPixels({15, -15}), (PixelPoint{-1, 1}));
    EXPECT_EQ(layout.deltaToPixels({-7, 7}), (PixelPoint{0, 0}));
    EXPECT_EQ(layout.deltaToPixels({-16, 24}), (PixelPoint{3, -2}));

    // Image corner 3 pixels right of and 5 below the client corner: the
    // corners mapped are (7, 7) and (193, 93), image points (4, 2) and (190, 88).
    const ClientPoint scroll{layout.origin().x - 3, layout.origin().y - 5};
    EXPECT_EQ(layout.visiblePixels({200, 100}, scroll), (PixelRect{0, 0, 11, 23}));
    // Scrolled 4 pixels into the image: pixel 0 is cut, 1 is the first whole one.
    const ClientPoint inside{layout.origin().x + 4, layout.origin().y + 4};
    EXPECT_EQ(layout.visiblePixels({200, 100}, inside), (PixelRect{1, 1, 12, 24}));
    // Far past the image's end: clipped to the last row and column.
    const ClientPoint end{layout.origin().x + 500, layout.origin().y + 500};
    const PixelRect tail = layout.visiblePixels({200, 100}, end);
    EXPECT_EQ(tail.bottom, 63);
    EXPECT_EQ(tail.right, 63);
}

} // namespace
} // namespace tessaly
