#pragma once

#include <cstdint>

namespace tessaly {

// The one 32-bit colour form of the program: 0xAABBGGRR, red in the low byte.
// Palette entries and 24-bit pixels carry alpha 0; for 32-bit pixels 255 is
// opaque.
using ColorValue = std::uint32_t;

constexpr ColorValue makeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 0)
{
    return static_cast<ColorValue>(red) | static_cast<ColorValue>(green) << 8 | static_cast<ColorValue>(blue) << 16 |
           static_cast<ColorValue>(alpha) << 24;
}

constexpr std::uint8_t redOf(ColorValue c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t greenOf(ColorValue c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t blueOf(ColorValue c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t alphaOf(ColorValue c) { return static_cast<std::uint8_t>(c >> 24); }

} // namespace tessaly
