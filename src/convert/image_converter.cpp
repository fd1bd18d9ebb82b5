#include "convert/image_converter.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <vector>

#include "convert/adaptive_palette.h"
#include "convert/area_resampler.h"
#include "convert/color_histogram.h"
#include "convert/nearest_color_finder.h"
#include "image/color_mode.h"

namespace tessaly {

namespace {

constexpr ColorValue kBlack = makeColor(0, 0, 0);
constexpr ColorValue kWhite = makeColor(255, 255, 255);

constexpr ColorValue withoutAlpha(ColorValue color)
{
    return color & 0x00FFFFFFu;
}

std::size_t pixelCountOf(const IconImage& image)
{
    return static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
}

std::vector<ColorValue> paletteOf(const IconImage& image)
{
    std::vector<ColorValue> palette(static_cast<std::size_t>(image.colorCount()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = image.getPaletteColor(static_cast<std::int32_t>(i));
    return palette;
}

// Every pixel's colour, top-down and row-major: through the palette (alpha 0)
// where there is one, otherwise as stored (alpha 0 for 24 bits).
std::vector<ColorValue> colorsOf(const IconImage& image)
{
    const std::vector<ColorValue> palette = paletteOf(image);
    std::vector<ColorValue> colors;
    colors.reserve(pixelCountOf(image));
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::uint32_t value = image.getPixel(y, x);
            colors.push_back(image.hasPalette() ? palette[value] : value);
        }
    }
    return colors;
}

std::vector<ColorValue> opaqueColorsOf(const IconImage& image)
{
    std::vector<ColorValue> colors = colorsOf(image);
    for (ColorValue& c : colors)
        c = withoutAlpha(c);
    return colors;
}

std::vector<std::uint8_t> transparencyOf(const IconImage& image)
{
    std::vector<std::uint8_t> transparent;
    transparent.reserve(pixelCountOf(image));
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x)
            transparent.push_back(image.getMask(y, x) ? 1 : 0);
    }
    return transparent;
}

// Both images have the same size, so their mask rows match byte for byte.
void copyMask(const IconImage& from, IconImage& to)
{
    std::copy(from.maskData().begin(), from.maskData().end(), to.maskData().begin());
}

// As many entries as both palettes hold; the rest of `to` stays as it is.
void copyPalette(const IconImage& from, IconImage& to)
{
    const std::int32_t n = std::min(from.colorCount(), to.colorCount());
    for (std::int32_t i = 0; i < n; ++i)
        to.setPaletteColor(i, from.getPaletteColor(i));
}

// Area-averages the image's colours into `result`, handing each averaged
// colour to `store`; a pixel turns opaque unless more than three quarters of
// its area is transparent in the image.
template <typename Store>
void resamplePixels(const IconImage& image, std::span<const ColorValue> colors, IconImage& result, Store store)
{
    const std::vector<std::uint8_t> transparent = transparencyOf(image);
    const AreaResampler resampler(image.width(), image.height(), result.width(), result.height());
    std::vector<AreaResampler::Sample> row(static_cast<std::size_t>(result.width()));
    for (std::int32_t y = 0; y < result.height(); ++y) {
        resampler.resampleRow(y, colors, transparent, row);
        for (std::int32_t x = 0; x < result.width(); ++x) {
            const AreaResampler::Sample& sample = row[static_cast<std::size_t>(x)];
            store(y, x, sample.color);
            if (sample.opaque)
                result.setMask(y, x, false);
        }
    }
}

