#include "convert/image_converter.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <unordered_map>
#include <vector>

#include "convert/image_test_support.h"
#include "image/standard_palette.h"

namespace tessaly {
namespace {

using test::createdImage;
using test::expectSameImage;
using test::paintedImage;

IconImage converted(const IconImage& source, std::int32_t width, std::int32_t height, std::int32_t bitCount,
                    ConversionType type = ConversionType::None)
{
    std::optional<IconImage> result = ImageConverter().convertImage(source, width, height, bitCount, type);
    EXPECT_TRUE(result.has_value());
    return result ? std::move(*result) : IconImage();
}

// A 32 x 32 picture whose 2 x 2 blocks hold 0 to 4 transparent pixels.
int transparentInBlock(int blockY, int blockX)
{
    return (blockY + 2 * blockX) % 5;
}
bool transparentAt(int y, int x)
{
    return (y % 2) * 2 + x % 2 < transparentInBlock(y / 2, x / 2);
}

TEST(ImageConverter, HalvingAveragesBlocksAndKeepsThreeTransparentOfFourOpaque)
{
    IconImage source = createdImage(32, 32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            source.setPixel(y, x,
                            makeColor(static_cast<std::uint8_t>(7 * x + y), static_cast<std::uint8_t>(3 * y),
                                      static_cast<std::uint8_t>(x * y % 256), static_cast<std::uint8_t>(8 * x)));
            source.setMask(y, x, transparentAt(y, x));
        }
    }
    const IconImage half = converted(source, 16, 16, 32);
    ASSERT_EQ(half.width(), 16);
    for (int by = 0; by < 16; ++by) {
        for (int bx = 0; bx < 16; ++bx) {
            int sums[4] = {};
            for (int y = 2 * by; y < 2 * by + 2; ++y) {
                for (int x = 2 * bx; x < 2 * bx + 2; ++x) {
                    const ColorValue c = source.getPixel(y, x);
                    sums[0] += redOf(c), sums[1] += greenOf(c), sums[2] += blueOf(c), sums[3] += alphaOf(c);
                }
            }
            const ColorValue expected =
                makeColor(static_cast<std::uint8_t>(sums[0] / 4), static_cast<std::uint8_t>(sums[1] / 4),
                          static_cast<std::uint8_t>(sums[2] / 4), static_cast<std::uint8_t>(sums[3] / 4));
            EXPECT_EQ(half.getPixel(by, bx), expected) << by << "," << bx;
            EXPECT_EQ(half.getMask(by, bx), transparentInBlock(by, bx) == 4) << by << "," << bx;
        }
    }
}

TEST(ImageConverter, HalvingToAlphaAveragesTheMaskAsAlpha)
{
    IconImage source = createdImage(32, 32, 24);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            source.setPixel(y, x, makeColor(200, 100, 50));
            source.setMask(y, x, transparentAt(y, x));
        }
    }
    const IconImage half = converted(source, 16, 16, 32);
    for (int by = 0; by < 16; ++by) {
        for (int bx = 0; bx < 16; ++bx) {
            const int opaque = 4 - transparentInBlock(by, bx);
            EXPECT_EQ(half.getPixel(by, bx), makeColor(200, 100, 50, static_cast<std::uint8_t>(255 * opaque / 4)));
            EXPECT_EQ(half.getMask(by, bx), opaque == 0);
        }
    }
}

TEST(ImageConverter, EnlargingCopiesEachPixelToATwoByTwoBlock)
{
    std::mt19937 rng(11);
    for (int bitCount : {1, 4, 8, 24, 32}) {
        IconImage source = createdImage(16, 16, bitCount);
        for (int i = 0; i < source.colorCount(); ++i)
            source.setPaletteColor(i, makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 9));
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                source.setPixel(y, x,
                                source.hasPalette() ? rng() % static_cast<unsigned>(source.colorCount())
                                                    : test::randomColor(rng, bitCount == 32 ? 77 : 0));
                source.setMask(y, x, rng() % 3 == 0);
            }
        }
        const IconImage big = converted(source, 32, 32, bitCount);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                ASSERT_EQ(big.getPixel(y, x), source.getPixel(y / 2, x / 2)) << bitCount << " bits " << y << "," << x;
                ASSERT_EQ(big.getMask(y, x), source.getMask(y / 2, x / 2));
            }
        }
    }
}

