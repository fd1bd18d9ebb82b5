#pragma once

#include "ui/dock/dock_frame_sizes.h"
#include "ui/dock/dock_rect.h"
#include "ui/dock/dock_targets.h"

namespace tessaly {

// The non-client hit codes a drag starts on (the window system's numbers).
enum DockHitCode : int {
    kDockHitNowhere = 0,
    kDockHitClient = 1,
    kDockHitCaption = 2,
    kDockHitLeft = 10,
    kDockHitRight = 11,
    kDockHitTop = 12,
    kDockHitTopLeft = 13,
    kDockHitTopRight = 14,
    kDockHitBottom = 15,
    kDockHitBottomLeft = 16,
    kDockHitBottomRight = 17,
};

// The outline a drag shows: where the frame would dock, or where it would
// float or be sized to.
struct DockOutlineShape {
    DockRect rect;
    bool docking = false;

    friend bool operator==(const DockOutlineShape&, const DockOutlineShape&) = default;
};

// A frame being moved by its caption (or grip) or sized by a border, from
// button down to button up, in screen coordinates. It only computes; the
// frame's window draws the outline and moves itself.
class DockDrag {
public:
    enum class Mode { None, Moving, Sizing };

    // Starts moving on the caption, sizing on a border; any other hit code
    // starts nothing (false).
    bool begin(int hitCode, DockPoint pointer, const DockRect& window, const DockFrameSizes& sizes);
    // Follows the pointer. False while it has not yet left the point it took
    // hold at, so that a click does not move the frame.
    bool follow(DockPoint pointer, const DockTargets& targets);
    void end() { m_mode = Mode::None; }

    Mode mode() const { return m_mode; }
    bool active() const { return m_mode != Mode::None; }
    bool moved() const { return m_moved; }
    const DockOutlineShape& outline() const { return m_outline; }
    // The floating-size rectangle at the pointer, keeping the point taken
    // hold of at its proportional place in the frame.
    DockRect floatingRectAt(DockPoint pointer) const { return placed(pointer, m_sizes.floatingWidth, m_sizes.floatingHeight); }

private:
    DockRect placed(DockPoint pointer, int width, int height) const;
    DockOutlineShape moveOutline(DockPoint pointer, const DockTargets& targets) const;
    DockRect sizedRect(DockPoint pointer) const;

    Mode m_mode = Mode::None;
    int m_hitCode = kDockHitNowhere;
    DockPoint m_start;
    int m_grabX = 0;
    int m_grabY = 0;
    DockRect m_window;
    DockFrameSizes m_sizes;
    bool m_moved = false;
    DockOutlineShape m_outline;
};

} // namespace tessaly
