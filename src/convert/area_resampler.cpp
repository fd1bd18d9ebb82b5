#include "convert/area_resampler.h"

#include <algorithm>
#include <cassert>

namespace tessaly {

AreaResampler::AreaResampler(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t width,
                             std::int32_t height)
    : m_sourceWidth(sourceWidth)
    , m_sourceHeight(sourceHeight)
    , m_columns(makeAxis(sourceWidth, width))
    , m_rows(makeAxis(sourceHeight, height))
{
}

// Destination index i covers [source * i, source * (i + 1)) and source index
// k covers [destination * k, destination * (k + 1)) on a common scale; the
// weight is the length of the overlap. Zero-length overlaps at exact
// boundaries are left out: they add nothing to any sum.
AreaResampler::Axis AreaResampler::makeAxis(std::int32_t source, std::int32_t destination)
{
    assert(source >= 0 && destination >= 0);
    Axis axis;
    axis.first.reserve(static_cast<std::size_t>(destination) + 1);
    const std::int64_t s = source;
    const std::int64_t d = destination;
    for (std::int64_t i = 0; i < d; ++i) {
        axis.first.push_back(axis.taps.size());
        const std::int64_t from = s * i / d;
        const std::int64_t to = std::min(s - 1, s * (i + 1) / d);
        for (std::int64_t k = from; k <= to; ++k) {
            const std::int64_t weight = std::min(s * (i + 1), d * (k + 1)) - std::max(d * k, s * i);
            if (weight > 0)
                axis.taps.push_back({static_cast<std::int32_t>(k), static_cast<std::uint32_t>(weight)});
        }
    }
    axis.first.push_back(axis.taps.size());
    return axis;
}

void AreaResampler::resampleRow(std::int32_t y, std::span<const ColorValue> colors,
                                std::span<const std::uint8_t> transparent, std::span<Sample> out) const
{
    // 64-bit sums: weight x channel reaches sourceWidth x sourceHeight x 255.
    const std::uint64_t total = static_cast<std::uint64_t>(m_sourceWidth) * static_cast<std::uint64_t>(m_sourceHeight);
    const std::uint64_t opaqueLimit = 3 * total / 4;
    const auto sourceWidth = static_cast<std::size_t>(m_sourceWidth);
    const auto row = static_cast<std::size_t>(y);
    const std::span<const Tap> rowTaps(m_rows.taps.data() + m_rows.first[row],
                                       m_rows.taps.data() + m_rows.first[row + 1]);
    for (std::size_t x = 0; x < out.size(); ++x) {
        if (total == 0) {
            out[x] = Sample{};
            continue;
        }
        const std::span<const Tap> columnTaps(m_columns.taps.data() + m_columns.first[x],
                                              m_columns.taps.data() + m_columns.first[x + 1]);
        std::uint64_t red = 0, green = 0, blue = 0, alpha = 0, transparentWeight = 0;
        for (const Tap& r : rowTaps) {
            const std::size_t base = static_cast<std::size_t>(r.index) * sourceWidth;
            for (const Tap& c : columnTaps) {
                const std::uint64_t weight = static_cast<std::uint64_t>(r.weight) * c.weight;
                const std::size_t at = base + static_cast<std::size_t>(c.index);
                const ColorValue color = colors[at];
                red += weight * redOf(color);
                green += weight * greenOf(color);
                blue += weight * blueOf(color);
                alpha += weight * alphaOf(color);
                if (transparent[at])
                    transparentWeight += weight;
            }
        }
        out[x].color = makeColor(static_cast<std::uint8_t>(red / total), static_cast<std::uint8_t>(green / total),
                                 static_cast<std::uint8_t>(blue / total), static_cast<std::uint8_t>(alpha / total));
        out[x].opaque = transparentWeight <= opaqueLimit;
    }
}

void AreaResampler::resampleRowWeighted(std::int32_t y, std::span<const ColorValue> colors,
                                        std::span<ColorValue> out) const
{
    // weight x alpha x channel reaches sourceWidth x sourceHeight x 255 x 255:
    // below 2^45 for the largest images.
    const std::uint64_t total = static_cast<std::uint64_t>(m_sourceWidth) * static_cast<std::uint64_t>(m_sourceHeight);
    const auto sourceWidth = static_cast<std::size_t>(m_sourceWidth);
    const std::span<const Tap> rowTaps = tapsOf(m_rows, static_cast<std::size_t>(y));
    for (std::size_t x = 0; x < out.size(); ++x) {
        std::uint64_t red = 0, green = 0, blue = 0, alpha = 0;
        for (const Tap& r : rowTaps) {
            const std::size_t base = static_cast<std::size_t>(r.index) * sourceWidth;
            for (const Tap& c : tapsOf(m_columns, x)) {
                const ColorValue color = colors[base + static_cast<std::size_t>(c.index)];
                const std::uint64_t weight = static_cast<std::uint64_t>(r.weight) * c.weight * alphaOf(color);
                red += weight * redOf(color);
                green += weight * greenOf(color);
                blue += weight * blueOf(color);
                alpha += weight;
            }
        }
        if (alpha == 0) {
            out[x] = 0;
            continue;
        }
        const auto mean = [alpha](std::uint64_t sum) {
            return static_cast<std::uint8_t>((2 * sum + alpha) / (2 * alpha));
        };
        // alpha holds the area sum times 255: the mean alpha is alpha / total.
        const auto meanAlpha = static_cast<std::uint8_t>((2 * alpha + total) / (2 * total));
        out[x] = makeColor(mean(red), mean(green), mean(blue), meanAlpha);
    }
}

} // namespace tessaly
