#include "ui/dock/dock_site_layout.h"

#include <algorithm>

namespace tessaly {

namespace {

using Slots = std::vector<DockBarSlot>;

bool anyVisible(const Slots& bars)
{
    return std::any_of(bars.begin(), bars.end(), [](const DockBarSlot& b) { return b.visible; });
}

// Stacks the visible bars of one side from an edge inwards; returns the
// inner edge of the innermost one, or the start edge when none shows.
// inwards is +1 when the side grows towards larger coordinates.
template <typename MakeRect>
int stack(const Slots& bars, std::vector<DockRect>& rects, int edge, int inwards, MakeRect makeRect)
{
    rects.assign(bars.size(), DockRect{});
    int inner = edge;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (!bars[i].visible)
            continue;
        inner = edge + inwards * bars[i].thickness;
        rects[i] = makeRect(std::min(edge, inner), std::max(edge, inner));
        edge = inner - inwards; // neighbouring bars share a pixel
    }
    return inner;
}

} // namespace

DockSiteArrangement arrangeDockSite(const DockRect& area, const std::array<Slots, kDockSideCount>& sides)
{
    DockSiteArrangement out;
    const Slots& top = sides[sideIndex(DockSide::Top)];
    const Slots& bottom = sides[sideIndex(DockSide::Bottom)];
    const Slots& left = sides[sideIndex(DockSide::Left)];
    const Slots& right = sides[sideIndex(DockSide::Right)];
    DockRect& client = out.client;

    const int topInner = stack(top, out.bars[sideIndex(DockSide::Top)], area.top, 1,
                               [&](int y0, int y1) { return DockRect{area.left, y0, area.right, y1}; });
    client.top = std::min(topInner, area.bottom);
    const int bottomInner = stack(bottom, out.bars[sideIndex(DockSide::Bottom)], area.bottom, -1,
                                  [&](int y0, int y1) { return DockRect{area.left, y0, area.right, y1}; });
    client.bottom = std::max(bottomInner, client.top);

    // Side bars reach into the top and bottom bars by a pixel, so that their
    // edges meet, unless nothing is left between those.
    const bool tall = client.bottom != client.top;
    const int barTop = client.top - (tall && anyVisible(top) ? 1 : 0);
    const int barBottom = client.bottom + (tall && anyVisible(bottom) ? 1 : 0);
    const int leftInner = stack(left, out.bars[sideIndex(DockSide::Left)], area.left, 1,
                                [&](int x0, int x1) { return DockRect{x0, barTop, x1, barBottom}; });
    client.left = std::min(leftInner, area.right);
    const int rightInner = stack(right, out.bars[sideIndex(DockSide::Right)], area.right, -1,
                                 [&](int x0, int x1) { return DockRect{x0, barTop, x1, barBottom}; });
    client.right = std::max(rightInner, client.left);
    return out;
}

} // namespace tessaly
