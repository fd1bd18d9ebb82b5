#pragma once

#include <array>
#include <cstdint>

#include "ui/dock/dock_rect.h"

namespace tessaly {

// The edges of the host window that bars dock along. Bars of the top and
// bottom sides are horizontal (their frames lie side by side from left to
// right); bars of the left and right sides are vertical. The numbers are
// those of the layout record.
enum class DockSide : std::int32_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

inline constexpr int kDockSideCount = 4;
inline constexpr std::array<DockSide, kDockSideCount> kDockSides = {DockSide::Top, DockSide::Bottom, DockSide::Left,
                                                                     DockSide::Right};

constexpr int sideIndex(DockSide side)
{
    return static_cast<int>(side);
}
constexpr bool isHorizontal(DockSide side)
{
    return side == DockSide::Top || side == DockSide::Bottom;
}

// A rectangle seen along a bar of a side (x for horizontal bars, y for
// vertical ones) and across it.
inline int alongStart(const DockRect& r, DockSide side)
{
    return isHorizontal(side) ? r.left : r.top;
}
inline int alongEnd(const DockRect& r, DockSide side)
{
    return isHorizontal(side) ? r.right : r.bottom;
}
inline int acrossStart(const DockRect& r, DockSide side)
{
    return isHorizontal(side) ? r.top : r.left;
}
inline int acrossEnd(const DockRect& r, DockSide side)
{
    return isHorizontal(side) ? r.bottom : r.right;
}
inline int alongOf(DockPoint p, DockSide side)
{
    return isHorizontal(side) ? p.x : p.y;
}
inline int acrossOf(DockPoint p, DockSide side)
{
    return isHorizontal(side) ? p.y : p.x;
}
inline DockRect rectAlong(DockSide side, int along0, int along1, int across0, int across1)
{
    return isHorizontal(side) ? DockRect{along0, across0, along1, across1} : DockRect{across0, along0, across1, along1};
}

} // namespace tessaly
