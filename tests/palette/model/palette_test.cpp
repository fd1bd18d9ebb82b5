#include "palette/model/palette.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/recording_palette_observers.h"

namespace tessaly {
namespace {

using Log = std::vector<std::string>;

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { palette.setObservers(views.observers()); }

    // Links the palette to a 4-bit icon whose entry i is (i, 2i, 3i).
    void linkSixteen()
    {
        IconImage icon;
        ASSERT_TRUE(icon.create(2, 2, 4));
        for (std::int32_t i = 0; i < 16; ++i)
            icon.setPaletteColor(i, makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i),
                                              static_cast<std::uint8_t>(3 * i)));
        ASSERT_TRUE(palette.takeFromIcon(icon));
        views.log.clear();
    }

    std::vector<ColorValue> entries() const
    {
        std::vector<ColorValue> out;
        EXPECT_TRUE(palette.copyTo(out));
        return out;
    }

    Palette palette;
    test::RecordingPaletteObservers views;
};

TEST_F(PaletteTest, StartsEmptyFreeAndApplyingColourChanges)
{
    EXPECT_EQ(palette.length(), 0);
    EXPECT_FALSE(palette.isLinked());
    EXPECT_TRUE(palette.applyColorChanges());
    EXPECT_EQ(palette.nearestIndex(makeColor(1, 2, 3)), -1);
}

TEST_F(PaletteTest, TakesTheIconsColoursAndLinks)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(1, 1, 1));
    icon.paletteData()[4] = 0x30; // entry 1: blue, green, red, 0
    icon.paletteData()[5] = 0x20;
    icon.paletteData()[6] = 0x10;
    ASSERT_TRUE(palette.takeFromIcon(icon));
    EXPECT_TRUE(palette.isLinked());
    ASSERT_EQ(palette.length(), 2);
    EXPECT_EQ(palette.entry(0), 0u);
    EXPECT_EQ(palette.entry(1), makeColor(0x10, 0x20, 0x30));
    EXPECT_EQ(views.log, (Log{"window: relayout", "canvas: all", "preview: all", "colour: refresh"}));
}

TEST_F(PaletteTest, AnIconWithoutPaletteChangesNothing)
{
    const std::vector<ColorValue> free{1, 2, 3};
    palette.replace(free);
    views.log.clear();
    IconImage icon;
    ASSERT_TRUE(icon.create(2, 2, 24));
    EXPECT_FALSE(palette.takeFromIcon(icon));
    EXPECT_FALSE(palette.writeToIcon(icon));
    EXPECT_FALSE(palette.isLinked());
    EXPECT_EQ(entries(), free);
    EXPECT_TRUE(views.log.empty());
}

TEST_F(PaletteTest, WritesEntriesIntoTheIconAsBlueGreenRedZero)
{
    linkSixteen();
    palette.setEntry(3, 0x7F112233); // a top byte set by the colour window
    IconImage icon;
    ASSERT_TRUE(icon.create(2, 2, 4));
    ASSERT_TRUE(palette.writeToIcon(icon));
    const auto bytes = icon.paletteData();
    EXPECT_EQ(bytes[12], 0x11);
    EXPECT_EQ(bytes[13], 0x22);
    EXPECT_EQ(bytes[14], 0x33);
    EXPECT_EQ(bytes[15], 0x00);
    for (std::int32_t i = 0; i < 16; ++i)
        EXPECT_EQ(icon.getPaletteColor(i), palette.entry(i) & 0xFFFFFF);
}

TEST_F(PaletteTest, WritingALongerPaletteStopsAtTheIconsTable)
{
    std::vector<ColorValue> many(300);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = makeColor(static_cast<std::uint8_t>(i), 1, 2);
    palette.replace(many);
    IconImage icon;
    ASSERT_TRUE(icon.create(1, 1, 1));
    ASSERT_TRUE(palette.writeToIcon(icon));
    EXPECT_EQ(icon.colorCount(), 2);
    EXPECT_EQ(icon.paletteData().size(), 8u);
    EXPECT_EQ(icon.getPaletteColor(1), makeColor(1, 1, 2));
}

TEST_F(PaletteTest, ReplaceFreesThePaletteAndTellsOnlyThePaletteViews)
{
    linkSixteen();
    const std::vector<ColorValue> free{makeColor(9, 9, 9), makeColor(8, 8, 8)};
    palette.replace(free);
    EXPECT_FALSE(palette.isLinked());
    EXPECT_EQ(entries(), free);
    EXPECT_EQ(views.log, (Log{"window: relayout", "colour: refresh"}));
    std::vector<ColorValue> copy{5, 5, 5, 5, 5};
    ASSERT_TRUE(palette.copyTo(copy));
    EXPECT_EQ(copy, free);
}

TEST_F(PaletteTest, ReplaceWithItsOwnEntriesKeepsThem)
{
    palette.replace(std::vector<ColorValue>{4, 5, 6});
    std::vector<ColorValue> same = entries();
    palette.replace(same);
    EXPECT_EQ(entries(), same);
}

TEST_F(PaletteTest, SetEntryOfAFreePaletteRepaintsOnlyItsCell)
{
    palette.replace(std::vector<ColorValue>(4, 0));
    views.log.clear();
    palette.setEntry(2, makeColor(1, 2, 3));
    EXPECT_EQ(palette.entry(2), makeColor(1, 2, 3));
    EXPECT_EQ(views.log, (Log{"window: cells 2-2"}));
    views.log.clear();
    palette.setEntry(4, 1);
    palette.setEntry(-1, 1);
    EXPECT_TRUE(views.log.empty());
}

