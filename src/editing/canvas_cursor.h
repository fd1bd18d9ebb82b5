#pragma once

#include <cstdint>

namespace tessaly {

// The pointer shapes the canvas shows: the arrow, and the move and resize
// arrows of the select tool.
enum class CanvasCursor : std::uint8_t {
    Arrow,
    SizeAll,  // moving floating content
    SizeNS,   // top or bottom edge
    SizeWE,   // left or right edge
    SizeNWSE, // top-left or bottom-right corner
    SizeNESW, // bottom-left or top-right corner
};

} // namespace tessaly
