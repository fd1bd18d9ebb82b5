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
std::uint8_t keptColorType(std::span<const std::uint8_t> source, std::span<const std::uint8_t> rgba)
{
    // IHDR comes first: its length and type follow the signature.
    constexpr std::size_t kFieldsAt = PngHeader::kSignature.size() + 8;
    if (!PngHeader::startsWithSignature(source) || source.size() < kFieldsAt + PngHeader::kBytes)
        return PngHeader::TruecolorAlpha;
    const std::uint8_t sourceType = PngHeader::parse(source.subspan(kFieldsAt, PngHeader::kBytes)).colorType;
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
    const std::vector<std::uint8_t> rgba = rgbaOf(image);
    PngPicture picture;
    picture.header.width = static_cast<std::uint32_t>(image.width());
    picture.header.height = static_cast<std::uint32_t>(image.height());
    picture.header.bitDepth = 8;
    picture.header.colorType = keptColorType(image.pngSource(), rgba);
    if (picture.header.colorType == PngHeader::TruecolorAlpha)
        return PngEncoder::encodeRgba(picture.header.width, picture.header.height, rgba);
    const std::vector<std::uint8_t> samples = samplesAs(picture.header.colorType, rgba);
    picture.rows = samples;
    return PngEncoder().encode(picture);
}

} // namespace tessaly
