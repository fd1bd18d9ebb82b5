// The converter against a plain, slow implementation of the same rules: a
// histogram kept as a list searched colour by colour, groups split by sorting,
// every palette searched entry by entry. Both must give the same palettes,
// pixels and masks for every picture.
#include "convert/image_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "convert/image_test_support.h"
#include "image/pointer_array.h"

namespace tessaly {
namespace {

class ReferenceConverter {
public:
    IconImage convert(const IconImage& source, int width, int height, int bitCount, ConversionType type)
    {
        switch (type) {
        case ConversionType::None:
            if (bitCount != source.bitCount())
                return reduceColors(resample(source, width, height, true), bitCount);
            return resample(source, width, height, false);
        case ConversionType::KeepPalette:
            return resample(source, width, height, false);
        case ConversionType::WebSafe:
            return toWebSafe(resample(source, width, height, true));
        case ConversionType::Greyscale:
            return toGreyscale(resample(source, width, height, true));
        }
        return IconImage();
    }

private:
    struct HistogramPair {
        ColorValue color = 0;
        unsigned count = 0;
    };
    struct Box {
        int end;
        unsigned long long weight;
    };

    static ColorValue colorAt(const IconImage& image, int y, int x)
    {
        const unsigned value = image.getPixel(y, x);
        return image.hasPalette() ? image.getPaletteColor(static_cast<int>(value)) : value;
    }

    int nearest(const IconImage& image, ColorValue color)
    {
        if (m_cachedImage == &image && m_cachedColor == color)
            return m_cachedIndex;
        int best = -1;
        long bestDistance = LONG_MAX;
        for (int i = 0; i < image.colorCount(); ++i) {
            const ColorValue p = image.getPaletteColor(i);
            const long dr = long(redOf(p)) - redOf(color), dg = long(greenOf(p)) - greenOf(color),
                       db = long(blueOf(p)) - blueOf(color);
            const long d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                best = i;
                bestDistance = d;
                if (d == 0)
                    break;
            }
        }
        m_cachedImage = &image;
        m_cachedColor = color;
        m_cachedIndex = best;
        return best;
    }

    IconImage resample(const IconImage& src, int dw, int dh, bool toAlpha)
    {
        IconImage result;
        EXPECT_TRUE(result.create(dw, dh, toAlpha ? 32 : src.bitCount()));
        const long long sw = src.width(), sh = src.height();
        const unsigned long long total = static_cast<unsigned long long>(sw * sh);
        if (!toAlpha && src.hasPalette()) {
            for (int i = 0; i < src.colorCount(); ++i)
                result.setPaletteColor(i, src.getPaletteColor(i));
        }
        for (long long i = 0; i < dh; ++i) {
            for (long long j = 0; j < dw; ++j) {
                unsigned long long sums[4] = {}, transparentWeight = 0;
                for (long long k = sh * i / dh; k <= std::min(sh - 1, sh * (i + 1) / dh); ++k) {
                    for (long long l = sw * j / dw; l <= std::min(sw - 1, sw * (j + 1) / dw); ++l) {
                        const unsigned long long weight = static_cast<unsigned long long>(
                            (std::min(sh * (i + 1), dh * (k + 1)) - std::max(dh * k, sh * i)) *
                            (std::min(sw * (j + 1), dw * (l + 1)) - std::max(dw * l, sw * j)));
                        ColorValue c = colorAt(src, int(k), int(l));
                        const bool transparent = src.getMask(int(k), int(l));
                        if (toAlpha && src.bitCount() < 32)
                            c = makeColor(redOf(c), greenOf(c), blueOf(c), transparent ? 0 : 255);
                        sums[0] += weight * redOf(c);
                        sums[1] += weight * greenOf(c);
                        sums[2] += weight * blueOf(c);
                        sums[3] += weight * alphaOf(c);
                        if (transparent)
                            transparentWeight += weight;
                    }
                }
                if (total == 0)
                    continue; // nothing to average: stays transparent black
                ColorValue average = makeColor(std::uint8_t(sums[0] / total), std::uint8_t(sums[1] / total),
                                               std::uint8_t(sums[2] / total), std::uint8_t(sums[3] / total));
                if (!toAlpha && src.hasPalette())
                    average = static_cast<ColorValue>(nearest(src, average & 0xFFFFFF));
                result.setPixel(int(i), int(j), average);
                if (transparentWeight <= 3 * total / 4)
                    result.setMask(int(i), int(j), false);
            }
        }
        return result;
    }

