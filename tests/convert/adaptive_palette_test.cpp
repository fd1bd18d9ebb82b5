#include "convert/adaptive_palette.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

using Entry = ColorHistogram::Entry;

TEST(AdaptivePalette, NoColoursLeaveBlackBetweenBlackAndWhite)
{
    const auto palette = AdaptivePalette::build({});
    EXPECT_EQ(palette[0], makeColor(0, 0, 0));
    EXPECT_EQ(palette[255], makeColor(255, 255, 255));
    for (std::size_t i = 1; i < 255; ++i)
        EXPECT_EQ(palette[i], makeColor(0, 0, 0));
}

// 255 colours do not fit: the first entry is the weighted mean of them all,
// and the second the mean of the heaviest octant around it.
TEST(AdaptivePalette, TooManyColoursStartWithTheWeightedMeanOfAll)
{
    std::vector<Entry> colors;
    for (std::uint32_t i = 0; i < 255; ++i)
        colors.push_back(
            {makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i / 2), 10), i < 200 ? 1u : 40u});
    std::uint64_t weight = 0, red = 0, green = 0;
    for (const Entry& e : colors) {
        weight += e.count;
        red += e.count * redOf(e.color);
        green += e.count * greenOf(e.color);
    }
    const ColorValue mean =
        makeColor(static_cast<std::uint8_t>(red / weight), static_cast<std::uint8_t>(green / weight), 10);
    std::uint64_t upperWeight = 0, upperRed = 0, upperGreen = 0;
    for (const Entry& e : colors) {
        // Red and green above the mean: octant 3, which holds the heavy tail.
        if (redOf(e.color) > redOf(mean) && greenOf(e.color) > greenOf(mean)) {
            upperWeight += e.count;
            upperRed += e.count * redOf(e.color);
            upperGreen += e.count * greenOf(e.color);
        }
    }
    const auto palette = AdaptivePalette::build(colors);
    EXPECT_EQ(palette[1], mean);
    EXPECT_EQ(palette[2], makeColor(static_cast<std::uint8_t>(upperRed / upperWeight),
                                    static_cast<std::uint8_t>(upperGreen / upperWeight), 10));
    EXPECT_EQ(palette[0], makeColor(0, 0, 0));
    EXPECT_EQ(palette[255], makeColor(255, 255, 255));
}

} // namespace
} // namespace tessaly
