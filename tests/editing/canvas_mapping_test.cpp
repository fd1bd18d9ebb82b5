#include "editing/canvas_mapping.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

// The mapping on its own, as the fake canvas of the tool tests uses it: an
// image 5 x 4 at zoom 3 whose corner lies at (10, 20) of the scrolled area.
TEST(CanvasMapping, MapsAroundAGivenOriginAndClipsTheVisiblePixelsToTheImage)
{
    const CanvasMapping mapping(3, ClientPoint{10, 20}, 5, 4);
    const ClientPoint scroll{4, 2};
    EXPECT_EQ(mapping.pixelToWindow({0, 0}, scroll), (ClientPoint{6, 18}));
    EXPECT_EQ(mapping.pixelToWindow({2, 4}, scroll), (ClientPoint{18, 24}));
    EXPECT_EQ(mapping.windowToPixel({6, 18}, scroll), (PixelPoint{0, 0}));
    EXPECT_EQ(mapping.windowToPixel({8, 20}, scroll), (PixelPoint{0, 0}));
    EXPECT_EQ(mapping.windowToPixel({9, 21}, scroll), (PixelPoint{1, 1}));
    EXPECT_EQ(mapping.windowToPixel({5, 17}, scroll), (PixelPoint{-1, -1}));
    EXPECT_EQ(mapping.windowToPixel({4, 16}, scroll), (PixelPoint{-1, -1}));
    EXPECT_EQ(mapping.windowToPixel({2, 14}, scroll), (PixelPoint{-2, -2}));
    EXPECT_EQ(mapping.deltaToPixels({-5, 7}), (PixelPoint{2, -1}));
    // A 12 x 30 client area shows columns 0..1 whole (client x 6..11) and
    // every row; one scrolled far off the image shows nothing.
    EXPECT_EQ(mapping.visiblePixels({12, 30}, scroll), (PixelRect{0, 0, 3, 1}));
    EXPECT_TRUE(mapping.visiblePixels({12, 30}, ClientPoint{100, 100}).isEmpty());
}

} // namespace
} // namespace tessaly
