#include "convert/nearest_color_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/icon_image.h"
#include "image/standard_palette.h"

namespace tessaly {
namespace {

ColorValue colorOf(int r, int g, int b)
{
    return makeColor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

// Colours that are hard on a cell search: random ones, the corners of the
// cells, each entry and its near neighbours, and the midpoints between two
// entries, where two entries are equally near.
std::vector<ColorValue> probeColors(const std::vector<ColorValue>& palette, std::mt19937& rng)
{
    std::vector<ColorValue> probes;
    for (int i = 0; i < 20000; ++i)
        probes.push_back(
            colorOf(static_cast<int>(rng() % 256), static_cast<int>(rng() % 256), static_cast<int>(rng() % 256)) |
            (rng() % 2 ? 0xFF000000u : 0u));
    for (int r = 0; r < 256; r += 9)
        for (int g = 0; g < 256; g += 9)
            for (int b = 0; b < 256; b += 9)
                probes.push_back(colorOf(r, g, b));
    for (ColorValue p : palette) {
        for (int d = -2; d <= 2; ++d)
            probes.push_back(colorOf(std::clamp(redOf(p) + d, 0, 255), std::clamp(greenOf(p) - d, 0, 255), blueOf(p)));
    }
    for (int i = 0; i < 5000 && !palette.empty(); ++i) {
        const ColorValue a = palette[rng() % palette.size()], b = palette[rng() % palette.size()];
        probes.push_back(
            colorOf((redOf(a) + redOf(b)) / 2, (greenOf(a) + greenOf(b)) / 2, (blueOf(a) + blueOf(b)) / 2));
    }
    return probes;
}

void expectAgreesWithLinearSearch(const std::vector<ColorValue>& palette, std::mt19937& rng)
{
    NearestColorFinder finder(palette);
    for (ColorValue c : probeColors(palette, rng))
        ASSERT_EQ(finder.find(c), NearestColorFinder::linearSearch(palette, c))
            << std::hex << c << " among " << std::dec << palette.size();
}

TEST(NearestColorFinder, AgreesWithASearchOfTheWholePalette)
{
    std::mt19937 rng(6);
    const auto two = standardPalette(1), sixteen = standardPalette(4), table = standardPalette(8);
    expectAgreesWithLinearSearch({two.begin(), two.end()}, rng);
    expectAgreesWithLinearSearch({sixteen.begin(), sixteen.end()}, rng);
    expectAgreesWithLinearSearch({table.begin(), table.end()}, rng);

    IconImage webSafe;
    ASSERT_TRUE(webSafe.create(1, 1, 8));
    webSafe.setWebSafePalette();
    std::vector<ColorValue> cube;
    for (int i = 0; i < 256; ++i)
        cube.push_back(webSafe.getPaletteColor(i));
    expectAgreesWithLinearSearch(cube, rng);

    for (int round = 0; round < 30; ++round) {
        std::vector<ColorValue> palette;
        const std::size_t size = round % 3 == 0 ? 256 : 1 + rng() % 40;
        // Some palettes crowd into a corner of the cube, so that far cells
        // keep many candidates and ties are common; some repeat entries.
        const int spread = round % 2 ? 256 : 24;
        for (std::size_t i = 0; i < size; ++i) {
            if (!palette.empty() && rng() % 6 == 0)
                palette.push_back(palette[rng() % palette.size()]);
            else
                palette.push_back(colorOf(static_cast<int>(rng() % spread), static_cast<int>(rng() % spread),
                                          static_cast<int>(rng() % spread)));
        }
        expectAgreesWithLinearSearch(palette, rng);
    }
}

TEST(NearestColorFinder, EqualDistancesGoToTheFirstEntry)
{
    const std::vector<ColorValue> palette = {colorOf(0, 0, 200), colorOf(10, 0, 0), colorOf(0, 10, 0),
                                             colorOf(10, 0, 0)};
    NearestColorFinder finder(palette);
    EXPECT_EQ(finder.find(colorOf(5, 5, 0)), 1);
    EXPECT_EQ(finder.find(colorOf(10, 0, 0)), 1);
    EXPECT_EQ(finder.find(colorOf(0, 9, 1)), 2);
}

TEST(NearestColorFinder, AnEmptyPaletteFindsNothing)
{
    NearestColorFinder finder({});
    EXPECT_EQ(finder.find(colorOf(1, 2, 3)), -1);
    EXPECT_EQ(NearestColorFinder::linearSearch({}, colorOf(1, 2, 3)), -1);
}

} // namespace
} // namespace tessaly
