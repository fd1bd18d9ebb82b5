#include "app/preview_layout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tessaly {

void PrintTo(const ClientArea& a, std::ostream* os)
{
    *os << "[" << a.left << "," << a.top << " - " << a.right << "," << a.bottom << ")";
}

namespace {

TEST(PreviewLayout, AutoZoomEnlargesByTheLargestWholeFactorThatFitsAndCentres)
{
    const PreviewLayout layout = PreviewLayout::compute(32, 32, 100, 70, true);
    EXPECT_EQ(layout.zoom(), 2); // 70 div 32
    EXPECT_TRUE(layout.magnifies());
    EXPECT_EQ(layout.origin(), (ClientPoint{18, 3}));
    EXPECT_EQ(layout.imageArea(), (ClientArea{18, 3, 82, 67}));

    const PreviewLayout real = PreviewLayout::compute(32, 32, 100, 70, false);
    EXPECT_EQ(real.zoom(), 1);
    EXPECT_TRUE(real.magnifies());
    EXPECT_EQ(real.origin(), (ClientPoint{34, 19}));
}

TEST(PreviewLayout, AutoZoomReducesByTheSmallestDivisorThatFitsAndDropsPartialBlocks)
{
    const PreviewLayout layout = PreviewLayout::compute(256, 256, 100, 100, true);
    EXPECT_EQ(layout.zoom(), 3); // 256 / 100 rounded up
    EXPECT_FALSE(layout.magnifies());
    EXPECT_EQ(layout.origin(), (ClientPoint{7, 7}));
    EXPECT_EQ(layout.shownWidth(), 85);
    EXPECT_EQ(layout.shownHeight(), 85);
    // The last image row and column (255) would start preview pixel 85: not shown.
    const PreviewPaint all = layout.paintFor({0, 0, 100, 100});
    EXPECT_EQ(all.range, (PixelRect{0, 0, 84, 84}));
    EXPECT_EQ(all.destination, (ClientArea{7, 7, 92, 92}));

    // The direction that needs the larger divisor decides.
    const PreviewLayout wide = PreviewLayout::compute(256, 256, 120, 80, true);
    EXPECT_EQ(wide.zoom(), 4);
    EXPECT_EQ(wide.origin(), (ClientPoint{28, 8}));
    const PreviewLayout tall = PreviewLayout::compute(40, 300, 100, 100, true);
    EXPECT_EQ(tall.zoom(), 3);
    EXPECT_EQ(tall.imageArea(), (ClientArea{43, 0, 56, 100}));
}

TEST(PreviewLayout, AtRealSizeALargerImageStartsInTheCornerAndIsCutAtTheEdges)
{
    const PreviewLayout layout = PreviewLayout::compute(64, 20, 40, 30, false);
    EXPECT_EQ(layout.origin(), (ClientPoint{0, 5}));
    const PreviewPaint all = layout.paintFor({0, 0, 40, 30});
    EXPECT_EQ(all.range, (PixelRect{0, 0, 19, 39}));
    EXPECT_EQ(all.destination, (ClientArea{0, 5, 40, 25}));
}

TEST(PreviewLayout, NothingIsShownWithoutAnImageOrWithoutRoom)
{
    for (const PreviewLayout& layout :
         {PreviewLayout::compute(32, 32, 0, 70, true), PreviewLayout::compute(32, 32, 100, 0, false),
          PreviewLayout::compute(0, 0, 100, 70, true)}) {
        EXPECT_TRUE(layout.showsNothing());
        EXPECT_TRUE(layout.paintFor({0, 0, 100, 70}).isEmpty());
        EXPECT_TRUE(layout.areaOfPixels({0, 0, 3, 3}).isEmpty());
    }
}

TEST(PreviewLayout, ChangedPixelsRepaintTheirBlocksAndPaintsComposeWholeBlocks)
{
    const PreviewLayout magnified = PreviewLayout::compute(32, 32, 100, 70, true);
    // Rows 1..3, columns 2..4 at zoom 2 from (18, 3).
    EXPECT_EQ(magnified.areaOfPixels({1, 2, 3, 4}), (ClientArea{22, 5, 28, 11}));
    // One screen pixel inside pixel (1, 2) composes that pixel's whole block.
    const PreviewPaint one = magnified.paintFor({23, 6, 24, 7});
    EXPECT_EQ(one.range, (PixelRect{1, 2, 1, 2}));
    EXPECT_EQ(one.destination, (ClientArea{22, 5, 24, 7}));
    // Only the image's part of an update is composed; beside it, nothing.
    const PreviewPaint edge = magnified.paintFor({0, 0, 19, 4});
    EXPECT_EQ(edge.range, (PixelRect{0, 0, 0, 0}));
    EXPECT_EQ(edge.destination, (ClientArea{18, 3, 20, 5}));
    EXPECT_TRUE(magnified.paintFor({0, 0, 18, 70}).isEmpty());
    EXPECT_TRUE(magnified.paintFor({82, 0, 100, 70}).isEmpty());

    const PreviewLayout reduced = PreviewLayout::compute(256, 256, 100, 100, true);
    EXPECT_EQ(reduced.areaOfPixels({0, 0, 2, 2}), (ClientArea{7, 7, 8, 8}));
    EXPECT_EQ(reduced.areaOfPixels({3, 4, 5, 8}), (ClientArea{8, 8, 10, 9}));
    const PreviewPaint part = reduced.paintFor({10, 20, 12, 21});
    EXPECT_EQ(part.range, (PixelRect{13, 3, 13, 4}));
    EXPECT_EQ(part.destination, (ClientArea{10, 20, 12, 21}));
}

} // namespace
} // namespace tessaly
