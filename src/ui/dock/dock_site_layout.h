#pragma once

#include <array>
#include <vector>

#include "ui/dock/dock_rect.h"
#include "ui/dock/dock_side.h"

namespace tessaly {

// A bar as the host's layout sees it.
struct DockBarSlot {
    int thickness = 0;
    bool visible = false;
};

// Where the host's bars and its client window go. A hidden bar is not
// placed; its rectangle is left empty.
struct DockSiteArrangement {
    std::array<std::vector<DockRect>, kDockSideCount> bars;
    DockRect client;
};

// Lays out the host's client area (less the status bar) in
// host client coordinates: top and bottom bars span the full width, outermost
// first, each overlapping its neighbour by a pixel; left and right bars span
// what is left between them, reaching a pixel into the top and bottom bars;
// the client window takes the rest.
DockSiteArrangement arrangeDockSite(const DockRect& area,
                                    const std::array<std::vector<DockBarSlot>, kDockSideCount>& sides);

} // namespace tessaly
