#pragma once

#include <cstdint>
#include <optional>

#include "image/icon_image.h"

namespace tessaly {

// Makes the square 32-bit images of an icon from one picture of any size and
// bit count. The picture is scaled to fit the square, keeping its
// proportions and centred on transparency, by an area average in which each
// source pixel counts with its alpha (see AreaResampler::resampleRowWeighted):
// edges stay their own colour instead of taking on the colour that the
// transparent pixels around them happen to carry. The mask is transparent
// exactly where the alpha is 0, as in images read from PNG entries.
class IconSetMaker {
public:
    // picture: below 32 bits, or 32 bits without any alpha, its mask gives
    // the transparency (see PngEntry::rgbaOf). None when side is not
    // positive or memory runs out. The result is stored as a bitmap.
    static std::optional<IconImage> makeImage(const IconImage& picture, std::int32_t side);

    // The scaled picture's width and height inside a square of the given side.
    struct Fit {
        std::int32_t width;
        std::int32_t height;
    };
    static Fit fitInSquare(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t side);
};

} // namespace tessaly
