#pragma once

#include <cstdint>
#include <vector>

#include "image/icon_image.h"

namespace tessaly {

// The PNG form of an icon image inside an .ico file: 8-bit RGBA (colour type
// 6), the one kind every reader of PNG entries takes. An image read from a
// grey, grey-and-alpha or truecolour entry keeps that kind (at 8 bits)
// while its pixels fit it.
class PngEntry {
public:
    // The image's pixels top row first, 4 bytes each (red, green, blue,
    // alpha). Palette images go through their palette. The alpha of a 32-bit
    // image is its own, unless every pixel's alpha is 0: such an image (from
    // before icons had alpha) is shown through its mask, and so is every
    // image below 32 bits, which gets alpha 0 where the mask is transparent
    // and 255 elsewhere.
    static std::vector<std::uint8_t> rgbaOf(const IconImage& image);
    // The PNG file of the image: its pngSource while the pixels and mask
    // are what that decodes to, else a new 8-bit file, RGBA or the narrower
    // kind of the source that still holds the pixels. Empty when it
    // cannot be made (no memory).
    static std::vector<std::uint8_t> encode(const IconImage& image);
    // Whether the image's pngSource still decodes to its pixels and mask.
    static bool sourceMatches(const IconImage& image);
};

} // namespace tessaly
