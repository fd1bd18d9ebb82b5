#include "convert/color_histogram.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace tessaly {
namespace {

TEST(ColorHistogram, CountsColoursInOrderOfFirstAppearance)
{
    ColorHistogram histogram;
    for (ColorValue c : {5u, 9u, 5u, 5u, 7u, 9u, 0u, 5u})
        histogram.add(c);
    const auto& entries = histogram.entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].color, 5u);
    EXPECT_EQ(entries[0].count, 4u);
    EXPECT_EQ(entries[1].color, 9u);
    EXPECT_EQ(entries[1].count, 2u);
    EXPECT_EQ(entries[2].color, 7u);
    EXPECT_EQ(entries[2].count, 1u);
    EXPECT_EQ(entries[3].color, 0u);
    EXPECT_EQ(entries[3].count, 1u);
    EXPECT_EQ(histogram.total(), 8u);
}

// Enough colours to make the table grow many times, with colours that differ
// only in high or only in low bits, as neighbouring photo pixels do.
TEST(ColorHistogram, KeepsOrderAndCountsThroughGrowth)
{
    std::mt19937 rng(4);
    std::vector<ColorValue> order;
    std::map<ColorValue, std::uint32_t> counts;
    ColorHistogram histogram;
    for (int i = 0; i < 400000; ++i) {
        const ColorValue c = rng() % 2 ? rng() % 70000 : (rng() % 300) << 16;
        if (counts[c]++ == 0)
            order.push_back(c);
        histogram.add(c);
    }
    const auto& entries = histogram.entries();
    ASSERT_EQ(entries.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        ASSERT_EQ(entries[i].color, order[i]) << i;
        ASSERT_EQ(entries[i].count, counts[order[i]]) << i;
    }
    EXPECT_EQ(histogram.total(), 400000u);
    const auto taken = histogram.takeEntries();
    EXPECT_EQ(taken.size(), order.size());
    EXPECT_TRUE(histogram.entries().empty());
    histogram.add(order.back());
    ASSERT_EQ(histogram.entries().size(), 1u);
    EXPECT_EQ(histogram.entries()[0].count, 1u);
}

} // namespace
} // namespace tessaly
