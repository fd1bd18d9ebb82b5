#pragma once

#include <array>
#include <cstdint>

#include "editing/view_rect.h"

namespace tessaly {

// Where the selected-colour window puts its parts for a client size: the
// swatch and the mask lamp at the left, one row per channel (label, bar,
// thumb, value box, minus and plus buttons), and below them the hue field
// and the lightness field. Wider windows get the value boxes (over 150
// pixels) and then the buttons (over 174).
class ColorWindowLayout {
public:
    static constexpr std::int32_t kMaxChannels = 4;
    static constexpr std::int32_t kRowPitch = 24;
    static constexpr std::int32_t kMediumAbove = 150;
    static constexpr std::int32_t kWideAbove = 174;
    static constexpr std::int32_t kThumbWidth = 12;
    static constexpr std::int32_t kThumbHeight = 6;

    struct Channel {
        ViewRect label;
        ViewRect bar;
        ViewRect minus; // empty unless wide
        ViewRect plus;  // empty unless wide
        ViewRect box;
        bool boxShown = false;
    };

    void layout(std::int32_t width, std::int32_t height, bool alphaMode);

    // 3, or 4 with the transparency row.
    std::int32_t channelCount() const { return m_channelCount; }
    const ViewRect& swatch() const { return m_swatch; }
    const ViewRect& lamp() const { return m_lamp; }
    const ViewRect& lampLabel() const { return m_lampLabel; }
    const Channel& channel(std::int32_t i) const { return m_channels[static_cast<std::size_t>(i)]; }
    const ViewRect& hueField() const { return m_hue; }
    const ViewRect& lightnessField() const { return m_lightness; }

    // The thumb of channel i at value v: the box of the outline triangle,
    // whose lines run on its left, right and bottom edges (all included).
    ViewRect thumb(std::int32_t i, std::uint8_t value) const;
    // A bar of one pixel or none has nothing to draw and no thumb to drag.
    bool barUsable(std::int32_t i) const { return channel(i).bar.width() > 1; }
    // The channel value for a thumb dragged to x (its centre), clamped to the bar.
    std::uint8_t valueAt(std::int32_t i, std::int32_t x) const;

private:
    std::int32_t m_channelCount = 3;
    ViewRect m_swatch;
    ViewRect m_lamp;
    ViewRect m_lampLabel;
    std::array<Channel, kMaxChannels> m_channels{};
    ViewRect m_hue;
    ViewRect m_lightness;
};

} // namespace tessaly