// Lack of memory for a working buffer ends a step like lack of memory for the
// image itself: with no image.
template <typename Make> std::optional<IconImage> noneWhenOutOfMemory(Make make)
{
    try {
        return make();
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<IconImage> ImageConverter::convertImage(const IconImage& source, std::int32_t width, std::int32_t height,
                                                      std::int32_t bitCount, ConversionType type)
{
    switch (type) {
    case ConversionType::None:
        if (bitCount == source.bitCount())
            return resampleSameMode(source, width, height);
        if (!colorModeForBitCount(bitCount))
            return std::nullopt;
        if (std::optional<IconImage> resampled = resampleToAlpha(source, width, height))
            return reduceColors(*resampled, bitCount);
        return std::nullopt;
    case ConversionType::KeepPalette:
        return resampleSameMode(source, width, height);
    case ConversionType::WebSafe:
        if (std::optional<IconImage> resampled = resampleToAlpha(source, width, height))
            return toWebSafe(*resampled);
        return std::nullopt;
    case ConversionType::Greyscale:
        if (std::optional<IconImage> resampled = resampleToAlpha(source, width, height))
            return toGreyscale(*resampled);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<IconImage> ImageConverter::resampleSameMode(const IconImage& image, std::int32_t width,
                                                          std::int32_t height)
{
    return noneWhenOutOfMemory([&]() -> std::optional<IconImage> {
        IconImage result;
        if (!result.create(width, height, image.bitCount()))
            return std::nullopt;
        const std::vector<ColorValue> colors = colorsOf(image);
        if (!image.hasPalette()) {
            resamplePixels(image, colors, result,
                           [&](std::int32_t y, std::int32_t x, ColorValue c) { result.setPixel(y, x, c); });
            return result;
        }
        std::vector<ColorValue> averaged(pixelCountOf(result));
        resamplePixels(image, colors, result, [&](std::int32_t y, std::int32_t x, ColorValue c) {
            averaged[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                withoutAlpha(c);
        });
        copyPalette(image, result);
        mapToPalette(image, averaged, result);
        return result;
    });
}

std::optional<IconImage> ImageConverter::resampleToAlpha(const IconImage& image, std::int32_t width,
                                                         std::int32_t height)
{
    return noneWhenOutOfMemory([&]() -> std::optional<IconImage> {
        IconImage result;
        if (!result.create(width, height, 32))
            return std::nullopt;
        std::vector<ColorValue> colors = colorsOf(image);
        if (image.bitCount() != 32) {
            // Below 32 bits the mask is all the transparency there is.
            const std::vector<std::uint8_t> transparent = transparencyOf(image);
            for (std::size_t i = 0; i < colors.size(); ++i)
                colors[i] = withoutAlpha(colors[i]) | (transparent[i] ? 0u : 0xFF000000u);
        }
        resamplePixels(image, colors, result,
                       [&](std::int32_t y, std::int32_t x, ColorValue c) { result.setPixel(y, x, c); });
        return result;
    });
}

std::optional<IconImage> ImageConverter::reduceColors(const IconImage& image, std::int32_t bitCount)
{
    return noneWhenOutOfMemory([&]() -> std::optional<IconImage> {
        IconImage result;
        if (bitCount == image.bitCount()) {
            if (!result.copyFrom(image))
                return std::nullopt;
            return result;
        }
        if (!result.create(image.width(), image.height(), bitCount))
            return std::nullopt;
        copyMask(image, result);

        if (bitCount >= image.bitCount() || bitCount > 8) {
            // Nothing to choose: indices move into the larger palette as they
            // are; colours are stored as they are, a 32-bit result taking the
            // alpha byte the colours carry.
            if (result.hasPalette()) {
                copyPalette(image, result);
                for (std::int32_t y = 0; y < image.height(); ++y) {
                    for (std::int32_t x = 0; x < image.width(); ++x)
                        result.setPixel(y, x, image.getPixel(y, x));
                }
            } else {
                const std::vector<ColorValue> colors = colorsOf(image);
                std::size_t at = 0;
                for (std::int32_t y = 0; y < image.height(); ++y) {
                    for (std::int32_t x = 0; x < image.width(); ++x)
                        result.setPixel(y, x, colors[at++]);
                }
            }
            return result;
        }

        const std::vector<ColorValue> colors = opaqueColorsOf(image);
        if (bitCount == 8) {
            // Black and white are always entries 0 and 255; only the other
            // colours compete for the 254 entries between them.
            std::vector<ColorValue> counted;
            counted.reserve(colors.size());
            std::copy_if(colors.begin(), colors.end(), std::back_inserter(counted),
                         [](ColorValue c) { return c != kBlack && c != kWhite; });
            ColorHistogram histogram;
            histogram.addAll(counted);
            const auto palette = AdaptivePalette::build(histogram.takeEntries());
            for (std::size_t i = 0; i < palette.size(); ++i)
                result.setPaletteColor(static_cast<std::int32_t>(i), palette[i]);
        } else {
            result.setStandardPalette();
        }
        mapToPalette(result, colors, result);
        return result;
    });
}

std::optional<IconImage> ImageConverter::toWebSafe(const IconImage& image)
{
    return noneWhenOutOfMemory([&]() -> std::optional<IconImage> {
        IconImage result;
        if (!result.create(image.width(), image.height(), 8))
            return std::nullopt;
        // Entries 216-255 stay black; only the cube is meant to be used.
        result.setWebSafePalette();
        copyMask(image, result);
        mapToPalette(result, opaqueColorsOf(image), result);
        return result;
    });
}

std::optional<IconImage> ImageConverter::toGreyscale(const IconImage& image)
{
    return noneWhenOutOfMemory([&]() -> std::optional<IconImage> {
        IconImage result;
        if (!result.create(image.width(), image.height(), 8))
            return std::nullopt;
        for (std::int32_t i = 0; i < 256; ++i) {
            const auto level = static_cast<std::uint8_t>(i);
            result.setPaletteColor(i, makeColor(level, level, level));
        }
        copyMask(image, result);
        const std::vector<ColorValue> colors = colorsOf(image);
        std::size_t at = 0;
        for (std::int32_t y = 0; y < image.height(); ++y) {
            for (std::int32_t x = 0; x < image.width(); ++x) {
                const ColorValue c = colors[at++];
                // Luma weights in thousandths; the sum never passes 255 000.
                result.setPixel(y, x, (299u * redOf(c) + 587u * greenOf(c) + 114u * blueOf(c)) / 1000u);
            }
        }
        return result;
    });
}

std::int32_t ImageConverter::nearestPaletteIndex(const IconImage& image, ColorValue color)
{
    if (m_lastLookup.image == &image && m_lastLookup.color == color)
        return m_lastLookup.index;
    const std::int32_t index = NearestColorFinder::linearSearch(paletteOf(image), color);
    m_lastLookup = {&image, color, index};
    return index;
}

void ImageConverter::mapToPalette(const IconImage& paletteImage, std::span<const ColorValue> colors, IconImage& result)
{
    // Images of earlier steps are gone and their addresses may be taken by
    // new ones: a lookup remembered from them must not answer for this one.
    m_lastLookup = {};
    NearestColorFinder finder(paletteOf(paletteImage));
    std::size_t at = 0;
    for (std::int32_t y = 0; y < result.height(); ++y) {
        for (std::int32_t x = 0; x < result.width(); ++x) {
            const ColorValue color = colors[at++];
            if (m_lastLookup.image != &paletteImage || m_lastLookup.color != color)
                m_lastLookup = {&paletteImage, color, finder.find(color)};
            result.setPixel(y, x, static_cast<std::uint32_t>(m_lastLookup.index));
        }
    }
    m_lastLookup = {};
}

} // namespace tessaly