    IconImage reduceColors(const IconImage& src, int bitCount)
    {
        IconImage result;
        if (bitCount == src.bitCount()) {
            EXPECT_TRUE(result.copyFrom(src));
            return result;
        }
        EXPECT_TRUE(result.create(src.width(), src.height(), bitCount));
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                result.setMask(y, x, src.getMask(y, x));
        if (bitCount >= src.bitCount() || bitCount > 8) {
            for (int y = 0; y < src.height(); ++y)
                for (int x = 0; x < src.width(); ++x)
                    result.setPixel(y, x, result.hasPalette() ? src.getPixel(y, x) : colorAt(src, y, x));
            for (int i = 0; i < std::min(src.colorCount(), result.colorCount()); ++i)
                result.setPaletteColor(i, src.getPaletteColor(i));
            return result;
        }
        if (bitCount == 8)
            buildAdaptivePalette(src, result);
        else
            result.setStandardPalette();
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                result.setPixel(y, x, static_cast<unsigned>(nearest(result, colorAt(src, y, x) & 0xFFFFFF)));
        return result;
    }

    void buildAdaptivePalette(const IconImage& src, IconImage& result)
    {
        PointerArray<HistogramPair> list(1024);
        unsigned long long n = 0;
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                const ColorValue c = colorAt(src, y, x) & 0xFFFFFF;
                if (c == 0 || c == 0xFFFFFF)
                    continue;
                ++n;
                int found = -1;
                for (int i = 0; i < list.count(); ++i) {
                    if (list.get(i).color == c) {
                        found = i;
                        break;
                    }
                }
                if (found >= 0)
                    ++list.get(found).count;
                else
                    list.add({c, 1});
            }
        }
        result.setPaletteColor(0, makeColor(0, 0, 0));
        result.setPaletteColor(255, makeColor(255, 255, 255));
        const int d = list.count();
        if (d <= 254) {
            for (int i = 0; i < d; ++i)
                result.setPaletteColor(i + 1, list.get(i).color);
            return;
        }
        std::vector<HistogramPair> colors(list.begin(), list.end());
        std::vector<Box> boxes = {{d, n}};
        for (int e = 1; e <= 254; ++e) {
            std::size_t chosen = 0;
            for (std::size_t b = 0; b < boxes.size(); ++b)
                if (boxes[b].weight > boxes[chosen].weight)
                    chosen = b;
            const int begin = chosen == 0 ? 0 : boxes[chosen - 1].end;
            const int end = boxes[chosen].end;
            unsigned long long r = 0, g = 0, b = 0;
            for (int i = begin; i < end; ++i) {
                r +=
                    static_cast<unsigned long long>(colors[std::size_t(i)].count) * redOf(colors[std::size_t(i)].color);
                g += static_cast<unsigned long long>(colors[std::size_t(i)].count) *
                     greenOf(colors[std::size_t(i)].color);
                b += static_cast<unsigned long long>(colors[std::size_t(i)].count) *
                     blueOf(colors[std::size_t(i)].color);
            }
            const unsigned long long w = boxes[chosen].weight;
            const ColorValue mean = makeColor(std::uint8_t(r / w), std::uint8_t(g / w), std::uint8_t(b / w));
            result.setPaletteColor(e, mean);
            auto octant = [&](const HistogramPair& p) {
                return (redOf(p.color) > redOf(mean) ? 1 : 0) + (greenOf(p.color) > greenOf(mean) ? 2 : 0) +
                       (blueOf(p.color) > blueOf(mean) ? 4 : 0);
            };
            for (int i = begin; i < end; ++i)
                if (colors[std::size_t(i)].color == mean)
                    colors[std::size_t(i)].count = 0;
            std::stable_sort(colors.begin() + begin, colors.begin() + end,
                             [&](const HistogramPair& a, const HistogramPair& z) { return octant(a) < octant(z); });
            std::vector<Box> parts;
            int at = begin;
            for (int o = 0; o < 8; ++o) {
                unsigned long long weight = 0;
                while (at < end && octant(colors[std::size_t(at)]) == o)
                    weight += colors[std::size_t(at++)].count;
                parts.push_back({at, weight});
            }
            boxes.erase(boxes.begin() + static_cast<long>(chosen));
            boxes.insert(boxes.begin() + static_cast<long>(chosen), parts.begin(), parts.end());
        }
    }

    IconImage toWebSafe(const IconImage& src)
    {
        IconImage result;
        EXPECT_TRUE(result.create(src.width(), src.height(), 8));
        result.setWebSafePalette();
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                result.setPixel(y, x, static_cast<unsigned>(nearest(result, colorAt(src, y, x) & 0xFFFFFF)));
                result.setMask(y, x, src.getMask(y, x));
            }
        }
        return result;
    }

    IconImage toGreyscale(const IconImage& src)
    {
        IconImage result;
        EXPECT_TRUE(result.create(src.width(), src.height(), 8));
        for (int i = 0; i < 256; ++i)
            result.setPaletteColor(i, makeColor(std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)));
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                const ColorValue c = colorAt(src, y, x);
                result.setPixel(y, x, (299u * redOf(c) + 587u * greenOf(c) + 114u * blueOf(c)) / 1000u);
                result.setMask(y, x, src.getMask(y, x));
            }
        }
        return result;
    }

    const IconImage* m_cachedImage = nullptr;
    ColorValue m_cachedColor = 0;
    int m_cachedIndex = -1;
};

