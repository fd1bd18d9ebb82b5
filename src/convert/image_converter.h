#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "convert/conversion_type.h"
#include "image/color_value.h"
#include "image/icon_image.h"

namespace tessaly {

// Makes a new icon image of a chosen size and colour mode from an existing
// one, which is never changed. Resizing is an exact area average; colours are
// reduced onto the standard 2- and 16-colour palettes, an adaptive 256-colour
// palette, the web-safe cube or 256 greys, always by nearest colour and
// without dithering.
//
// A converter is made for one request and then discarded. Every operation
// returns none when an image cannot be made (an unsupported bit count, a
// size out of range, or no memory).
class ImageConverter {
public:
    // The whole conversion the duplication dialog asks for. KeepPalette only
    // resizes, whatever bitCount says; WebSafe and Greyscale always give 256
    // colours.
    std::optional<IconImage> convertImage(const IconImage& source, std::int32_t width, std::int32_t height,
                                          std::int32_t bitCount, ConversionType type);

    // The steps of a conversion.

    // Same bit count as the image; a palette image keeps its palette and
    // each averaged colour takes its nearest entry.
    std::optional<IconImage> resampleSameMode(const IconImage& image, std::int32_t width, std::int32_t height);
    // 32 bits; below 32 bits the mask becomes the alpha (opaque 255,
    // transparent 0), a 32-bit image keeps its own alpha.
    std::optional<IconImage> resampleToAlpha(const IconImage& image, std::int32_t width, std::int32_t height);
    // Same size; the mask is kept and the alpha dropped below 32 bits.
    std::optional<IconImage> reduceColors(const IconImage& image, std::int32_t bitCount);
    std::optional<IconImage> toWebSafe(const IconImage& image);
    std::optional<IconImage> toGreyscale(const IconImage& image);

    // The palette entry of the image nearest to the colour (alpha ignored),
    // the first of equally near ones; -1 when the image has no palette. The
    // last lookup is remembered for the same image and colour, so the image's
    // palette must not change between calls.
    std::int32_t nearestPaletteIndex(const IconImage& image, ColorValue color);

private:
    struct Lookup {
        const IconImage* image = nullptr;
        ColorValue color = 0;
        std::int32_t index = -1;
    };

    // Gives every pixel of `result` the entry of `paletteImage` nearest to
    // its colour in `colors` (top-down, row-major).
    void mapToPalette(const IconImage& paletteImage, std::span<const ColorValue> colors, IconImage& result);

    Lookup m_lastLookup;
};

} // namespace tessaly
