#include "app/preview_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PreviewLayout, AutoZoomEnlargesOrReducesByWholeFactorsAndCentres)
{
    const PreviewLayout grown = PreviewLayout::compute(32, 32, 100, 70, true);
    EXPECT_EQ(grown.zoom(), 2); // 70 div 32
    EXPECT_TRUE(grown.magnifies());
    EXPECT_EQ(grown.imageArea(), (ClientRect{18, 3, 82, 67}));

    const PreviewLayout reduced = PreviewLayout::compute(256, 256, 100, 100, true);
    EXPECT_EQ(reduced.zoom(), 3); // 256 / 100 rounded up
    EXPECT_FALSE(reduced.magnifies());
    EXPECT_EQ(reduced.imageArea(), (ClientRect{7, 7, 92, 92}));
    // The last row and column would begin preview pixel 85: a partial block, not shown.
    const PreviewPaint all = reduced.paintFor({0, 0, 100, 100});
    EXPECT_EQ(all.range, (PixelRect{0, 0, 84, 84}));
    EXPECT_EQ(all.destination, (ClientRect{7, 7, 92, 92}));
    // The side that needs the larger divisor decides.
    EXPECT_EQ(PreviewLayout::compute(40, 300, 100, 100, true).imageArea(), (ClientRect{43, 0, 56, 100}));

    // At real size a larger image starts at the corner and is cut at the edges.
    const PreviewLayout real = PreviewLayout::compute(64, 20, 40, 30, false);
    EXPECT_EQ(real.zoom(), 1);
    EXPECT_EQ(real.paintFor({0, 0, 40, 30}).range, (PixelRect{0, 0, 19, 39}));
    EXPECT_EQ(real.paintFor({0, 0, 40, 30}).destination, (ClientRect{0, 5, 40, 25}));

    for (const PreviewLayout& none :
         {PreviewLayout::compute(32, 32, 0, 70, true), PreviewLayout::compute(0, 0, 100, 70, false)}) {
        EXPECT_TRUE(none.showsNothing());
        EXPECT_TRUE(none.paintFor({0, 0, 100, 70}).isEmpty());
        EXPECT_TRUE(none.areaOfPixels({0, 0, 3, 3}).isEmpty());
    }
}

TEST(PreviewLayout, ChangedPixelsRepaintTheirBlocksAndPaintsComposeWholeBlocks)
{
    const PreviewLayout grown = PreviewLayout::compute(32, 32, 100, 70, true);
    EXPECT_EQ(grown.areaOfPixels({1, 2, 3, 4}), (ClientRect{22, 5, 28, 11}));
    // One screen pixel inside image pixel (1, 2) composes its whole block.
    const PreviewPaint one = grown.paintFor({23, 6, 24, 7});
    EXPECT_EQ(one.range, (PixelRect{1, 2, 1, 2}));
    EXPECT_EQ(one.destination, (ClientRect{22, 5, 24, 7}));
    // Only the image's part of an update is composed.
    EXPECT_EQ(grown.paintFor({0, 0, 19, 4}).destination, (ClientRect{18, 3, 20, 5}));
    EXPECT_TRUE(grown.paintFor({82, 0, 100, 70}).isEmpty());

    const PreviewLayout reduced = PreviewLayout::compute(256, 256, 100, 100, true);
    EXPECT_EQ(reduced.areaOfPixels({3, 4, 5, 8}), (ClientRect{8, 8, 10, 9}));
    const PreviewPaint part = reduced.paintFor({10, 20, 12, 21});
    EXPECT_EQ(part.range, (PixelRect{13, 3, 13, 4}));
    EXPECT_EQ(part.destination, (ClientRect{10, 20, 12, 21}));
}

} // namespace
} // namespace tessaly