enum class Colors { FewFromAPool, ManyFromAPool, Smooth, Noise };
enum class Transparency { None, Some, All };

// A random picture: palette images with random (sometimes repeated) entries,
// others from a pool of colours, a smooth photo-like field, or pure noise.
IconImage randomPicture(std::mt19937& rng, int width, int height, int bitCount, Colors colors,
                        Transparency transparency)
{
    IconImage image = test::createdImage(width, height, bitCount);
    for (int i = 0; i < image.colorCount(); ++i)
        image.setPaletteColor(i, rng() % 8 == 0 && i > 0 ? image.getPaletteColor(i - 1) : test::randomColor(rng));
    std::vector<ColorValue> pool;
    const std::size_t poolSize = colors == Colors::FewFromAPool ? 1 + rng() % 300 : 250 + rng() % 3000;
    for (std::size_t i = 0; i < poolSize; ++i) {
        ColorValue c = test::randomColor(rng, static_cast<std::uint8_t>(rng()));
        if (rng() % 50 == 0)
            c = rng() % 2 ? 0xFF000000u : 0xFFFFFFFFu; // black and white are set aside
        pool.push_back(c);
    }
    const int phase = static_cast<int>(rng() % 256);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t value;
            if (image.hasPalette())
                value = rng() % static_cast<unsigned>(image.colorCount());
            else if (colors == Colors::Smooth)
                value = makeColor(std::uint8_t(phase + 3 * x + rng() % 4), std::uint8_t(2 * y + x / 3 + rng() % 3),
                                  std::uint8_t(phase + x * y / 7), std::uint8_t(rng()));
            else if (colors == Colors::Noise)
                value = test::randomColor(rng, static_cast<std::uint8_t>(rng()));
            else
                value = pool[rng() % pool.size()];
            image.setPixel(y, x, value);
            const bool transparent =
                transparency == Transparency::All || (transparency == Transparency::Some && rng() % 3 == 0);
            image.setMask(y, x, transparent);
        }
    }
    return image;
}

