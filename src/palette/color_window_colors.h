#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/color_value.h"

namespace tessaly {

// The colours the selected-colour window shows, computed rather than read
// back from the screen: the swatch over its background, the channel bars,
// the hue and lightness fields, the mask lamp. All integer arithmetic; the
// top byte of every colour returned is 0.
class ColorWindowColors {
public:
    // The system colours the lamp is drawn with.
    struct LampTones {
        ColorValue face;
        ColorValue shadow;
        ColorValue highlight;
    };
    static constexpr ColorValue kLampLit = makeColor(0xFF, 0x40, 0x7F);
    static constexpr ColorValue kLampDark = makeColor(0x7F, 0x40, 0x60);
    static constexpr std::int32_t kLampSize = 8;
    static constexpr std::int32_t kCheckerSquare = 8;

    // The swatch's colour over one background colour. maskTool: the tool
    // draws transparency, shown as NOT maskBackground AND background;
    // alphaMode: the colour blended over the background by its alpha;
    // drawingMask: NOT colour AND background; otherwise the colour itself.
    static ColorValue swatchColour(ColorValue shown, ColorValue background, bool maskTool, bool alphaMode,
                                   bool drawingMask, ColorValue maskBackground);
    // A swatch of width x height, rows top first: one colour, or a checker
    // of 8 x 8 squares from its top-left corner with `overFirst` where
    // (x div 8 + y div 8) is odd and `overSecond` elsewhere.
    static std::vector<ColorValue> swatchPixels(std::int32_t width, std::int32_t height, bool twoTone,
                                                ColorValue overFirst, ColorValue overSecond);

    // Column k of a bar of `width` columns (nothing for width <= 1): the
    // shown colour with channel 0-2 running 0..255, or for channel 3 the
    // shown colour faded in over the first background colour.
    static std::vector<ColorValue> barColumns(std::int32_t channel, std::int32_t width, ColorValue shown,
                                              ColorValue background);

    // The pure hue of column x of a field width wide: red, yellow, green,
    // cyan, blue, magenta and back in six equal segments.
    static ColorValue hueColumn(std::int32_t x, std::int32_t width);
    // The hue field at (x, y): white at the top, the pure hue at half the
    // height, black at the bottom.
    static ColorValue hueAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    static std::vector<ColorValue> hueField(std::int32_t width, std::int32_t height);

    // The colour at the centre of the lightness field for a shown colour:
    // the colour with its lightness brought to the middle.
    static ColorValue midColor(ColorValue shown);
    // Column x of the lightness field (drawn only when wider than 2): black
    // to the mid colour over the left half, the mid colour to white after.
    static ColorValue lightnessAt(std::int32_t x, std::int32_t width, ColorValue mid);

    // The lamp's 8 x 8 pixels, rows top first: a lit or dark disc with a
    // sunken rim.
    static std::array<ColorValue, kLampSize * kLampSize> lampPixels(const LampTones& tones, bool lit);
};

} // namespace tessaly
