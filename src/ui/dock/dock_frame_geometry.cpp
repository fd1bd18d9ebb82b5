#include "ui/dock/dock_frame_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessaly::dock_frame_geometry {

namespace {

// The border around a docked frame's client area; the grip side adds the
// small caption's height.
constexpr int kThinBorder = 3;
constexpr int kThickBorder = 6;
// The grip's two lines: each 3 pixels wide, the first 3 pixels in from the
// leading edge, 3 pixels from either end of it.
constexpr int kGripLineWidth = 3;
constexpr int kGripMargin = 3;
constexpr int kGripLineStep = 4;

int clampTo(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return static_cast<int>(std::max(low, std::min(value, high)));
}

// Steps from the point to the area, across plus down (0 inside it).
std::int64_t distance(DockPoint p, const DockRect& area)
{
    const std::int64_t x = p.x, y = p.y;
    const std::int64_t dx = x < area.left ? area.left - x : (x >= area.right ? x - area.right + 1 : 0);
    const std::int64_t dy = y < area.top ? area.top - y : (y >= area.bottom ? y - area.bottom + 1 : 0);
    return dx + dy;
}

bool captionReachable(const DockRect& caption, const DockRect& area, int needed)
{
    if (caption.top < area.top || caption.bottom > area.bottom)
        return false;
    const std::int64_t shown =
        static_cast<std::int64_t>(std::min(caption.right, area.right)) - std::max(caption.left, area.left);
    return shown >= needed;
}

// Along one axis: as it is when it fits, else as far in as it goes.
int fitInto(int start, int length, int areaStart, int areaEnd)
{
    if (static_cast<std::int64_t>(length) >= static_cast<std::int64_t>(areaEnd) - areaStart)
        return areaStart;
    return clampTo(start, areaStart, static_cast<std::int64_t>(areaEnd) - length);
}

} // namespace

DockRect dockedClientArea(const DockRect& window, bool horizontalBar, int smallCaptionHeight)
{
    const int grip = smallCaptionHeight + kThinBorder;
    DockRect r = horizontalBar
                     ? DockRect{window.left + grip, window.top + kThinBorder, window.right - kThickBorder,
                                window.bottom - kThinBorder}
                     : DockRect{window.left + kThickBorder, window.top + grip, window.right - kThickBorder,
                                window.bottom - kThinBorder};
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

std::array<DockRect, 2> gripLines(int width, int height, bool horizontalBar)
{
    std::array<DockRect, 2> lines;
    for (int i = 0; i < 2; ++i) {
        const int at = kGripMargin + i * kGripLineStep;
        lines[static_cast<std::size_t>(i)] =
            horizontalBar ? DockRect{at, kGripMargin, at + kGripLineWidth, std::max(kGripMargin, height - kGripMargin)}
                          : DockRect{kGripMargin, at, std::max(kGripMargin, width - kGripMargin), at + kGripLineWidth};
    }
    return lines;
}

std::array<DockRect, 4> outlineBands(const DockRect& r, int width)
{
    const int w = std::min(width, std::max(0, r.width() / 2));
    const int h = std::min(width, std::max(0, r.height() / 2));
    return {DockRect{r.left, r.top, r.right, r.top + h}, DockRect{r.left, r.bottom - h, r.right, r.bottom},
            DockRect{r.left, r.top + h, r.left + w, r.bottom - h}, DockRect{r.right - w, r.top + h, r.right, r.bottom - h}};
}

DockRect placeCaptionOnWorkArea(const DockRect& window, int captionHeight, std::span<const DockRect> workAreas)
{
    if (workAreas.empty())
        return window;
    const DockRect caption{window.left, window.top, window.right,
                           clampTo(static_cast<std::int64_t>(window.top) + captionHeight, window.top, window.bottom)};
    const int needed = std::max(1, std::min(kMinCaptionShown, window.width()));
    for (const DockRect& area : workAreas) {
        if (captionReachable(caption, area, needed))
            return window;
    }
    const DockRect* nearest = &workAreas.front();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const DockRect& area : workAreas) {
        const std::int64_t d = distance(caption.centre(), area);
        if (d < best) {
            best = d;
            nearest = &area;
        }
    }
    const int left = fitInto(window.left, window.width(), nearest->left, nearest->right);
    const int top = fitInto(window.top, window.height(), nearest->top, nearest->bottom);
    return {left, top, left + window.width(), top + window.height()};
}

} // namespace tessaly::dock_frame_geometry
