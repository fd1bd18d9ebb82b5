#pragma once

#include <cstdint>

#include "editing/canvas_cursor.h"
#include "editing/client_point.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// What the tools and the selection ask of the canvas window: the mouse
// capture, timers, cursors, the popup menu, the status readout, and repaints
// of what is drawn over the image (rubber bands, floating content, the
// selection frame). The Win32 canvas implements it; tests record the calls.
class CanvasHost {
public:
    // The fine-adjust tool's timer, and its period.
    static constexpr std::uint32_t kFineAdjustTimerId = 16543;
    static constexpr std::uint32_t kFineAdjustPeriodMs = 50;

    virtual ~CanvasHost() = default;

    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
    virtual void startTimer(std::uint32_t id, std::uint32_t periodMs) = 0;
    virtual void killTimer(std::uint32_t id) = 0;
    // Drag auto-scrolling of the scroll view (its own timer) on or off.
    virtual void setAutoScroll(bool enabled) = 0;
    // Where the pointer is now, in client coordinates (read at timer ticks).
    virtual ClientPoint pointerPosition() const = 0;
    virtual void setCursor(CanvasCursor cursor) = 0;
    // Shows the selection popup at a client point, its items enabled for a
    // release inside the selection rectangle or outside it.
    virtual void showSelectionMenu(ClientPoint point, bool inside) = 0;
    // The pixel under the pointer, for the status bar (only while an image is open).
    virtual void canvasReadout(PixelPoint pixel) = 0;
    // Repaint the pixels of rect (it may reach past the image).
    virtual void invalidatePixels(const PixelRect& rect) = 0;
    // Draw the selection frame of rect by inversion: drawing it twice removes it.
    virtual void invertSelectionFrame(const PixelRect& rect) = 0;
};

} // namespace tessaly
