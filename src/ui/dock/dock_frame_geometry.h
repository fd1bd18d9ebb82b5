#pragma once

#include <array>
#include <span>

#include "ui/dock/dock_rect.h"

namespace tessaly {

// The shapes a frame's window draws and tests against: the non-client area
// of a docked frame with its grip, the bands of a drag outline, and where a
// floating frame may be put so that the user can still take hold of it.
namespace dock_frame_geometry {

// A docked frame's client area inside its window rectangle: past the grip on
// the leading edge (left in horizontal bars, top in vertical ones) and a thin
// border elsewhere, never less than nothing.
DockRect dockedClientArea(const DockRect& window, bool horizontalBar, int smallCaptionHeight);

// The two raised lines of the grip along the leading edge, in window
// coordinates of a window of the given size.
std::array<DockRect, 2> gripLines(int width, int height, bool horizontalBar);

// The four bands of a rectangle's outline, each `width` pixels wide: top and
// bottom across the full width, left and right between them.
std::array<DockRect, 4> outlineBands(const DockRect& rect, int width);

// How much of a caption must lie on a work area for the user to take hold of it.
inline constexpr int kMinCaptionShown = 32;

// The window as it is when its caption strip (the top captionHeight pixels)
// lies on one of the work areas, at full height and for at least
// kMinCaptionShown pixels (or the window's width when narrower); otherwise
// moved into the work area nearest to the caption, as far into it as it fits.
DockRect placeCaptionOnWorkArea(const DockRect& window, int captionHeight, std::span<const DockRect> workAreas);

} // namespace dock_frame_geometry

} // namespace tessaly
