#include "image/standard_palette.h"

#include <gtest/gtest.h>

#include <set>

#include "image/icon_image.h"

namespace tessaly {
namespace {

TEST(StandardPalette, SizesByBitCount)
{
    EXPECT_EQ(standardPalette(1).size(), 2u);
    EXPECT_EQ(standardPalette(4).size(), 16u);
    EXPECT_EQ(standardPalette(8).size(), 256u);
    EXPECT_TRUE(standardPalette(24).empty());
    EXPECT_TRUE(standardPalette(32).empty());
}

TEST(StandardPalette, TwoFiftySixColoursAreDistinctAndUsable)
{
    const auto table = standardPalette(8);
    const std::set<ColorValue> distinct(table.begin(), table.end());
    EXPECT_EQ(distinct.size(), 256u);
    for (ColorValue c : table)
        EXPECT_EQ(alphaOf(c), 0);
    // The static colours frame the table; black first, white last.
    EXPECT_EQ(table[0], makeColor(0, 0, 0));
    EXPECT_EQ(table[7], makeColor(192, 192, 192));
    EXPECT_EQ(table[249], makeColor(255, 0, 0));
    EXPECT_EQ(table[255], makeColor(255, 255, 255));
    // Every web-safe colour is in it.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                EXPECT_TRUE(distinct.count(makeColor(webSafeLevel(r), webSafeLevel(g), webSafeLevel(b))));
}

TEST(StandardPalette, ANewTwoFiftySixColourIconGetsTheTable)
{
    IconImage image;
    ASSERT_TRUE(image.create(1, 1, 8));
    image.setStandardPalette();
    const auto table = standardPalette(8);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(image.getPaletteColor(i), table[static_cast<std::size_t>(i)]) << i;
}

} // namespace
} // namespace tessaly
