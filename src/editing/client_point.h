#pragma once

#include <cstdint>

namespace tessaly {

// A point in the canvas window's client area, in screen pixels (x to the
// right, y down); also used for differences of such points and for the
// canvas's scroll position.
struct ClientPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const ClientPoint&, const ClientPoint&) = default;
};

} // namespace tessaly
