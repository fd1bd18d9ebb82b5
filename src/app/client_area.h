#pragma once

#include <algorithm>
#include <cstdint>

namespace tessaly {

// A rectangle of a window's client area in screen pixels, right and bottom
// exclusive as the system's own rectangles are.
struct ClientArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    std::int32_t width() const { return isEmpty() ? 0 : right - left; }
    std::int32_t height() const { return isEmpty() ? 0 : bottom - top; }
    bool contains(std::int32_t x, std::int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }

    // The common part of both; the empty area when they do not meet.
    ClientArea intersected(const ClientArea& other) const
    {
        const ClientArea common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                                std::min(bottom, other.bottom)};
        return common.isEmpty() ? ClientArea{} : common;
    }

    friend bool operator==(const ClientArea&, const ClientArea&) = default;
};

} // namespace tessaly
