#pragma once

#include <algorithm>
#include <cstdint>

namespace tessaly {

// A rectangle in a window's client area, right and bottom exclusive (the
// Win32 RECT convention), so that the window code can hand it on unchanged.
struct ViewRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    // Edges excluded on the right and bottom, as for a pixel area.
    bool contains(std::int32_t x, std::int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    // All four edges included, as for the hit test of a drawn outline.
    bool containsWithEdges(std::int32_t x, std::int32_t y) const
    {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    ViewRect united(const ViewRect& other) const
    {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return other;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

} // namespace tessaly