TEST(ImageConverter, Color16ToSemiTransparentTurnsTheMaskIntoAlpha)
{
    IconImage source = createdImage(16, 16, 4);
    source.setStandardPalette();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            source.setPixel(y, x, static_cast<std::uint32_t>(x));
            source.setMask(y, x, (x + y) % 3 == 0);
        }
    }
    const IconImage alpha = converted(source, 16, 16, 32);
    ASSERT_EQ(alpha.bitCount(), 32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool transparent = (x + y) % 3 == 0;
            EXPECT_EQ(alpha.getPixel(y, x), source.getPaletteColor(x) | (transparent ? 0u : 0xFF000000u));
            EXPECT_EQ(alpha.getMask(y, x), transparent);
        }
    }
}

TEST(ImageConverter, SixteenColoursAreTheStandardOnesByNearestColour)
{
    const std::vector<ColorValue> colors = {makeColor(250, 10, 10), makeColor(100, 100, 100), makeColor(200, 200, 200),
                                            makeColor(0, 0, 0), makeColor(20, 240, 250)};
    const IconImage source = paintedImage(5, 1, 24, [&](int, int x) { return colors[static_cast<std::size_t>(x)]; });
    const IconImage reduced = converted(source, 5, 1, 4);
    const auto standard = standardPalette(4);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(reduced.getPaletteColor(i), standard[static_cast<std::size_t>(i)]);
    EXPECT_EQ(reduced.getPixel(0, 0), 9u);  // (255, 0, 0)
    EXPECT_EQ(reduced.getPixel(0, 1), 8u);  // (128, 128, 128)
    EXPECT_EQ(reduced.getPixel(0, 2), 7u);  // (192, 192, 192)
    EXPECT_EQ(reduced.getPixel(0, 3), 0u);  // black
    EXPECT_EQ(reduced.getPixel(0, 4), 14u); // (0, 255, 255)
}

TEST(ImageConverter, MonochromeTakesTheNearerOfBlackAndWhite)
{
    const std::vector<ColorValue> colors = {makeColor(100, 100, 100), makeColor(130, 130, 130), makeColor(255, 0, 0),
                                            makeColor(255, 255, 0)};
    const IconImage source =
        paintedImage(4, 1, 32, [&](int, int x) { return colors[static_cast<std::size_t>(x)] | 0xFF000000u; });
    const IconImage mono = converted(source, 4, 1, 1);
    EXPECT_EQ(mono.getPaletteColor(0), makeColor(0, 0, 0));
    EXPECT_EQ(mono.getPaletteColor(1), makeColor(255, 255, 255));
    EXPECT_EQ(mono.getPixel(0, 0), 0u);
    EXPECT_EQ(mono.getPixel(0, 1), 1u);
    EXPECT_EQ(mono.getPixel(0, 2), 0u);
    EXPECT_EQ(mono.getPixel(0, 3), 1u);
}

