#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color_value.h"

namespace tessaly {

// Exact area-average resampling. A destination pixel is the mean of the
// source pixels it covers, each weighted by the area it shares with them in
// integer units, so that the weights of one destination pixel add up to
// exactly sourceWidth x sourceHeight and no rounding creeps in before the one
// final division. It stays transparent only when more than three quarters of
// its area comes from transparent source pixels.
class AreaResampler {
public:
    struct Sample {
        ColorValue color = 0; // every channel averaged, alpha included
        bool opaque = false;
    };

    // Sizes are not checked beyond being non-negative; an empty source gives
    // transparent black samples.
    AreaResampler(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t width, std::int32_t height);

    // Destination row y (from the top) from the source's colours and
    // transparency flags, both top-down and row-major; out holds one sample
    // per destination column.
    void resampleRow(std::int32_t y, std::span<const ColorValue> colors, std::span<const std::uint8_t> transparent,
                     std::span<Sample> out) const;

    // Destination row y of a picture with alpha (colours top-down and
    // row-major, alpha in the top byte): the alpha is the area average, and
    // the colour channels are averaged with each source pixel weighted by
    // its area times its alpha, so that fully transparent pixels, whatever
    // colour they carry, add nothing to the colour of their neighbours' edge.
    // Averages are rounded to the nearest value; a destination pixel
    // without any alpha is transparent black.
    void resampleRowWeighted(std::int32_t y, std::span<const ColorValue> colors, std::span<ColorValue> out) const;

private:
    // One source row or column with its share of a destination row or column.
    struct Tap {
        std::int32_t index;
        std::uint32_t weight;
    };
    // The taps of destination index i are taps[first[i]] up to taps[first[i + 1]].
    struct Axis {
        std::vector<Tap> taps;
        std::vector<std::size_t> first;
    };

    static Axis makeAxis(std::int32_t source, std::int32_t destination);
    std::span<const Tap> tapsOf(const Axis& axis, std::size_t index) const
    {
        return {axis.taps.data() + axis.first[index], axis.taps.data() + axis.first[index + 1]};
    }

    std::int32_t m_sourceWidth;
    std::int32_t m_sourceHeight;
    Axis m_columns;
    Axis m_rows;
};

} // namespace tessaly
