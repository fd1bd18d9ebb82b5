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

// The colour type of the PNG file the image was read from, when it is grey,
// grey with alpha or opaque truecolour and the pixels still fit it; else
// RGBA. A file that held such an entry is read by whoever reads it, and
// widening an edited grey icon to RGBA would grow it by a third.
std::uint8_t keptColorType(std::uint8_t sourceType, std::span<const std::uint8_t> rgba)
{
    if (sourceType != PngHeader::Grey && sourceType != PngHeader::GreyAlpha && sourceType != PngHeader::Truecolor)
        return PngHeader::TruecolorAlpha;
    bool grey = true;
    bool opaque = true;
    for (std::size_t at = 0; at + 3 < rgba.size(); at += 4) {
        grey = grey && rgba[at] == rgba[at + 1] && rgba[at] == rgba[at + 2];
        opaque = opaque && rgba[at + 3] == 255;
    }
    const bool fits = sourceType == PngHeader::Grey        ? grey && opaque
                      : sourceType == PngHeader::GreyAlpha ? grey
                                                           : opaque;
    return fits ? sourceType : std::uint8_t{PngHeader::TruecolorAlpha};
}

bool samePicture(const IconImage& decoded, const IconImage& image)
{
    return decoded.width() == image.width() && decoded.height() == image.height() &&
           decoded.bitCount() == image.bitCount() && std::ranges::equal(decoded.pixelData(), image.pixelData()) &&
           std::ranges::equal(decoded.maskData(), image.maskData());
}

// The samples of an RGBA picture in a narrower colour type that holds them.
std::vector<std::uint8_t> samplesAs(std::uint8_t colorType, std::span<const std::uint8_t> rgba)
{
    std::vector<std::uint8_t> samples;
    samples.reserve(rgba.size());
    for (std::size_t at = 0; at + 3 < rgba.size(); at += 4) {
        samples.push_back(rgba[at]);
        if (colorType == PngHeader::Truecolor) {
            samples.push_back(rgba[at + 1]);
            samples.push_back(rgba[at + 2]);
        } else if (colorType == PngHeader::GreyAlpha) {
            samples.push_back(rgba[at + 3]);
        }
    }
    return samples;
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
    IconImage decoded;
    return !image.pngSource().empty() && PngReader().decodeToIconImage(image.pngSource(), decoded) &&
           samePicture(decoded, image);
}

std::vector<std::uint8_t> PngEntry::encode(const IconImage& image)
{
    if (image.width() <= 0 || image.height() <= 0)
        return {};
    std::uint8_t sourceType = PngHeader::TruecolorAlpha;
    if (!image.pngSource().empty()) {
        PngReader reader;
        IconImage decoded;
        if (reader.decodeToIconImage(image.pngSource(), decoded)) {
            if (samePicture(decoded, image))
                return std::vector<std::uint8_t>(image.pngSource().begin(), image.pngSource().end());
            sourceType = reader.header().colorType;
        }
    }
    const std::vector<std::uint8_t> rgba = rgbaOf(image);
    PngPicture picture;
    picture.header.width = static_cast<std::uint32_t>(image.width());
    picture.header.height = static_cast<std::uint32_t>(image.height());
    picture.header.bitDepth = 8;
    picture.header.colorType = keptColorType(sourceType, rgba);
    std::vector<std::uint8_t> narrower;
    if (picture.header.colorType != PngHeader::TruecolorAlpha)
        narrower = samplesAs(picture.header.colorType, rgba);
    picture.rows = picture.header.colorType == PngHeader::TruecolorAlpha ? std::span(rgba) : std::span(narrower);
    return PngEncoder().encode(picture);
}

} // namespace tessaly