TEST(ImageConverter, FewColoursKeepTheirOrderOfFirstAppearanceBetweenBlackAndWhite)
{
    for (int distinct : {1, 10, 254}) {
        std::mt19937 rng(static_cast<unsigned>(distinct));
        std::vector<ColorValue> order;
        std::set<ColorValue> used = {makeColor(0, 0, 0), makeColor(255, 255, 255)};
        while (static_cast<int>(order.size()) < distinct) {
            const ColorValue c = test::randomColor(rng);
            if (used.insert(c).second)
                order.push_back(c);
        }
        // Black and white sprinkled in; every colour appears first in the order
        // given, later ones repeat at random.
        std::vector<ColorValue> pixels = {makeColor(255, 255, 255), makeColor(0, 0, 0)};
        pixels.insert(pixels.end(), order.begin(), order.end());
        while (pixels.size() < 32 * 32)
            pixels.push_back(rng() % 4 == 0 ? makeColor(0, 0, 0) : order[rng() % order.size()]);
        const IconImage source =
            paintedImage(32, 32, 24, [&](int y, int x) { return pixels[static_cast<std::size_t>(32 * y + x)]; });

        const IconImage reduced = converted(source, 32, 32, 8);
        EXPECT_EQ(reduced.getPaletteColor(0), makeColor(0, 0, 0));
        EXPECT_EQ(reduced.getPaletteColor(255), makeColor(255, 255, 255));
        for (int i = 0; i < distinct; ++i)
            EXPECT_EQ(reduced.getPaletteColor(i + 1), order[static_cast<std::size_t>(i)]) << "entry " << i + 1;
        for (int i = distinct + 1; i < 255; ++i)
            EXPECT_EQ(reduced.getPaletteColor(i), makeColor(0, 0, 0)) << "entry " << i;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const ColorValue c = source.getPixel(y, x);
                const std::uint32_t index = reduced.getPixel(y, x);
                ASSERT_EQ(reduced.getPaletteColor(static_cast<std::int32_t>(index)), c);
                if (c == makeColor(0, 0, 0)) {
                    ASSERT_EQ(index, 0u) << "black takes the first of the black entries";
                }
            }
        }
    }
}

TEST(ImageConverter, GreyscaleIndexIsTheLumaAndTheEntryItsGrey)
{
    const std::vector<ColorValue> colors = {makeColor(255, 0, 0), makeColor(255, 255, 255), makeColor(0, 255, 0),
                                            makeColor(0, 0, 255), makeColor(0, 0, 0),       makeColor(10, 20, 30)};
    IconImage source = paintedImage(6, 1, 24, [&](int, int x) { return colors[static_cast<std::size_t>(x)]; });
    source.setMask(0, 5, true);
    const IconImage grey = converted(source, 6, 1, 8, ConversionType::Greyscale);
    ASSERT_EQ(grey.bitCount(), 8);
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        ASSERT_EQ(grey.getPaletteColor(i), makeColor(level, level, level));
    }
    EXPECT_EQ(grey.getPixel(0, 0), 76u);
    EXPECT_EQ(grey.getPixel(0, 1), 255u);
    EXPECT_EQ(grey.getPixel(0, 2), 149u);
    EXPECT_EQ(grey.getPixel(0, 3), 29u);
    EXPECT_EQ(grey.getPixel(0, 4), 0u);
    EXPECT_EQ(grey.getPixel(0, 5), 18u); // (2990 + 11740 + 3420) / 1000
    EXPECT_FALSE(grey.getMask(0, 4));
    EXPECT_TRUE(grey.getMask(0, 5));
}

TEST(ImageConverter, WebSafeMapsOntoTheCubeAndNeverOntoTheSpareEntries)
{
    const std::vector<ColorValue> colors = {makeColor(52, 100, 160), makeColor(0, 0, 0), makeColor(255, 255, 255),
                                            makeColor(30, 20, 240)};
    const IconImage source = paintedImage(4, 1, 24, [&](int, int x) { return colors[static_cast<std::size_t>(x)]; });
    const IconImage safe = converted(source, 4, 1, 8, ConversionType::WebSafe);
    EXPECT_EQ(safe.getPixel(0, 0), static_cast<std::uint32_t>(1 * 36 + 2 * 6 + 3));
    EXPECT_EQ(safe.getPixel(0, 1), 0u);
    EXPECT_EQ(safe.getPixel(0, 2), 215u);
    EXPECT_EQ(safe.getPixel(0, 3), static_cast<std::uint32_t>(1 * 36 + 0 * 6 + 5));
    for (int i = 216; i < 256; ++i)
        EXPECT_EQ(safe.getPaletteColor(i), makeColor(0, 0, 0));
}

TEST(ImageConverter, KeepPaletteResizesAColor256IconWithItsPalette)
{
    std::mt19937 rng(5);
    IconImage source = createdImage(24, 24, 8);
    for (int i = 0; i < 256; ++i)
        source.setPaletteColor(i, test::randomColor(rng));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            source.setPixel(y, x, rng() % 256);
            source.setMask(y, x, false);
        }
    }
    // The bit count asked for is ignored: the palette is fixed.
    const IconImage resized = converted(source, 40, 13, 4, ConversionType::KeepPalette);
    ASSERT_EQ(resized.bitCount(), 8);
    EXPECT_EQ(resized.width(), 40);
    EXPECT_EQ(resized.height(), 13);
    EXPECT_TRUE(std::equal(resized.paletteData().begin(), resized.paletteData().end(), source.paletteData().begin()));
}

