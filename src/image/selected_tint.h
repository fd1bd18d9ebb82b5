#pragma once

#include "image/color_value.h"

namespace tessaly {

// The 32-bit rule the icon lists and the preview share: a pixel of colour
// `colour` and alpha `alpha` laid over the background `bg` (alpha 0 leaves
// the background, 255 the colour). Channels only; the result carries alpha 0.
constexpr ColorValue blendOverBackground(ColorValue colour, unsigned alpha, ColorValue bg)
{
    auto channel = [](unsigned c, unsigned b, unsigned a) {
        return static_cast<std::uint8_t>((b * (255 - a) + c * (a + 1)) >> 8);
    };
    return makeColor(channel(redOf(colour), redOf(bg), alpha), channel(greenOf(colour), greenOf(bg), alpha),
                     channel(blueOf(colour), blueOf(bg), alpha));
}

// How a selected item shows its mostly opaque pixels: the composited pixel
// and the highlight colour in equal parts. Both inputs are at most 255 per
// channel, so the mean never wraps and a light pixel stays light.
constexpr ColorValue tintTowardHighlight(ColorValue composited, ColorValue highlight)
{
    auto mean = [](unsigned a, unsigned b) { return static_cast<std::uint8_t>((a + b + 1) >> 1); };
    return makeColor(mean(redOf(composited), redOf(highlight)), mean(greenOf(composited), greenOf(highlight)),
                     mean(blueOf(composited), blueOf(highlight)));
}

// Pixels of at least this alpha are tinted when their item is selected.
constexpr unsigned kSelectedTintAlpha = 129;

// One 32-bit pixel of a thumbnail or preview: blended over the background,
// and when `selected` and opaque enough, tinted toward `highlight`.
constexpr ColorValue showPixel32(ColorValue colour, unsigned alpha, ColorValue bg, bool selected, ColorValue highlight)
{
    const ColorValue composited = blendOverBackground(colour, alpha, bg);
    return selected && alpha >= kSelectedTintAlpha ? tintTowardHighlight(composited, highlight) : composited;
}

} // namespace tessaly
