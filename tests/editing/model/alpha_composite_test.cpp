#include "editing/model/alpha_composite.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

TEST(AlphaComposite, TransparentOverTransparentIsZero)
{
    EXPECT_EQ(compositeColor(makeColor(200, 100, 50, 0), makeColor(1, 2, 3, 0)), 0u);
}

TEST(AlphaComposite, OpaqueContentReplacesThePixel)
{
    EXPECT_EQ(compositeColor(makeColor(200, 100, 50, 255), makeColor(1, 2, 3, 77)), makeColor(200, 100, 50, 255));
}

TEST(AlphaComposite, InvisibleContentLeavesAnOpaquePixel)
{
    EXPECT_EQ(compositeColor(makeColor(200, 100, 50, 0), makeColor(1, 2, 3, 255)), makeColor(1, 2, 3, 255));
}

TEST(AlphaComposite, HalfAlphaOverOpaqueWeighsBoth)
{
    // (s x 128 + d x 127) / 255 per channel: 26870 / 255, 15340 / 255, 10210 / 255.
    EXPECT_EQ(compositeColor(makeColor(200, 100, 50, 128), makeColor(10, 20, 30, 255)), makeColor(105, 60, 40, 255));
}

TEST(AlphaComposite, PartlyTransparentPixelsAddTheirAlpha)
{
    // k = min(155, 50) = 50, a = 150: 20000 / 150, 12500 / 150, 12500 / 150.
    EXPECT_EQ(compositeColor(makeColor(200, 100, 0, 100), makeColor(0, 50, 250, 50)), makeColor(133, 83, 83, 150));
}

TEST(AlphaComposite, ResultAlphaIsTheSaturatedSumAndChannelsStayBetween)
{
    for (int sa = 0; sa < 256; ++sa) {
        for (int da = 0; da < 256; ++da) {
            const ColorValue s = makeColor(250, 3, 128, static_cast<std::uint8_t>(sa));
            const ColorValue d = makeColor(7, 240, 128, static_cast<std::uint8_t>(da));
            const ColorValue out = compositeColor(s, d);
            ASSERT_EQ(alphaOf(out), std::min(255, sa + da));
            if (sa + da == 0)
                continue;
            ASSERT_GE(redOf(out), 7);
            ASSERT_LE(redOf(out), 250);
            ASSERT_GE(greenOf(out), 3);
            ASSERT_LE(greenOf(out), 240);
            ASSERT_EQ(blueOf(out), 128);
        }
    }
}

} // namespace
} // namespace tessaly
