#pragma once

#include <algorithm>
#include <cstdint>

namespace tessaly {

// A rectangle of window pixels: left and top inside, right and bottom just
// outside, as window rectangles are.
struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    static constexpr ClientRect sized(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
    {
        return {left, top, left + width, top + height};
    }

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    // Between the edges, not on them: the hit rule of the list's items and
    // tabs, which excludes the left and top columns and rows of the
    // rectangle as well as the lines just outside it.
    bool containsStrictly(std::int32_t x, std::int32_t y) const
    {
        return x > left && x < right && y > top && y < bottom;
    }
    bool intersects(const ClientRect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    ClientRect offset(std::int32_t dx, std::int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool contains(std::int32_t x, std::int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    // The common part of both; the empty rectangle when they do not meet.
    ClientRect intersected(const ClientRect& other) const
    {
        const ClientRect common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                                std::min(bottom, other.bottom)};
        return common.isEmpty() ? ClientRect{} : common;
    }

    friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

} // namespace tessaly
