#pragma once

#include <cstdint>
#include <optional>

namespace tessaly {

// The user's name for an image's bit count; the value is the bit count.
enum class ColorMode : std::int32_t {
    Monochrome = 1,
    Color16 = 4,
    Color256 = 8,
    FullColor = 24,
    SemiTransparent = 32,
};

constexpr std::int32_t bitCountOf(ColorMode mode) { return static_cast<std::int32_t>(mode); }

// None for a bit count that no icon image may have.
constexpr std::optional<ColorMode> colorModeForBitCount(std::int32_t bitCount)
{
    switch (bitCount) {
    case 1: return ColorMode::Monochrome;
    case 4: return ColorMode::Color16;
    case 8: return ColorMode::Color256;
    case 24: return ColorMode::FullColor;
    case 32: return ColorMode::SemiTransparent;
    default: return std::nullopt;
    }
}

} // namespace tessaly
