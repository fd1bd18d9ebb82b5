#include "formats/pam_encoder.h"

#include <string>

namespace tessaly {

std::array<std::uint8_t, 4> PamEncoder::rgba(const IconImage& image, std::int32_t y, std::int32_t x)
{
    const std::uint32_t value = image.getPixel(y, x);
    const ColorValue color =
        image.hasPalette() ? image.getPaletteColor(static_cast<std::int32_t>(value)) : static_cast<ColorValue>(value);
    const std::uint8_t alpha =
        image.bitCount() == 32 ? alphaOf(color) : static_cast<std::uint8_t>(image.getMask(y, x) ? 0 : 255);
    return {redOf(color), greenOf(color), blueOf(color), alpha};
}

std::vector<std::uint8_t> PamEncoder::encode(const IconImage& image)
{
    const std::string header = "P7\nWIDTH " + std::to_string(image.width()) + "\nHEIGHT " +
                               std::to_string(image.height()) + "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<std::uint8_t> pam(header.begin(), header.end());
    pam.reserve(header.size() + 4 * static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const auto sample = rgba(image, y, x);
            pam.insert(pam.end(), sample.begin(), sample.end());
        }
    }
    return pam;
}

} // namespace tessaly