TEST(ImageConverter, SameSizeAndModeWithoutConversionIsTheSamePicture)
{
    std::mt19937 rng(3);
    for (int bitCount : {1, 4, 8, 24, 32}) {
        IconImage source = createdImage(21, 13, bitCount);
        // Distinct entries, so that every index is its colour's first entry.
        for (int i = 0; i < source.colorCount(); ++i)
            source.setPaletteColor(i, makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i / 3), 200));
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 21; ++x) {
                source.setPixel(y, x,
                                source.hasPalette() ? rng() % static_cast<unsigned>(source.colorCount())
                                                    : test::randomColor(rng, static_cast<std::uint8_t>(rng())));
                source.setMask(y, x, rng() % 2 == 0);
            }
        }
        SCOPED_TRACE(bitCount);
        expectSameImage(converted(source, 21, 13, bitCount), source);
    }
}

TEST(ImageConverter, EqualPaletteEntriesResolveToTheFirst)
{
    IconImage source = createdImage(2, 1, 4);
    source.setStandardPalette();
    source.setPaletteColor(12, source.getPaletteColor(3)); // 12 repeats entry 3
    source.setPixel(0, 0, 12);
    source.setPixel(0, 1, 3);
    const IconImage same = converted(source, 2, 1, 4);
    EXPECT_EQ(same.getPixel(0, 0), 3u);
    EXPECT_EQ(same.getPixel(0, 1), 3u);
    EXPECT_EQ(same.getPaletteColor(12), source.getPaletteColor(3));
}

TEST(ImageConverter, OnePixelImagesGrowAndShrink)
{
    IconImage dot = paintedImage(1, 1, 24, [](int, int) { return makeColor(1, 2, 3); });
    const IconImage grown = converted(dot, 16, 16, 24);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(grown.getPixel(y, x), makeColor(1, 2, 3));
            EXPECT_FALSE(grown.getMask(y, x));
        }
    }
    // 192 of 256 pixels transparent is exactly three quarters: still opaque.
    for (int transparentCount : {192, 193}) {
        IconImage square = paintedImage(
            16, 16, 24, [](int y, int x) { return makeColor(static_cast<std::uint8_t>(y * 16 + x), 0, 0); });
        for (int i = 0; i < transparentCount; ++i)
            square.setMask(i / 16, i % 16, true);
        const IconImage shrunk = converted(square, 1, 1, 24);
        EXPECT_EQ(shrunk.getPixel(0, 0), makeColor(127, 0, 0)); // (0 + ... + 255) / 256
        EXPECT_EQ(shrunk.getMask(0, 0), transparentCount == 193);
    }
}

TEST(ImageConverter, UnevenSizesWeighEachSourcePixelByItsOverlap)
{
    const IconImage row =
        paintedImage(3, 1, 24, [](int, int x) { return makeColor(static_cast<std::uint8_t>(30 * (x + 1)), 0, 0); });
    const IconImage two = converted(row, 2, 1, 24);
    EXPECT_EQ(two.getPixel(0, 0), makeColor(40, 0, 0)); // (2 x 30 + 60) / 3
    EXPECT_EQ(two.getPixel(0, 1), makeColor(80, 0, 0)); // (60 + 2 x 90) / 3
}

