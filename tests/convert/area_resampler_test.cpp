#include "convert/area_resampler.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

using Sample = AreaResampler::Sample;

std::vector<Sample> row(const AreaResampler& resampler, int y, int width, const std::vector<ColorValue>& colors,
                        const std::vector<std::uint8_t>& transparent)
{
    std::vector<Sample> out(static_cast<std::size_t>(width));
    resampler.resampleRow(y, colors, transparent, out);
    return out;
}

TEST(AreaResampler, ThreeColumnsIntoTwoWeighTwoToOne)
{
    // Column 0 of the result covers all of source column 0 and half of column
    // 1; column 1 the other half and all of column 2.
    const AreaResampler resampler(3, 1, 2, 1);
    const std::vector<ColorValue> colors = {makeColor(30, 0, 0, 255), makeColor(60, 3, 0, 255),
                                            makeColor(90, 0, 6, 0)};
    const auto out = row(resampler, 0, 2, colors, {0, 0, 1});
    EXPECT_EQ(out[0].color, makeColor(40, 1, 0, 255));
    EXPECT_EQ(out[1].color, makeColor(80, 1, 4, 85));
    EXPECT_TRUE(out[0].opaque);
    EXPECT_TRUE(out[1].opaque); // two thirds transparent
}

TEST(AreaResampler, MoreThanThreeQuartersTransparentStaysTransparent)
{
    const AreaResampler resampler(4, 1, 1, 1);
    const std::vector<ColorValue> colors(4, makeColor(8, 8, 8));
    EXPECT_TRUE(row(resampler, 0, 1, colors, {1, 1, 1, 0})[0].opaque);
    EXPECT_FALSE(row(resampler, 0, 1, colors, {1, 1, 1, 1})[0].opaque);
    const AreaResampler fifths(5, 1, 1, 1);
    const std::vector<ColorValue> five(5, makeColor(8, 8, 8));
    // 4 of 5 is more than three quarters.
    EXPECT_FALSE(row(fifths, 0, 1, five, {1, 1, 0, 1, 1})[0].opaque);
}

TEST(AreaResampler, EnlargingRepeatsRowsAndColumns)
{
    const AreaResampler resampler(2, 2, 6, 4);
    const std::vector<ColorValue> colors = {1, 2, 3, 4};
    for (int y = 0; y < 4; ++y) {
        const auto out = row(resampler, y, 6, colors, {0, 1, 0, 1});
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(out[static_cast<std::size_t>(x)].color, colors[static_cast<std::size_t>(y / 2 * 2 + x / 3)]);
            EXPECT_EQ(out[static_cast<std::size_t>(x)].opaque, x / 3 == 0);
        }
    }
}

TEST(AreaResampler, AnEmptySourceGivesTransparentBlack)
{
    const AreaResampler resampler(0, 3, 4, 2);
    const auto out = row(resampler, 1, 4, {}, {});
    for (const Sample& s : out) {
        EXPECT_EQ(s.color, 0u);
        EXPECT_FALSE(s.opaque);
    }
}

} // namespace
} // namespace tessaly
