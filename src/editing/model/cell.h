#pragma once

#include <cstdint>

namespace tessaly {

// One pixel of the image under edit: the palette index (1, 4 and 8 bits) or
// the colour 0xAABBGGRR (24 bits with alpha 0, 32 bits with its alpha), and
// the AND-mask bit (1 = transparent or screen-inverting; only 0 and 1 occur).
struct Cell {
    std::uint32_t value = 0;
    std::uint8_t mask = 0;

    friend bool operator==(const Cell&, const Cell&) = default;
};

} // namespace tessaly
