#pragma once

#include <cstdint>
#include <span>

#include "image/color_value.h"

namespace tessaly {

// The fixed colour tables a new palette image starts with: 2 entries for
// 1 bit, 16 for 4 bits, 256 for 8 bits; empty for any other bit count.
//
// The 256-colour table is built in rather than taken from the display: true
// colour displays have no system palette, and an all-black table is useless
// to paint with. It holds the twenty static system colours (0-9, 246-255),
// the rest of the 6x6x6 colour cube (10-217; its eight corners are static
// colours) and 28 greys between the cube's (218-245): 256 distinct colours.
std::span<const ColorValue> standardPalette(std::int32_t bitCount);

// The level (0, 51, ..., 255) of step i (0-5) of the web-safe cube.
constexpr std::uint8_t webSafeLevel(int i) { return static_cast<std::uint8_t>(51 * i); }

} // namespace tessaly