TEST(ImageConverter, UniformPicturesStayUniformAtAnySize)
{
    std::mt19937 rng(8);
    for (int round = 0; round < 40; ++round) {
        const int sw = 1 + static_cast<int>(rng() % 37), sh = 1 + static_cast<int>(rng() % 37);
        const int dw = 1 + static_cast<int>(rng() % 37), dh = 1 + static_cast<int>(rng() % 37);
        const ColorValue color = test::randomColor(rng, static_cast<std::uint8_t>(rng()));
        const bool transparent = round % 2 == 1;
        IconImage source = paintedImage(sw, sh, 32, [&](int, int) { return color; });
        for (int y = 0; y < sh && transparent; ++y)
            for (int x = 0; x < sw; ++x)
                source.setMask(y, x, true);
        const IconImage result = converted(source, dw, dh, 32);
        for (int y = 0; y < dh; ++y) {
            for (int x = 0; x < dw; ++x) {
                ASSERT_EQ(result.getPixel(y, x), color) << sw << "x" << sh << " to " << dw << "x" << dh;
                ASSERT_EQ(result.getMask(y, x), transparent);
            }
        }
    }
}

TEST(ImageConverter, AllTransparentImagesStayTransparentInEveryMode)
{
    IconImage source = createdImage(10, 10, 8); // new images are all transparent
    source.setStandardPalette();
    for (int bitCount : {1, 4, 8, 24, 32}) {
        for (ConversionType type : {ConversionType::None, ConversionType::WebSafe, ConversionType::Greyscale}) {
            const IconImage result = converted(source, 7, 3, bitCount, type);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x)
                    ASSERT_TRUE(result.getMask(y, x)) << bitCount << " bits, type " << static_cast<int>(type);
        }
    }
}

TEST(ImageConverter, AnEmptySourceGivesATransparentImageInsteadOfDividingByZero)
{
    for (auto [w, h] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
        const IconImage empty = createdImage(w, h, 24);
        for (int bitCount : {4, 8, 24, 32}) {
            const IconImage result = converted(empty, 16, 16, bitCount);
            ASSERT_EQ(result.width(), 16);
            ASSERT_EQ(result.bitCount(), bitCount);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_TRUE(result.getMask(y, x));
        }
    }
}

TEST(ImageConverter, RefusesWhatCannotBeMade)
{
    const IconImage source = paintedImage(4, 4, 24, [](int, int) { return makeColor(1, 2, 3); });
    ImageConverter converter;
    EXPECT_FALSE(converter.convertImage(source, 4, 4, 16, ConversionType::None));
    EXPECT_FALSE(converter.convertImage(source, 4, 4, 2, ConversionType::None));
    EXPECT_FALSE(converter.convertImage(source, 4, 4, 8, static_cast<ConversionType>(4)));
    EXPECT_FALSE(converter.convertImage(source, -1, 4, 8, ConversionType::None));
    EXPECT_FALSE(converter.convertImage(source, 4, IconImage::kMaxSide + 1, 24, ConversionType::KeepPalette));
    EXPECT_FALSE(converter.convertImage(source, -4, 4, 8, ConversionType::Greyscale));
    EXPECT_FALSE(converter.reduceColors(source, 3));
    EXPECT_TRUE(converter.convertImage(source, 4, 4, 8, ConversionType::None));
}

// A converter remembers its last lookup by image address; an image of an
// earlier step is gone, and a new one may sit at the same address.
TEST(ImageConverter, AReusedConverterMapsEachImageIntoItsOwnPalette)
{
    const IconImage grey = paintedImage(4, 4, 24, [](int, int) { return makeColor(128, 128, 128); });
    ImageConverter reused;
    const std::optional<IconImage> sixteen = reused.reduceColors(grey, 4);
    const std::optional<IconImage> mono = reused.reduceColors(grey, 1);
    ASSERT_TRUE(sixteen && mono);
    expectSameImage(*sixteen, *ImageConverter().reduceColors(grey, 4));
    expectSameImage(*mono, *ImageConverter().reduceColors(grey, 1));
    EXPECT_EQ(sixteen->getPixel(0, 0), 8u);
    EXPECT_EQ(mono->getPixel(0, 0), 1u);
}