TEST_F(PaletteTest, SetEntryOfALinkedPaletteRecoloursTheImage)
{
    linkSixteen();
    palette.setEntry(5, makeColor(200, 0, 0));
    EXPECT_EQ(views.log, (Log{"window: cells 5-5", "canvas: indices 5-5", "preview: indices 5-5", "colour: refresh"}));
}

TEST_F(PaletteTest, CopyRangeCopiesOnlyEntriesThatExist)
{
    linkSixteen();
    std::vector<ColorValue> out(4, 0xDEAD);
    palette.copyRange(14, out);
    EXPECT_EQ(out, (std::vector<ColorValue>{palette.entry(14), palette.entry(15), 0xDEAD, 0xDEAD}));
}

TEST_F(PaletteTest, PasteNeverGrowsThePalette)
{
    linkSixteen();
    const std::vector<ColorValue> before = entries();
    const std::vector<ColorValue> clip{11, 22, 33, 44, 55};
    palette.pasteRange(14, clip);
    EXPECT_EQ(palette.length(), 16);
    std::vector<ColorValue> expected = before;
    expected[14] = 11;
    expected[15] = 22;
    EXPECT_EQ(entries(), expected);
    EXPECT_EQ(views.log,
              (Log{"window: cells 14-15", "canvas: indices 14-15", "preview: indices 14-15", "colour: refresh"}));
    views.log.clear();
    palette.pasteRange(16, clip);
    palette.pasteRange(3, std::vector<ColorValue>{});
    EXPECT_EQ(entries(), expected);
    EXPECT_TRUE(views.log.empty());
}

TEST_F(PaletteTest, GradientFromRedToBlueMatchesTheRamp)
{
    palette.replace(std::vector<ColorValue>{makeColor(255, 0, 0), 0x12345678, 0, makeColor(0, 0, 255, 0x44)});
    views.log.clear();
    palette.gradient(0, 3);
    EXPECT_EQ(entries(), (std::vector<ColorValue>{makeColor(255, 0, 0), makeColor(170, 0, 85), makeColor(85, 0, 170),
                                                  makeColor(0, 0, 255)}));
    EXPECT_EQ(views.log, (Log{"window: cells 0-3"}));
}

TEST_F(PaletteTest, GradientTruncatesTowardZero)
{
    // 10 + (-10 x 1) / 3 = 7 and 10 + (-10 x 2) / 3 = 4; rounding down would give 6 and 3.
    palette.replace(std::vector<ColorValue>{makeColor(10, 0, 3), 0, 0, makeColor(0, 10, 0)});
    palette.gradient(0, 3);
    EXPECT_EQ(entries(), (std::vector<ColorValue>{makeColor(10, 0, 3), makeColor(7, 3, 2), makeColor(4, 6, 1),
                                                  makeColor(0, 10, 0)}));
}

TEST_F(PaletteTest, GradientRefusesEmptyOrReversedRanges)
{
    linkSixteen();
    const std::vector<ColorValue> before = entries();
    palette.gradient(3, 3);
    palette.gradient(5, 2);
    palette.gradient(-1, 4);
    palette.gradient(10, 16);
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(views.log.empty());
}

TEST_F(PaletteTest, NearestIndexPrefersTheLowerOfEquallyNearEntries)
{
    palette.replace(std::vector<ColorValue>{makeColor(90, 90, 90), makeColor(10, 0, 0), makeColor(0, 10, 0)});
    EXPECT_EQ(palette.nearestIndex(makeColor(5, 5, 0)), 1); // 50 from both 1 and 2
    EXPECT_EQ(palette.nearestIndex(makeColor(4, 6, 0)), 2);
    EXPECT_EQ(palette.nearestIndex(makeColor(0, 10, 0, 0xFF)), 2); // the top byte does not count
}

TEST_F(PaletteTest, NearestIndexFollowsEveryChangeOfTheEntries)
{
    // A cached answer must never outlive the entries it was computed from.
    std::mt19937 rng(3);
    std::vector<ColorValue> reference(12);
    for (auto& c : reference)
        c = static_cast<ColorValue>(rng()) & 0xFFFFFF;
    palette.replace(reference);
    const auto slowNearest = [&](ColorValue colour) {
        std::int32_t best = -1;
        std::int32_t bestDistance = 0;
        for (std::size_t i = 0; i < reference.size(); ++i) {
            const int dr = redOf(colour) - redOf(reference[i]);
            const int dg = greenOf(colour) - greenOf(reference[i]);
            const int db = blueOf(colour) - blueOf(reference[i]);
            const int d = dr * dr + dg * dg + db * db;
            if (best < 0 || d < bestDistance) {
                best = static_cast<std::int32_t>(i);
                bestDistance = d;
            }
        }
        return best;
    };
    const ColorValue queries[] = {0x000000, 0x808080, 0xFFFFFF, 0x0000FF};
    for (int step = 0; step < 300; ++step) {
        const ColorValue query = queries[rng() % 4];
        ASSERT_EQ(palette.nearestIndex(query), slowNearest(query)) << step;
        const auto index = static_cast<std::int32_t>(rng() % reference.size());
        // Often move an entry right onto a queried colour, so that a stale
        // cache would answer wrongly.
        const ColorValue colour = rng() % 2 ? queries[rng() % 4] : static_cast<ColorValue>(rng()) & 0xFFFFFF;
        switch (rng() % 3) {
        case 0:
            palette.setEntry(index, colour);
            break;
        case 1:
            palette.pasteRange(index, std::vector<ColorValue>{colour, colour});
            break;
        default:
            palette.gradient(0, index > 0 ? index : 1);
            break;
        }
        ASSERT_TRUE(palette.copyTo(reference));
    }
}

} // namespace
} // namespace tessaly
