#pragma once

#include <cstdint>

namespace tessaly {

// A point in pixels; whether screen or client coordinates is the caller's.
struct DockPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const DockPoint&, const DockPoint&) = default;
};

// A window rectangle as the window system keeps one: left and top lie
// inside, right and bottom just outside, so width = right - left.
struct DockRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Halfway between the edges, without overflowing for far-off windows.
    DockPoint centre() const
    {
        return {static_cast<int>((static_cast<std::int64_t>(left) + right) / 2),
                static_cast<int>((static_cast<std::int64_t>(top) + bottom) / 2)};
    }
    // Edges count as inside.
    bool containsWithEdges(DockPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    // Some area in common (touching edges do not count).
    bool overlaps(const DockRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool containsRect(const DockRect& o) const
    {
        return o.left >= left && o.right <= right && o.top >= top && o.bottom <= bottom;
    }
    DockRect offsetBy(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    friend bool operator==(const DockRect&, const DockRect&) = default;
};

} // namespace tessaly
