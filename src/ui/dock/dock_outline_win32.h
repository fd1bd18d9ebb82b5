#pragma once

#include <windows.h>

#include <memory>

#include "convert/halftone_brush_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

// The outline a drag shows on the screen. It is a translucent layered window
// cut to the outline's shape: inverting the screen's pixels, the classic
// way, shows nothing where the desktop is composed (Windows since Vista with
// composition, Wine on X). Only where no such window can be made are the
// screen's pixels inverted instead.
class DockOutline {
public:
    enum class Look {
        Docking,  // a one-pixel frame: where the frame would dock
        Floating, // a wider halftone frame: where it would float or be sized to
        Splitter, // a filled halftone band: where a splitter would go
    };

    DockOutline();
    DockOutline(const DockOutline&) = delete;
    DockOutline& operator=(const DockOutline&) = delete;
    ~DockOutline();

    // Takes the outline from where it was (if shown) to the new place.
    void show(const RECT& screenRect, Look look);
    void hide();
    bool shown() const { return m_shown; }
    // The outline's window, while one is used (for tests).
    HWND window() const;

private:
    class ShapeWindow;

    bool showWindow();
    void invert() const;

    HalftoneBrush m_halftone;
    std::unique_ptr<ShapeWindow> m_window;
    bool m_shown = false;
    RECT m_rect{};
    Look m_look = Look::Floating;
};

} // namespace tessaly
