#pragma once

#include <cstdint>

namespace tessaly {

// What a client point touches of the selection frame. Each edge has a grab
// zone 4 screen pixels wide, from 3 pixels outside the frame line to the line
// itself; corners are where two zones meet.
enum class SelectionHit : std::uint8_t {
    None = 0,
    Inside = 1,
    Top = 2,
    Left = 3,
    Bottom = 4,
    Right = 5,
    TopLeft = 6,
    BottomLeft = 7,
    TopRight = 8,
    BottomRight = 9,
};

} // namespace tessaly
