#include "formats/png_entry.h"

#include <algorithm>

#include "formats/png_encoder.h"
#include "formats/png_reader.h"

namespace tessaly {

namespace {

bool usesAlpha(const IconImage& image)
{
    if (image.bitCount() != 32)
        return false;
    const std::span<const std::uint8_t> pixels = image.pixelData();
    for (std::size_t at = 3; at < pixels.size(); at += 4) {
        if (pixels[at] != 0)
            return true;
    }
    return false;
}

} // namespace

std::vector<std::uint8_t> PngEntry::rgbaOf(const IconImage& image)
{
    const bool ownAlpha = usesAlpha(image);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(4 * static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::uint32_t value = image.getPixel(y, x);
            const ColorValue color = image.hasPalette() ? image.getPaletteColor(static_cast<std::int32_t>(value))
                                                        : static_cast<ColorValue>(value);
            rgba.push_back(redOf(color));
            rgba.push_back(greenOf(color));
            rgba.push_back(blueOf(color));
            rgba.push_back(ownAlpha ? alphaOf(color) : image.getMask(y, x) ? std::uint8_t{0} : std::uint8_t{255});
        }
    }
    return rgba;
}

bool PngEntry::sourceMatches(const IconImage& image)
{
    if (image.pngSource().empty())
        return false;
    IconImage decoded;
    return PngReader().decodeToIconImage(image.pngSource(), decoded) && decoded.width() == image.width() &&
           decoded.height() == image.height() && decoded.bitCount() == image.bitCount() &&
           std::ranges::equal(decoded.pixelData(), image.pixelData()) &&
           std::ranges::equal(decoded.maskData(), image.maskData());
}

std::vector<std::uint8_t> PngEntry::encode(const IconImage& image)
{
    if (image.width() <= 0 || image.height() <= 0)
        return {};
    if (sourceMatches(image))
        return std::vector<std::uint8_t>(image.pngSource().begin(), image.pngSource().end());
    return PngEncoder::encodeRgba(static_cast<std::uint32_t>(image.width()), static_cast<std::uint32_t>(image.height()),
                                  rgbaOf(image));
}

} // namespace tessaly
