#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "ui/dock/dock_frame_sizes.h"
#include "ui/dock/dock_rect.h"
#include "ui/dock/dock_side.h"

namespace tessaly {

// A bar a dragged frame may be dropped on, in screen coordinates.
struct DockBarTarget {
    DockSide side = DockSide::Top;
    DockRect rect;
    bool visible = false;
    bool holdsFrame = false; // the dragged frame has its entry (maybe invisible) here
};

// What a finished caption drag does with the frame.
struct DockDropPlan {
    enum class Action { MoveWithinBar, DockIntoBar, DockIntoNewBar, Float };

    Action action = Action::Float;
    std::size_t bar = 0;           // MoveWithinBar, DockIntoBar: index into the targets' bars
    DockSide side = DockSide::Top; // DockIntoNewBar
    // DockIntoBar: the least thickness the bar must have (0: keep it);
    // DockIntoNewBar: the new bar's thickness.
    int thickness = 0;
    DockRect rect; // Float: where the frame goes
};

// The host as a dragged frame sees it: its bars, by side and then from the
// outermost inwards, its client window and its client area, all on screen.
struct DockTargets {
    std::vector<DockBarTarget> bars;
    DockRect clientWindow;
    DockRect siteClient;

    // The first visible bar whose rectangle holds the centre of rect.
    std::optional<std::size_t> findBarAt(const DockRect& rect) const;
    // The side of the client window that rect sticks out of most; none when
    // rect misses the client window or lies wholly inside it.
    std::optional<DockSide> findSideAt(const DockRect& rect) const;
    // Decides where a frame dropped at rect goes.
    DockDropPlan planDrop(const DockRect& rect, bool frameDocked, const DockFrameSizes& sizes) const;
};

// The thickness a bar needs to show a frame of the given size across it: the
// frame, the bar's pixel above and below it in horizontal bars, and the sash.
int dockingThickness(DockSide side, int frameAcross);

} // namespace tessaly
