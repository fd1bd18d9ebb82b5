#pragma once

#include <cstdint>

namespace tessaly {

// A pixel position of the image under edit, row 0 at the top. It may lie
// outside the image: strokes and lines are walked there too.
struct PixelPoint {
    std::int32_t row = 0;
    std::int32_t column = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

} // namespace tessaly
