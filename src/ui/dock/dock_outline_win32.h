#pragma once

#include <windows.h>

#include "convert/halftone_brush_win32.h"

namespace tessaly {

// The outline a drag shows on the screen: drawn by inverting the screen's
// pixels, so that drawing it a second time takes it away again.
class DockOutline {
public:
    enum class Look {
        Docking,  // a one-pixel frame in white: where the frame would dock
        Floating, // a wider halftone frame: where it would float or be sized to
        Splitter, // a filled halftone band: where a splitter would go
    };

    DockOutline() = default;
    DockOutline(const DockOutline&) = delete;
    DockOutline& operator=(const DockOutline&) = delete;
    ~DockOutline() { hide(); }

    // Takes the outline from where it was (if shown) to the new place.
    void show(const RECT& screenRect, Look look);
    void hide();
    bool shown() const { return m_shown; }

private:
    void invert() const;

    HalftoneBrush m_halftone;
    bool m_shown = false;
    RECT m_rect{};
    Look m_look = Look::Floating;
};

} // namespace tessaly
