#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/icon_image.h"

namespace tessaly {

// Writes an icon image as a PAM file (P7, TUPLTYPE RGB_ALPHA, 8 bits per
// sample, top row first), the plainest format that other programs compare
// pixels with.
class PamEncoder {
public:
    static std::vector<std::uint8_t> encode(const IconImage& image);

    // Red, green, blue and alpha of one pixel: palette images through their
    // palette; the alpha is the stored alpha of 32-bit images, and for all
    // others 0 where the mask marks the pixel transparent and 255 elsewhere.
    static std::array<std::uint8_t, 4> rgba(const IconImage& image, std::int32_t y, std::int32_t x);
};

} // namespace tessaly
