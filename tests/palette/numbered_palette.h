#pragma once

#include <cstdint>
#include <vector>

#include "image/color_value.h"

namespace tessaly::test {

// Entry i is (10 i, 20, 30) (red wrapping past 25): every entry of a short
// palette tells which it is.
inline std::vector<ColorValue> numberedPalette(std::int32_t n)
{
    std::vector<ColorValue> colours;
    for (std::int32_t i = 0; i < n; ++i)
        colours.push_back(makeColor(static_cast<std::uint8_t>(10 * i), 20, 30));
    return colours;
}

} // namespace tessaly::test
