#pragma once

#include <cstdint>

#include "image/color_value.h"
#include "image/selected_tint.h"

namespace tessaly {

// How one pixel of an image resampled to thumbnail size shows in an icon
// list: `colour` is the resampled colour with its alpha in the top byte,
// `masked` its mask bit, `sourceBits` the bit count of the listed image.
// Below 32 bits the mask decides (a masked pixel shows the background, or
// inverts it where the colour is light, as the icon would on screen); at
// 32 bits the alpha does. Results carry alpha 0.
constexpr ColorValue thumbnailPixel(ColorValue colour, bool masked, std::int32_t sourceBits, ColorValue bg,
                                    bool selected, ColorValue highlight)
{
    if (sourceBits == 32)
        return showPixel32(colour, alphaOf(colour), bg, selected, highlight);
    if (masked)
        return selected ? bg & 0xFFFFFFu : ~colour & bg & 0xFFFFFFu;
    if (!selected)
        return colour & 0xFFFFFFu;
    auto half = [](unsigned a, unsigned b) { return static_cast<std::uint8_t>((a + b) / 2); };
    return makeColor(half(redOf(colour), redOf(highlight)), half(greenOf(colour), greenOf(highlight)),
                     half(blueOf(colour), blueOf(highlight)));
}

// One pixel of the half-transparent image that follows the pointer while an
// item is dragged, over the screen pixel `under`.
constexpr ColorValue dragImagePixel(ColorValue colour, bool masked, std::int32_t sourceBits, ColorValue under)
{
    ColorValue shown = colour & 0xFFFFFFu;
    if (sourceBits == 32) {
        const unsigned alpha = alphaOf(colour);
        auto blend = [alpha](unsigned c, unsigned b) {
            return static_cast<std::uint8_t>((c * alpha + b * (256 - alpha)) >> 8);
        };
        shown = masked ? under & 0xFFFFFFu
                       : makeColor(blend(redOf(colour), redOf(under)), blend(greenOf(colour), greenOf(under)),
                                   blend(blueOf(colour), blueOf(under)));
    } else if (masked) {
        shown = ~colour & under & 0xFFFFFFu;
    }
    auto half = [](unsigned a, unsigned b) { return static_cast<std::uint8_t>((a + b) / 2); };
    return makeColor(half(redOf(shown), redOf(under)), half(greenOf(shown), greenOf(under)),
                     half(blueOf(shown), blueOf(under)));
}

} // namespace tessaly