TEST(ImageConverter, NearestPaletteIndexTakesTheFirstOfEquallyNearEntriesAndIgnoresAlpha)
{
    IconImage image = createdImage(1, 1, 4);
    image.setPaletteColor(0, makeColor(0, 0, 0));
    image.setPaletteColor(3, makeColor(100, 10, 10));
    image.setPaletteColor(5, makeColor(100, 30, 10));
    for (int i : {1, 2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        image.setPaletteColor(i, makeColor(255, 255, 255));
    ImageConverter converter;
    EXPECT_EQ(converter.nearestPaletteIndex(image, makeColor(100, 20, 10)), 3);
    EXPECT_EQ(converter.nearestPaletteIndex(image, makeColor(100, 21, 10, 255)), 5);
    EXPECT_EQ(converter.nearestPaletteIndex(image, makeColor(1, 1, 1, 0)), 0);
    EXPECT_EQ(converter.nearestPaletteIndex(image, makeColor(250, 250, 250)), 1);
    EXPECT_EQ(converter.nearestPaletteIndex(createdImage(1, 1, 24), makeColor(1, 1, 1)), -1);
}

TEST(ImageConverter, WideningKeepsPaletteAndIndices)
{
    std::mt19937 rng(2);
    IconImage source = createdImage(9, 5, 4);
    source.setStandardPalette();
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            source.setPixel(y, x, rng() % 16);
            source.setMask(y, x, rng() % 2 == 0);
        }
    }
    const std::optional<IconImage> wide = ImageConverter().reduceColors(source, 8);
    ASSERT_TRUE(wide);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(wide->getPaletteColor(i), i < 16 ? source.getPaletteColor(i) : makeColor(0, 0, 0));
    const std::optional<IconImage> full = ImageConverter().reduceColors(source, 24);
    ASSERT_TRUE(full);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(wide->getPixel(y, x), source.getPixel(y, x));
            EXPECT_EQ(full->getPixel(y, x), source.getPaletteColor(static_cast<std::int32_t>(source.getPixel(y, x))));
            EXPECT_EQ(wide->getMask(y, x), source.getMask(y, x));
            EXPECT_EQ(full->getMask(y, x), source.getMask(y, x));
        }
    }
}

TEST(ImageConverter, SemiTransparentToFullColourDropsAlphaAndKeepsTheMask)
{
    IconImage source = paintedImage(3, 2, 32, [](int y, int x) {
        return makeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9, 100);
    });
    source.setMask(1, 2, true);
    const IconImage full = converted(source, 3, 2, 24);
    ASSERT_EQ(full.bitCount(), 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(full.getPixel(y, x), makeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9));
    EXPECT_TRUE(full.getMask(1, 2));
    EXPECT_FALSE(full.getMask(0, 0));
}

// A photo-sized picture: far more colours than entries, every pixel mapped to
// the entry a full search of the palette would choose.
TEST(ImageConverter, ReducesAMegapixelPictureTo256Colours)
{
    const int side = 1024;
    std::mt19937 rng(1);
    IconImage source = paintedImage(side, side, 24, [&](int y, int x) {
        return makeColor(static_cast<std::uint8_t>((x * 255 / side + rng() % 9) & 255),
                         static_cast<std::uint8_t>((y * 255 / side + rng() % 9) & 255),
                         static_cast<std::uint8_t>(((x + y) * 127 / side) ^ (rng() % 5)));
    });
    source.setMask(0, 0, true);
    const IconImage reduced = converted(source, side, side, 8);
    ASSERT_EQ(reduced.bitCount(), 8);
    EXPECT_EQ(reduced.getPaletteColor(0), makeColor(0, 0, 0));
    EXPECT_EQ(reduced.getPaletteColor(255), makeColor(255, 255, 255));
    std::set<ColorValue> entries;
    for (int i = 0; i < 256; ++i)
        entries.insert(reduced.getPaletteColor(i));
    EXPECT_GT(entries.size(), 200u) << "the split should spread the entries over the picture's colours";
    std::unordered_map<ColorValue, std::int32_t> nearest;
    ImageConverter searcher;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const ColorValue c = source.getPixel(y, x);
            auto [it, added] = nearest.try_emplace(c, 0);
            if (added)
                it->second = searcher.nearestPaletteIndex(reduced, c);
            ASSERT_EQ(reduced.getPixel(y, x), static_cast<std::uint32_t>(it->second)) << y << "," << x;
        }
    }
    EXPECT_TRUE(reduced.getMask(0, 0));
    EXPECT_FALSE(reduced.getMask(0, 1));
}

} // namespace
} // namespace tessaly
