#include "palette/color_window_layout.h"

#include <algorithm>

namespace tessaly {

void ColorWindowLayout::layout(std::int32_t width, std::int32_t height, bool alphaMode)
{
    const bool medium = width > kMediumAbove;
    const bool wide = width > kWideAbove;
    m_channelCount = alphaMode ? 4 : 3;
    m_swatch = {11, 11, 41, 41};
    m_lamp = {30, 53, 38, 61};
    m_lampLabel = {14, 51, 26, 63};
    for (std::int32_t i = 0; i < kMaxChannels; ++i) {
        const std::int32_t y = kRowPitch * i;
        Channel& c = m_channels[static_cast<std::size_t>(i)];
        c.label = {53, 8 + y, 65, 20 + y};
        const std::int32_t barLeft = wide ? 81 : 72;
        const std::int32_t barRight = width - 11 - (medium ? 33 : 0) - (wide ? 9 : 0);
        c.bar = {barLeft, 11 + y, barRight, 17 + y};
        if (wide) {
            c.minus = {72, 11 + y, barLeft - 4, 16 + y};
            c.plus = {barRight + 4, 11 + y, width - 11 - 33, 16 + y};
        } else {
            c.minus = {};
            c.plus = {};
        }
        c.box = {std::max(width - 31, barRight), 9 + y, width - 11, 21 + y};
        c.boxShown = medium && i < m_channelCount;
    }
    // The fields start below the last thumb.
    const std::int32_t t = thumb(m_channelCount - 1, 0).bottom;
    const std::int32_t lightnessTop = std::max(t + 38, height - 21);
    m_lightness = {11, lightnessTop, width - 11, std::max(height - 11, lightnessTop)};
    const std::int32_t hueTop = t + 13;
    const std::int32_t hueBottom = (m_lightness.isEmpty() ? height : m_lightness.top) - 11;
    m_hue = {11, hueTop, width - 11, std::max(hueBottom, hueTop)};
}

ViewRect ColorWindowLayout::thumb(std::int32_t i, std::uint8_t value) const
{
    const ViewRect& bar = channel(i).bar;
    const std::int32_t left = bar.left + value * (bar.right - bar.left) / 255 - kThumbWidth / 2;
    const std::int32_t top = bar.bottom + 2;
    return {left, top, left + kThumbWidth, top + kThumbHeight};
}

std::uint8_t ColorWindowLayout::valueAt(std::int32_t i, std::int32_t x) const
{
    const ViewRect& bar = channel(i).bar;
    if (bar.width() <= 1)
        return 0;
    const std::int32_t clamped = std::clamp(x, bar.left, bar.right - 1);
    return static_cast<std::uint8_t>((clamped - bar.left) * 255 / (bar.right - bar.left - 1));
}

} // namespace tessaly
