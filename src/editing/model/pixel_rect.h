#pragma once

#include <algorithm>
#include <cstdint>

namespace tessaly {

// An inclusive rectangle of pixels. The empty rectangle is (0, 0, -1, -1);
// any rectangle with bottom < top or right < left counts as empty.
struct PixelRect {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t bottom = -1;
    std::int32_t right = -1;

    bool isEmpty() const { return bottom < top || right < left; }
    std::int32_t rows() const { return isEmpty() ? 0 : bottom - top + 1; }
    std::int32_t columns() const { return isEmpty() ? 0 : right - left + 1; }
    bool contains(std::int32_t row, std::int32_t column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }

    // The common part of both; the empty rectangle when they do not meet.
    PixelRect intersected(const PixelRect& other) const
    {
        const PixelRect common{std::max(top, other.top), std::max(left, other.left), std::min(bottom, other.bottom),
                               std::min(right, other.right)};
        return common.isEmpty() ? PixelRect{} : common;
    }

    // Grows the rectangle just enough to hold the pixel; an empty rectangle
    // becomes that one pixel.
    void include(std::int32_t row, std::int32_t column)
    {
        if (isEmpty()) {
            *this = PixelRect{row, column, row, column};
            return;
        }
        top = std::min(top, row);
        left = std::min(left, column);
        bottom = std::max(bottom, row);
        right = std::max(right, column);
    }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace tessaly