struct Case {
    int width, height, bitCount;
    Colors colors;
    Transparency transparency;
    int toWidth, toHeight, toBitCount;
    ConversionType type;
};

void expectSameAsReference(const Case& c, std::mt19937& rng)
{
    const IconImage source = randomPicture(rng, c.width, c.height, c.bitCount, c.colors, c.transparency);
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "@" << c.bitCount << " to " << c.toWidth << "x"
                                    << c.toHeight << "@" << c.toBitCount << " type " << static_cast<int>(c.type)
                                    << " colours " << static_cast<int>(c.colors) << " transparency "
                                    << static_cast<int>(c.transparency));
    const std::optional<IconImage> fast =
        ImageConverter().convertImage(source, c.toWidth, c.toHeight, c.toBitCount, c.type);
    ASSERT_TRUE(fast.has_value());
    const IconImage slow = ReferenceConverter().convert(source, c.toWidth, c.toHeight, c.toBitCount, c.type);
    test::expectSameImage(*fast, slow);
}

TEST(ImageConverterReference, RandomPicturesConvertExactlyAsThePlainAlgorithm)
{
    std::mt19937 rng(20240607);
    const int bitCounts[] = {1, 4, 8, 24, 32};
    const ConversionType types[] = {ConversionType::None,        ConversionType::None,    ConversionType::None,
                                    ConversionType::KeepPalette, ConversionType::WebSafe, ConversionType::Greyscale};
    for (int round = 0; round < 400; ++round) {
        Case c{};
        c.width = 1 + static_cast<int>(rng() % 48);
        c.height = 1 + static_cast<int>(rng() % 48);
        c.bitCount = bitCounts[rng() % 5];
        c.colors = static_cast<Colors>(rng() % 4);
        c.transparency = static_cast<Transparency>(rng() % 3);
        switch (rng() % 4) {
        case 0:
            c.toWidth = c.width, c.toHeight = c.height;
            break;
        case 1:
            c.toWidth = std::max(1, c.width / 2), c.toHeight = std::max(1, c.height / 3);
            break;
        case 2:
            c.toWidth = 2 * c.width + 1, c.toHeight = c.height + 5;
            break;
        default:
            c.toWidth = 1 + static_cast<int>(rng() % 64), c.toHeight = 1 + static_cast<int>(rng() % 64);
            break;
        }
        // Mostly 256 colours, where the palette is built.
        c.toBitCount = rng() % 2 ? 8 : bitCounts[rng() % 5];
        c.type = types[rng() % 6];
        expectSameAsReference(c, rng);
        if (HasFatalFailure())
            return;
    }
}

TEST(ImageConverterReference, LargePicturesConvertExactlyAsThePlainAlgorithm)
{
    std::mt19937 rng(77);
    const Case cases[] = {
        {256, 256, 24, Colors::ManyFromAPool, Transparency::None, 256, 256, 8, ConversionType::None},
        {256, 256, 32, Colors::ManyFromAPool, Transparency::Some, 256, 256, 8, ConversionType::None},
        {300, 200, 24, Colors::FewFromAPool, Transparency::Some, 173, 311, 8, ConversionType::None},
        {256, 256, 32, Colors::Smooth, Transparency::Some, 128, 128, 8, ConversionType::None},
        {256, 256, 24, Colors::Noise, Transparency::None, 64, 64, 8, ConversionType::None},
        {256, 256, 24, Colors::Noise, Transparency::Some, 256, 256, 8, ConversionType::WebSafe},
        {256, 256, 8, Colors::Noise, Transparency::Some, 100, 300, 8, ConversionType::KeepPalette},
        {256, 256, 32, Colors::ManyFromAPool, Transparency::All, 256, 256, 4, ConversionType::None},
    };
    for (const Case& c : cases) {
        expectSameAsReference(c, rng);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
} // namespace tessaly
