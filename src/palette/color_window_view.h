#pragma once

#include <cstdint>
#include <string>

#include "editing/view_rect.h"

namespace tessaly {

// What the selected-colour window's controller asks of the window: repaints,
// the four value boxes and the mouse capture. The Win32 window implements
// it; tests record the calls.
class ColorWindowView {
public:
    enum class Erase : bool { No, Yes };

    virtual ~ColorWindowView() = default;

    // Repaint area later; with Erase::Yes its background is filled first.
    virtual void invalidate(const ViewRect& area, Erase erase) = 0;
    virtual void invalidateAll() = 0;
    // Paint what is waiting to be painted, now.
    virtual void updateNow() = 0;

    // Value box 0-3 (red, green, blue, transparency).
    virtual std::string boxText(std::int32_t box) const = 0;
    // Writes text into the box with the caret after it.
    virtual void setBoxText(std::int32_t box, const std::string& text) = 0;
    // Moves the box to rect and shows it, or hides it.
    virtual void placeBox(std::int32_t box, const ViewRect& rect, bool shown) = 0;
    virtual void focusBox(std::int32_t box) = 0;

    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
};

} // namespace tessaly
