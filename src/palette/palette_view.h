#pragma once

#include <cstdint>

#include "editing/client_point.h"
#include "image/color_value.h"
#include "editing/view_rect.h"

namespace tessaly {

class PaletteMenu;

// What the palette window's controller asks of the window: its scroll
// position, repaints, a frame drawn at once, and the context menu. The
// Win32 palette window implements it; tests record the calls.
class PaletteView {
public:
    virtual ~PaletteView() = default;

    virtual ClientPoint scrollPosition() const = 0;
    // The scrolled content becomes 0 wide (no horizontal scrolling) and
    // height high, and the whole client area is repainted, erased first.
    virtual void setContentHeight(std::int32_t height) = 0;
    // Repaint area later, without erasing it.
    virtual void invalidate(const ViewRect& area) = 0;
    // Draw the one-pixel outline of outline now, in colour.
    virtual void drawOutline(const ViewRect& outline, ColorValue colour) = 0;
    // Shows the prepared context menu at a client point and returns when it
    // has closed; a chosen item comes back through the controller's
    // menuCommand.
    virtual void showMenu(ClientPoint point, const PaletteMenu& menu) = 0;
};

} // namespace tessaly
